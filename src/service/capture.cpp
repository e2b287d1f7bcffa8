#include "service/capture.h"

#include "service/catalogue.h"

#include <QFile>
#include <QSaveFile>

#include <limits>

namespace Capture {

QByteArray ReplaceAll(QByteArray text, const QByteArray &search, const QByteArray &replacement)
{
    if (search.isEmpty() || text.size() < search.size())
        return text;
    if (replacement.contains(search))
        return text.replace(search, replacement);
    // The text being searched is `out`, then `pending`, then the rest of the input from
    // `next`. `out` holds no occurrence, so the next one starts at the earliest in its
    // last m - 1 characters: only that tail and `pending` are searched by hand, the rest
    // of the input with indexOf. Every character is looked at a bounded number of times.
    const qsizetype m = search.size();
    QByteArray out;
    out.reserve(text.size());
    QByteArray pending;
    qsizetype next = 0;
    for (;;) {
        const qsizetype tail = qMin(m - 1, out.size());
        const QByteArray window = out.right(tail) + pending + text.mid(next, m - 1);
        const qsizetype lead = tail + pending.size(); // occurrences starting here are ours
        qsizetype at = window.indexOf(search);
        if (at >= 0 && at < lead) {
            const qsizetype end = at + m;
            out.chop(tail);
            out += window.left(at);
            if (end <= lead) {
                pending = replacement + window.mid(end, lead - end);
            } else {
                next += end - lead;
                pending = replacement;
            }
            continue;
        }
        out += pending;
        pending.clear();
        at = text.indexOf(search, next);
        if (at < 0) {
            out += QByteArrayView(text).sliced(next);
            return out;
        }
        out += QByteArrayView(text).sliced(next, at - next);
        next = at + m;
        pending = replacement;
    }
}

QByteArray convertBreaks(const QByteArray &page)
{
    // Line by line, with nothing kept per line: every line grows by at most its line end,
    // so the result is never more than twice the page.
    QByteArray out;
    out.reserve(2 * page.size() + 2);
    Catalogue::forEachLine(page, std::numeric_limits<qsizetype>::max(), [&out](QByteArrayView line) {
        if (line.contains("<BR")) {
            QByteArray converted = ReplaceAll(line.toByteArray(), "<BR>", "<BR1><BR2>");
            converted = ReplaceAll(converted, "<BR1>", "\r");
            converted = ReplaceAll(converted, "<BR2>", "\n");
            out += converted;
        } else {
            out += line;
        }
        out += "\r\n";
    });
    return out;
}

QString ConvertBreaks(const QString &tempFolder)
{
    QFile in(tempFolder + QLatin1String(CatalogueFile));
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    // A catalogue is a few kilobytes; a page of many megabytes is not one.
    const QByteArray page = in.read(16 << 20);
    if (in.error() != QFileDevice::NoError)
        return in.errorString();
    const QByteArray converted = convertBreaks(page);
    QSaveFile out(tempFolder + QLatin1String(ConvertedCatalogueFile));
    if (!out.open(QIODevice::WriteOnly) || out.write(converted) != converted.size() || !out.commit())
        return out.errorString();
    return {};
}

} // namespace Capture
