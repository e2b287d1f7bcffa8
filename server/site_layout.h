// The look of the sites' section pages (community, new software, holidays,
// forum, donations, advertising) and of the mirrors' video page: a light page
// for the client's 559 x 392 panes. The client parks a pane on about:blank
// and comes back with one step back in its history; these pages may be kept
// for a few minutes, so the step back shows them from the browser's cache.
#pragma once

#include "reply.h"

#include <string>
#include <string_view>

namespace station {

inline constexpr std::string_view kSectionCacheControl = "private, max-age=600";

// A page in the light style; cacheable when its status is 200.
Reply light_page(int status, std::string_view title, std::string_view body_markup);

// The bar of links to the sites' sections, on top of each of their pages.
// Every site answers for every section, so the links stay on the same host.
std::string site_bar();

// Text from a request made fit to show: at most `max_length` bytes, anything
// but printable ASCII as '?', then escaped.
std::string shown_text(std::string_view text, std::size_t max_length);

} // namespace station
