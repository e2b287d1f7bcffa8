#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {

QString decode1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

QByteArray encode1252(const QString &text)
{
    QStringEncoder encoder("windows-1252", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

std::optional<QStringList> readLines(const QString &path, qint64 maxBytes)
{
    QString reason;
    return readLines(path, reason, maxBytes);
}

std::optional<QStringList> readLines(const QString &path, QString &reason, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        reason = file.errorString();
        return std::nullopt;
    }
    QStringList lines = decode1252(bytes).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (QString line : lines) {
        // One value, one line: a line break inside a value would shift every later line.
        line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        bytes += encode1252(line);
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace TextFile
