#include "service/capture.h"

#include "service/catalogue.h"

#include <QFile>
#include <QSaveFile>

#include <limits>

namespace Capture {

QByteArray ReplaceAll(QByteArray text, const QByteArray &search, const QByteArray &replacement)
{
    if (search.isEmpty())
        return text;
    if (replacement.contains(search))
        return text.replace(search, replacement);
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(search, from);
        if (at < 0)
            return text;
        text.replace(at, search.size(), replacement);
        // Nothing before `at` matched, so a new occurrence can only start where the
        // replacement may complete it.
        from = qMax<qsizetype>(0, at - search.size() + 1);
    }
}

QByteArray convertBreaks(const QByteArray &page)
{
    QByteArray out;
    out.reserve(page.size() + page.size() / 8 + 2);
    const QList<QByteArray> lines = Catalogue::splitLines(page, std::numeric_limits<int>::max());
    for (const QByteArray &line : lines) {
        QByteArray converted = ReplaceAll(line, "<BR>", "<BR1><BR2>");
        converted = ReplaceAll(converted, "<BR1>", "\r");
        converted = ReplaceAll(converted, "<BR2>", "\n");
        out += converted;
        out += "\r\n";
    }
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
