#include "platform/notice.h"

#include "platform/textfile.h"

#include <QStringList>

namespace Notice {

namespace {
const QString Separator = QStringLiteral("\\0");
}

QString text(bool show, const QString &title, const QString &credit)
{
    // Built as single-byte text in the Windows code page, then widened.
    const QString shownTitle = show ? title : QString();
    const QString joined = Separator + QStringLiteral("Music") + Separator + (show ? QStringLiteral("1") : QStringLiteral("0"))
        + Separator + QStringLiteral("{0} - {1}") + Separator + shownTitle + Separator + credit + Separator
        + Separator + QStringLiteral("WMContentID") + QChar(0);
    return TextFile::decode1252(TextFile::encode1252(joined));
}

QByteArray record(bool show, const QString &title, const QString &credit)
{
    QByteArray buffer(RecordBytes, '\0');
    const QString joined = text(show, title, credit);
    if (joined.size() > MaxTextUnits)
        return buffer; // the conversion does not fit: the text is empty
    for (int i = 0; i < joined.size(); ++i) {
        const char16_t unit = joined.at(i).unicode();
        buffer[2 * i] = static_cast<char>(unit & 0xff);
        buffer[2 * i + 1] = static_cast<char>(unit >> 8);
    }
    return buffer; // the NUL unit after the text is already there
}

Reading read(const QByteArray &bytes)
{
    Reading reading;
    if (bytes.size() != RecordBytes)
        return reading;
    QString text;
    for (int i = 0; i + 1 < RecordBytes; i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i])
                                                    | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        text.append(QChar(unit));
    }
    // The text ends with the NUL piece and the terminating NUL unit.
    const qsizetype end = text.indexOf(QStringLiteral("WMContentID"));
    if (end < 0)
        return reading;
    const QStringList pieces = text.left(end).split(Separator);
    // "", "Music", state, format, title, artist, album, ""
    if (pieces.size() != 8 || pieces[1] != QLatin1String("Music"))
        return reading;
    reading.valid = true;
    reading.playing = pieces[2] == QLatin1String("1");
    reading.title = pieces[4];
    reading.artist = pieces[5];
    return reading;
}

} // namespace Notice
