// The pages of the four sites: the product web site and the maker's sites.
#include "pages.h"

#include <array>

namespace station {

namespace {

constexpr std::array<std::string_view, kSiteCount> kTitles = {
    "Sintonia - il sito del programma",
    "Onde Digitali - sito principale",
    "Onde Digitali - secondo sito",
    "Radio in Rete - sito gemello",
};

constexpr std::string_view kSiteStyle =
    "body{font-family:Tahoma,Verdana,sans-serif;margin:24px;color:#222}"
    "h1{font-size:22px}";

} // namespace

std::string_view site_title(int site) {
  return kTitles.at(static_cast<std::size_t>(site - 1));
}

Reply site_home_page(const PageRequest &request, PageContext &) {
  const auto title = site_title(request.endpoint.number);
  return html_reply(200, title,
                    "<h1>" + html_escape(title) +
                        "</h1>\r\n<p>Benvenuti. Le pagine di questo sito sono in "
                        "preparazione.</p>",
                    kSiteStyle);
}

} // namespace station
