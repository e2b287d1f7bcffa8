#include "recording/recordingsettings.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace RecordingSettings {

namespace {

// A decimal integer, however many digits: huge values saturate.
std::optional<qint64> number(const QString &line)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    const QString text = line.trimmed();
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (ok)
        return value;
    return text.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
}

} // namespace

QStringList lines(const Values &values)
{
    return {QString::number(values.device), QString::number(values.source), QString::number(values.format),
            QString::number(values.param), QString::number(values.volume)};
}

int listIndex(const QString &line, int count)
{
    const std::optional<qint64> value = number(line);
    if (!value)
        return count > 0 ? 0 : -1;
    return *value >= 0 && *value < count ? static_cast<int>(*value) : -1;
}

std::optional<int> volume(const QString &line)
{
    const std::optional<qint64> value = number(line);
    if (!value)
        return std::nullopt;
    return static_cast<int>(std::clamp<qint64>(*value, 0, 100));
}

} // namespace RecordingSettings
