// Readers of the two playlist formats radio players exchange:
//   M3U and extended M3U ("#EXTINF:<seconds> [attributes],<title>" before an
//   address), M3U8 being the same in UTF-8;
//   PLS, an INI-like "[playlist]" section of FileN, TitleN and LengthN keys.
// A file that is valid UTF-8 is read as UTF-8, any other as Windows-1252.
#pragma once

#include "import_entry.h"

#include <string_view>

namespace station {

// Each gives the entries to `sink` and returns what makes the whole file
// unusable (nothing, for these formats: any text is a playlist, possibly
// of no entries).
std::string read_m3u(std::string_view text, const ReadLimits &limits, ReadSink &sink);
std::string read_pls(std::string_view text, const ReadLimits &limits, ReadSink &sink);

ReadResult read_m3u(std::string_view text, const ReadLimits &limits = {});
ReadResult read_pls(std::string_view text, const ReadLimits &limits = {});

} // namespace station
