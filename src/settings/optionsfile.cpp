#include "settings/optionsfile.h"

#include <limits>

namespace OptionsFile {

namespace {

// Lines 5..19 hold slots 1..5, lines 23..52 slots 6..15, three lines each.
int firstLineOfSlot(int n)
{
    return n <= 5 ? 5 + 3 * (n - 1) : 23 + 3 * (n - 6);
}

// Line `number` (from 1), or nothing when the file ends before it.
const QString *lineAt(const QStringList &lines, int number)
{
    return number >= 1 && number <= lines.size() ? &lines[number - 1] : nullptr;
}

QString text(const QString &line)
{
    return line.left(MaxTextLength);
}

// Fills what the file holds of slot n; a missing line leaves its field as it is.
void readSlot(const QStringList &lines, int n, TRadio &radio)
{
    const int first = firstLineOfSlot(n);
    if (const QString *id = lineAt(lines, first))
        radio.Id = decimal(*id, 0);
    if (const QString *name = lineAt(lines, first + 1))
        radio.Name = text(*name);
    if (const QString *caption = lineAt(lines, first + 2))
        radio.Caption = text(*caption);
}

} // namespace

qint32 decimal(const QString &line, qint32 fallback)
{
    if (line.isEmpty() || line.size() > 12)
        return fallback;
    int i = 0;
    bool negative = false;
    if (line[0] == QLatin1Char('-') || line[0] == QLatin1Char('+')) {
        negative = line[0] == QLatin1Char('-');
        i = 1;
    }
    if (i == line.size())
        return fallback;
    qint64 value = 0;
    for (; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return fallback;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return fallback;
    return static_cast<qint32>(value);
}

int languageRow(const QString &line)
{
    const qint32 row = decimal(line, 1);
    return row >= 1 && row <= 4 ? row : 1;
}

StartupReading readAtStartup(const QStringList &lines)
{
    StartupReading r;
    if (const QString *line = lineAt(lines, 2))
        r.autoPlay = isOn(*line);
    if (const QString *line = lineAt(lines, 3))
        r.startupId = decimal(*line, 0);
    if (const QString *line = lineAt(lines, 4))
        r.startupName = text(*line);
    for (int n = 1; n <= PersonalSlotCount; ++n)
        readSlot(lines, n, *r.stations.slot(n));
    if (const QString *line = lineAt(lines, 20))
        r.searchAtStart = isOn(*line);
    if (const QString *line = lineAt(lines, 21))
        r.messenger = isOn(*line);
    if (const QString *line = lineAt(lines, 22))
        r.timetable = isOn(*line);
    if (const QString *line = lineAt(lines, 53))
        r.language = languageRow(*line);
    return r;
}

void readIntoDialog(const QStringList &lines, DialogFields &f)
{
    if (const QString *line = lineAt(lines, 1))
        f.autoStart = isOn(*line);
    if (const QString *line = lineAt(lines, 2))
        f.playAtStart = isOn(*line);
    if (const QString *line = lineAt(lines, 3))
        f.startupId = decimal(*line, 0);
    for (int n = 1; n <= 5; ++n)
        readSlot(lines, n, *f.stations.slot(n));
    // The first missing switch takes its default and the reading ends there.
    const struct { int line; bool *value; bool fallback; } switches[] = {
        {20, &f.search, true}, {21, &f.messenger, true}, {22, &f.timetable, false}};
    for (const auto &s : switches) {
        const QString *line = lineAt(lines, s.line);
        if (!line) {
            *s.value = s.fallback;
            return;
        }
        *s.value = isOn(*line);
    }
    for (int n = 6; n <= PersonalSlotCount; ++n)
        readSlot(lines, n, *f.stations.slot(n));
}

QStringList compose(const Record &record)
{
    QStringList lines;
    lines.reserve(LineCount);
    const auto addSlots = [&](int from, int to) {
        for (int n = from; n <= to; ++n) {
            const TRadio &radio = *record.stations.slot(n);
            lines << QString::number(radio.Id) << radio.Name << radio.Caption;
        }
    };
    lines << switchText(record.autoStart) << switchText(record.playAtStart) << QString::number(record.startupId)
          << record.startupName;
    addSlots(1, 5);
    lines << switchText(record.search) << switchText(record.messenger) << switchText(record.timetable);
    addSlots(6, PersonalSlotCount);
    lines << QString::number(record.language);
    return lines;
}

} // namespace OptionsFile
