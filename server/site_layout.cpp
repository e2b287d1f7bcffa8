#include "site_layout.h"

#include <array>

namespace station {

namespace {

constexpr std::string_view kLightStyle =
    "body{background:#f6f8fc;color:#222;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:8px 14px 14px;font-size:13px;line-height:1.35}"
    "nav{font-size:11px;border-bottom:1px solid #c9d4e8;padding-bottom:5px;margin-bottom:8px}"
    "nav a{margin-right:10px}a{color:#1a4a9c}"
    "h1{font-size:18px;margin:0 0 6px;color:#102040}h2{font-size:14px;margin:12px 0 4px;"
    "color:#102040}p{margin:6px 0}ul{padding-left:18px;margin:6px 0}li{margin:4px 0}"
    "small{color:#6b7280}.post{background:#fff;border:1px solid #dce3ef;padding:6px 8px;"
    "margin:6px 0}.post b{color:#102040}";

struct BarLink {
  std::string_view path;
  std::string_view label;
};

constexpr std::array<BarLink, 6> kBar = {{
    {"/plugin/fb/", "Community"},
    {"/plugin/news/", "Nuovo software"},
    {"/plugin/vacanze/", "Vacanze"},
    {"/forum", "Forum"},
    {"/Pagamenti/Donazioni.htm", "Sostieni Sintonia"},
    {"/pubblicitasoftware.asp", "Pubblicità"},
}};

} // namespace

Reply light_page(int status, std::string_view title, std::string_view body_markup) {
  Reply reply = html_reply(status, title, body_markup, kLightStyle);
  if (status == 200)
    reply.cache_control = kSectionCacheControl;
  return reply;
}

std::string site_bar() {
  std::string bar = "<nav>";
  for (const auto &link : kBar)
    bar += "<a href=\"" + std::string(link.path) + "\">" + std::string(link.label) + "</a>";
  return bar + "</nav>\r\n";
}

std::string shown_text(std::string_view text, std::size_t max_length) {
  std::string shown(text.substr(0, max_length));
  for (char &c : shown)
    if (c < 0x20 || c > 0x7E)
      c = '?';
  return html_escape(shown);
}

} // namespace station
