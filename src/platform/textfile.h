#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The data files of the program: Windows-1252 text, one value per line, CR LF line ends
// (LF alone is read too). Files are written whole or not at all.
namespace TextFile {

// The lines of the file, or nothing when it cannot be read. At most `maxBytes` bytes are
// read, so a huge file cannot exhaust memory.
std::optional<QStringList> readLines(const QString &path, qint64 maxBytes = 1 << 20);
// The same, with the system's description of a failure in `reason`.
std::optional<QStringList> readLines(const QString &path, QString &reason, qint64 maxBytes = 1 << 20);

// Writes the lines through a temporary file renamed over the target; a CR or LF inside a
// line is written as a blank, so each line stays one line of the file. Returns an empty
// text on success, otherwise the system's description of the failure.
QString writeLines(const QString &path, const QStringList &lines);

QString decode1252(const QByteArray &bytes);
QByteArray encode1252(const QString &text);

} // namespace TextFile
