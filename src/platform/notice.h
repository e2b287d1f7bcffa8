#pragma once

#include <QByteArray>
#include <QString>

// The now-playing notice: one 256-byte record holding a UTF-16 text of at most 127 units
// and a NUL unit, the rest zero. The text joins 13 pieces with the two characters "\0"
// (backslash, zero) between them.
namespace Notice {

inline constexpr quint32 RecordKind = 0x547;
inline constexpr int RecordBytes = 256;
inline constexpr int MaxTextUnits = 127;
inline constexpr int FixedCharacters = 41;

// The text before it is put into the record.
QString text(bool show, const QString &title, const QString &credit);
// The record; a text longer than 127 units leaves it empty (all zero).
QByteArray record(bool show, const QString &title, const QString &credit);

// What a receiver reads from a record.
struct Reading
{
    bool valid = false; // false for an empty or unreadable record
    bool playing = false;
    QString title;
    QString artist;
};
Reading read(const QByteArray &record);

} // namespace Notice
