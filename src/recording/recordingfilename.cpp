#include "recording/recordingfilename.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace RecordingFileName {

namespace {

// The locale's long time format without its time-zone field, which names no time of day.
QString timeFormat(const QLocale &locale)
{
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    return locale.timeFormat(QLocale::LongFormat).replace(zone, QString()).trimmed();
}

} // namespace

QString make(const QDateTime &when, const QLocale &locale, const QString &formatName)
{
    QString date = locale.toString(when.date(), QLocale::ShortFormat);
    date.replace(QLatin1Char('/'), QLatin1Char('-'));
    QString time = locale.toString(when.time(), timeFormat(locale));
    // ":" cannot stand in a file name on the disks Windows writes, "/" in none at all.
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(':'), QLatin1Char('/')})
        time.replace(separator, QLatin1Char('-'));
    return date + QLatin1Char('_') + time + QLatin1Char('.') + formatName;
}

QString unused(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (!QFileInfo::exists(dir.filePath(name)))
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (int n = 2;; ++n) {
        const QString candidate = stem + QLatin1Char('_') + QString::number(n) + extension;
        if (!QFileInfo::exists(dir.filePath(candidate)))
            return candidate;
    }
}

} // namespace RecordingFileName
