#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// "OpzSNR.txt", the recording page's settings: five lines, the item indexes of the device,
// mixer, format and compression lists (-1 for none) and the volume.
namespace RecordingSettings {

inline constexpr char FileName[] = "OpzSNR.txt";

struct Values
{
    int device = -1;
    int source = -1;
    int format = -1;
    int param = -1;
    int volume = 100;
};

QStringList lines(const Values &values);

// The item a line of the file selects in a list of `count` items: a line that is no
// number selects item 0; a number that is no item (negative, too large) selects none (-1).
int listIndex(const QString &line, int count);
// The volume a line sets: a number is held to 0..100; a line that is no number sets
// nothing, so a damaged file cannot silence the recordings.
std::optional<int> volume(const QString &line);

} // namespace RecordingSettings
