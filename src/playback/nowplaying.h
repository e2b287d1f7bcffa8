#pragma once

#include <QString>

#include <array>

struct CatalogueStore;
class LanguageTextSource;

// What the listening pane shows, as far as names go: everything the now-playing texts
// are computed from at the moment they are needed.
struct NowPlayingInputs
{
    int code = -1; // NowPlayingCode
    const CatalogueStore *catalogue = nullptr;
    const LanguageTextSource *texts = nullptr;
    std::array<QString, 16> personalNames; // personal stations 1..15; index 0 unused
    QString scheduledName;
    QString announcedName;
    int startupStationId = 0;
    QString startupStationName; // the options dialog's Lbl_NomeRadio
    bool startupPlayTicked = false; // the options dialog's Chk_EsecuzioneRadio
};

namespace NowPlaying {

// The name the hints show ("Stai ascoltando: ...").
QString hintName(const NowPlayingInputs &in);
// The title the now-playing notice carries.
QString noticeTitle(const NowPlayingInputs &in);
// A text from a page or the server made fit for a hint or a caption: control characters
// become blanks and it is cut to `maxLength` characters.
QString displayable(const QString &text, int maxLength = 200);

} // namespace NowPlaying
