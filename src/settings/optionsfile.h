#pragma once

#include "settings/personalslots.h"

#include <QString>
#include <QStringList>

// "OpzSN.txt": the user's start-up options, the start-up station, the fifteen personal
// stations, three switches and the interface language, one value per line (53 lines).
namespace OptionsFile {

inline constexpr char FileName[] = "OpzSN.txt";
inline constexpr int LineCount = 53;
// Texts longer than this in a file are cut: no name or caption needs more.
inline constexpr int MaxTextLength = 1000;

// A decimal integer with an optional sign that fits 32 bits, or `fallback`.
qint32 decimal(const QString &line, qint32 fallback);
// Only an exact "SI" is on.
inline bool isOn(const QString &line) { return line == QLatin1String("SI"); }
inline QString switchText(bool on) { return on ? QStringLiteral("SI") : QStringLiteral("NO"); }
// A language row 1..4 from line 53; anything else is Italian (1).
int languageRow(const QString &line);

// What the program takes from the file when it starts. Every missing line has its own
// default: the switches of lines 20 and 21 on, line 22 off, the language 1.
struct StartupReading
{
    bool autoPlay = false;
    qint32 startupId = 0;
    QString startupName;
    PersonalSlots stations;
    bool searchAtStart = true;
    bool messenger = true;
    bool timetable = false;
    int language = 1;
};
StartupReading readAtStartup(const QStringList &lines);

// What the options dialog takes from the file, applied over the current values: a missing
// line leaves its value as it is, except the switches, where the first missing one takes
// its default and ends the reading. Line 4 and line 53 are not read here.
struct DialogFields
{
    bool autoStart = false;
    bool playAtStart = false;
    qint32 startupId = 0;
    PersonalSlots stations;
    bool search = true;
    bool messenger = true;
    bool timetable = false;
};
void readIntoDialog(const QStringList &lines, DialogFields &fields);

// The 53 lines of the file, in order.
struct Record
{
    bool autoStart = false;
    bool playAtStart = false;
    qint32 startupId = 0;
    QString startupName;
    PersonalSlots stations;
    bool search = false;
    bool messenger = false;
    bool timetable = false;
    int language = 1;
};
QStringList compose(const Record &record);

} // namespace OptionsFile
