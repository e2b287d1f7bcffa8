// Files that the service's pages load besides themselves: the HLS player script
// (hls.js) of imported stations' pages.
#pragma once

#include "pages.h"

#include <string>

namespace station {

inline constexpr std::string_view kHlsPlayerPath = "/vendor/hls.light.min.js";

// The HLS player script, read once from web/ beside the program (a build tree) or from
// ../share/sintonia-station-service/web/ (an installed copy); nullptr when neither has it.
const std::string *hls_player_script();

// kHlsPlayerPath: the script, kept by the browser for a day; 404 without it.
Reply hls_player_page(const PageRequest &request, PageContext &context);

} // namespace station
