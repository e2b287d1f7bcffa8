#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// One station of a catalogue list.
struct CatalogueEntry
{
    QString Url;     // the station's player page, loaded unchanged
    QString Name;    // empty: the slot is empty
    QString Caption; // the text on the station's row
    QString Extra;   // kept, read by nothing

    bool operator==(const CatalogueEntry &) const = default;
};

// The two lists of fifteen stations and the four partner fields the service sends.
struct CatalogueStore
{
    static constexpr int Slots = 15;
    static constexpr int Lines = 124;

    // Slots 1..15; index 0 is unused.
    std::array<CatalogueEntry, Slots + 1> List1;
    std::array<CatalogueEntry, Slots + 1> List3;
    QString PartnerName;
    QString SponsorUrl;
    QString ExtraTabCaption;
    QString ExtraTabUrl;

    void clear() { *this = CatalogueStore(); }
    // Slot k (1..15) of list 1 or 3; nullptr for anything else.
    const CatalogueEntry *slot(int list, int k) const;
};

namespace Catalogue {

// Calls `line` with each line of the text, split at CR LF, LF or CR as the text-file
// reader does, at most `maxLines` times. The views point into `bytes`.
template<typename LineFn>
void forEachLine(QByteArrayView bytes, qsizetype maxLines, LineFn line)
{
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype count = 0; start < size && count < maxLines; ++count) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        line(bytes.sliced(start, end - start));
        if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

// The lines of forEachLine, as a list. `maxLines` bounds the work on a page that never ends.
QList<QByteArray> splitLines(const QByteArray &bytes, int maxLines);

// Fills a store from the converted catalogue text: one field per line, Windows-1252.
// Lines 1-60 are list 1 (record r to slot 16 - r), 61-120 list 3 (record r to slot r),
// 121-124 the partner fields; later lines are ignored and missing ones leave fields empty.
CatalogueStore parse(const QByteArray &bytes);

} // namespace Catalogue
