#pragma once

#include <QByteArray>
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

// Splits text into lines at CR LF, LF or CR, as the text-file reader does.
// `maxLines` bounds the work on a page that never ends.
QList<QByteArray> splitLines(const QByteArray &bytes, int maxLines);

// Fills a store from the converted catalogue text: one field per line, Windows-1252.
// Lines 1-60 are list 1 (record r to slot 16 - r), 61-120 list 3 (record r to slot r),
// 121-124 the partner fields; later lines are ignored and missing ones leave fields empty.
CatalogueStore parse(const QByteArray &bytes);

} // namespace Catalogue
