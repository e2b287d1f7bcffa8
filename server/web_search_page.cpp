// The web search strip of the client's search window: a text field and a
// button in 377 x 40 pixels. The results open in a new window, which the
// client hands to the user's browser.
#include "pages.h"
#include "site_layout.h"

namespace station {

namespace {

constexpr std::size_t kMaxQuery = 200;

constexpr std::string_view kStripStyle =
    "html,body{margin:0;padding:0;overflow:hidden}"
    "body{width:377px;height:40px;background:#f6f8fc;font:12px Tahoma,Verdana,sans-serif}"
    "form{margin:0;height:40px;display:flex;align-items:center;gap:4px;padding:0 6px;"
    "box-sizing:border-box}"
    "input[type=text]{flex:1;min-width:0;height:22px;font:inherit;padding:0 4px;"
    "border:1px solid #9db3d9;background:#fff}"
    "input[type=submit]{height:24px;font:inherit;padding:0 8px}";

} // namespace

Reply web_search_page(const PageRequest &, PageContext &) {
  // The page is Windows-1252; the query goes out as UTF-8, as the search
  // engine reads it.
  Reply reply =
      html_reply(200, "Cerca nel web - Sintonia",
                 "<form method=\"get\" action=\"https://www.google.com/search\" target=\"_blank\" "
                 "accept-charset=\"UTF-8\"><input type=\"text\" name=\"q\" maxlength=\"" +
                     std::to_string(kMaxQuery) +
                     "\" aria-label=\"Cerca nel web\" placeholder=\"Cerca nel web\">"
                     "<input type=\"submit\" value=\"Cerca\"></form>",
                 kStripStyle);
  reply.cache_control = kSectionCacheControl;
  return reply;
}

} // namespace station
