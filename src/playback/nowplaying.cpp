#include "playback/nowplaying.h"

#include "platform/displaytext.h"
#include "platform/languagetext.h"
#include "service/catalogue.h"

#include <optional>

namespace NowPlaying {

namespace {

QString listName(const NowPlayingInputs &in, int list, int slot)
{
    const CatalogueEntry *entry = in.catalogue ? in.catalogue->slot(list, slot) : nullptr;
    return entry ? entry->Name : QString();
}

QString text(const NowPlayingInputs &in, int key)
{
    return in.texts ? in.texts->LanguageText(key) : QString();
}

// The names both texts take from a list, the timetable or the favourites; nullopt for
// the codes where the two texts differ.
std::optional<QString> stationName(const NowPlayingInputs &in)
{
    const int c = in.code;
    if (c >= 1 && c <= 15)
        return listName(in, 1, c);
    if (c == 20)
        return in.scheduledName;
    if (c >= 21 && c <= 35)
        return in.personalNames[static_cast<size_t>(c - 20)];
    if (c >= 41 && c <= 55)
        return listName(in, 3, c - 40);
    return std::nullopt;
}

} // namespace

QString hintName(const NowPlayingInputs &in)
{
    if (const auto name = stationName(in))
        return *name;
    switch (in.code) {
    case 0: return in.startupStationId != 0 && in.startupPlayTicked ? in.startupStationName : QString();
    case 16:
    case 17: return text(in, 61);
    case 19: return text(in, 62);
    default: return {}; // 18 (a section, or a page that announced itself) and unknown codes
    }
}

QString noticeTitle(const NowPlayingInputs &in)
{
    if (const auto name = stationName(in))
        return *name;
    switch (in.code) {
    case 0: return in.startupStationId != 0 ? in.startupStationName : QString();
    case 16:
    case 17: return text(in, 100);
    case 18: return in.announcedName;
    case 19: return text(in, 101);
    default: return {};
    }
}

QString displayable(const QString &text, int maxLength)
{
    return DisplayText::displayable(text, maxLength);
}

} // namespace NowPlaying
