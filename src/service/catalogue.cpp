#include "service/catalogue.h"

#include "platform/textfile.h"

const CatalogueEntry *CatalogueStore::slot(int list, int k) const
{
    if (k < 1 || k > Slots)
        return nullptr;
    if (list == 1)
        return &List1[static_cast<size_t>(k)];
    if (list == 3)
        return &List3[static_cast<size_t>(k)];
    return nullptr;
}

namespace Catalogue {

QList<QByteArray> splitLines(const QByteArray &bytes, int maxLines)
{
    QList<QByteArray> lines;
    forEachLine(bytes, maxLines, [&lines](QByteArrayView line) { lines.append(line.toByteArray()); });
    return lines;
}

namespace {

QString field(const QByteArray &line)
{
    QString text = TextFile::decode1252(line);
    // A NUL would end the text wherever it is shown; it is never part of a field.
    text.remove(QChar(0));
    return text;
}

void fill(CatalogueEntry &entry, int fieldIndex, const QString &value)
{
    switch (fieldIndex) {
    case 0: entry.Url = value; break;
    case 1: entry.Name = value; break;
    case 2: entry.Caption = value; break;
    default: entry.Extra = value; break;
    }
}

} // namespace

CatalogueStore parse(const QByteArray &bytes)
{
    CatalogueStore store;
    const QList<QByteArray> lines = splitLines(bytes, CatalogueStore::Lines);
    for (int n = 1; n <= int(lines.size()); ++n) {
        const QString value = field(lines[n - 1]);
        if (n <= 60) {
            const int record = (n - 1) / 4 + 1;
            fill(store.List1[static_cast<size_t>(16 - record)], (n - 1) % 4, value);
        } else if (n <= 120) {
            const int record = (n - 61) / 4 + 1;
            fill(store.List3[static_cast<size_t>(record)], (n - 61) % 4, value);
        } else if (n == 121) {
            store.PartnerName = value;
        } else if (n == 122) {
            store.SponsorUrl = value;
        } else if (n == 123) {
            store.ExtraTabCaption = value;
        } else {
            store.ExtraTabUrl = value;
        }
    }
    return store;
}

} // namespace Catalogue
