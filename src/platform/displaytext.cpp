#include "platform/displaytext.h"

namespace DisplayText {

QString displayable(const QString &text, int maxLength)
{
    QString out = text.left(maxLength);
    for (QChar &ch : out) {
        if (ch.category() == QChar::Other_Control || ch.category() == QChar::Other_Format
            || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            ch = QLatin1Char(' ');
    }
    if (text.size() > maxLength)
        out += QChar(0x2026);
    return out;
}

} // namespace DisplayText
