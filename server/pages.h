// The pages of the service: one route table for the mirrors, one for the
// sites. A route is an exact, case-sensitive path and a method; the query is
// read by the page itself.
#pragma once

#include "catalogue.h"
#include "directory.h"
#include "endpoint.h"
#include "faults.h"
#include "news_store.h"
#include "query.h"
#include "reply.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace station {

// One request as the pages see it.
struct PageRequest {
  Endpoint endpoint;
  std::string method;       // "GET", "HEAD", "POST", ...
  std::string path;         // decoded path, without the query
  const QueryParams &params;
  std::string host;         // the mirror or site as the client named it (query.h)
  FaultState fault;         // the fault of this port
  std::int64_t now = 0;     // seconds since the epoch
  std::string client{};     // the client's address, "127.0.0.1"
  bool from_elsewhere = false; // sent by a page of another site (an <img>, a link)
};

class CatalogueCache;
class ClickGate;
class NewsletterGate;

// What pages may use besides the request.
struct PageContext {
  Directory &directory;
  Placeholders sites; // "product", "maker", "second", "sister" -> "127.0.0.1:port"
  const NewsStore &news;
  // The service's guards; pages without them count every click, compute the
  // catalogue on every request and take every address (tests of a page).
  ClickGate *clicks = nullptr;
  CatalogueCache *catalogue = nullptr;
  NewsletterGate *newsletter = nullptr;
};

using PageHandler = Reply (*)(const PageRequest &, PageContext &);

struct Route {
  std::string_view method; // "GET" also answers HEAD
  std::string_view path;   // a final '*' matches any rest of the path
  PageHandler handler;
};

std::span<const Route> mirror_routes();
std::span<const Route> site_routes();

// Finds the page for the request in its port's table; 404 without one.
Reply serve_page(const PageRequest &request, PageContext &context);

// Mirror pages (mirror_pages.cpp).
Reply access_page(const PageRequest &request, PageContext &context);
Reply catalogue_page(const PageRequest &request, PageContext &context);
Reply banner_page(const PageRequest &request, PageContext &context);

// Station player pages and their sound (player_pages.cpp).
//   /Radio/mostraRadio.asp?Id=N  the player of station N; a GET counts a click,
//                                once per client and station an hour (click_gate.h),
//                                and never when a page of another site sent it
//   /stream/N.wav                the tone of station N (audio_stream.h)
// Two ids are test pages, never stations: kLoadingPageId keeps the title
// "caricamento" and plays nothing; kAnnouncingPageId is titled "RADIO:-"
// followed by kAnnouncedName and plays the tone of its id.
inline constexpr std::int64_t kLoadingPageId = 9001;
inline constexpr std::int64_t kAnnouncingPageId = 9002;
inline constexpr std::string_view kAnnouncedName = "Radio Annuncio";
Reply player_page(const PageRequest &request, PageContext &context);
Reply stream_page(const PageRequest &request, PageContext &context);

// The three sections and the sponsor page (section_pages.cpp).
Reply search_page(const PageRequest &request, PageContext &context);
Reply all_stations_page(const PageRequest &request, PageContext &context);
Reply newsletter_page(const PageRequest &request, PageContext &context);
Reply sponsor_page(const PageRequest &request, PageContext &context);

// The personal-station picker and its confirmation (personal_pages.cpp).
// The confirmation page is titled kConfirmationTitle and holds the chosen
// station on fixed lines of its bytes (CR LF line ends, counted from 1):
// line 39 the id in decimal, line 41 the name, line 43 the caption.
inline constexpr std::string_view kConfirmationTitle = "Radio personale - Ventaglio.com";
inline constexpr int kConfirmationIdLine = 39;
Reply personal_picker_page(const PageRequest &request, PageContext &context);
Reply personal_confirmation_page(const PageRequest &request, PageContext &context);
// The confirmation page's bytes for a station.
std::string personal_confirmation_document(const Station &station);

// Markup shared by the listing pages (section_pages.cpp): a list of links
// `link_prefix` + id, one per station, or a line saying there is none; and
// a GET search form on `action` with its text field `cerca`.
inline constexpr std::size_t kMaxSearchText = 60;
std::string station_links(const std::vector<Station> &stations, std::string_view link_prefix);
std::string search_form(std::string_view action, std::string_view text_utf8);
// The search text of a request, as UTF-8 (forms of these pages send
// Windows-1252), '+' read as a blank; nothing when it is too long.
std::optional<std::string> search_text(const PageRequest &request);

// The news ticker's page (news_page.cpp):
//   /Radio/RssSintonia.asp?IdNotizia=N&TempoRitardo=S
// shows the headlines of category N one every S seconds, each one also as
// the page's title, then the title kNoNewsTitle for S seconds, and again.
// A category outside 1..15 gets a page titled kNoNewsTitle. S is clamped to
// kMinTickerSeconds..kMaxTickerSeconds; without a number it is the default.
inline constexpr std::string_view kNoNewsTitle = "NO";
inline constexpr int kDefaultTickerSeconds = 30;
inline constexpr int kMinTickerSeconds = 3;
inline constexpr int kMaxTickerSeconds = 3600;
int ticker_seconds(const QueryParams &params);
Reply news_page(const PageRequest &request, PageContext &context);

// The video section and the web search strip (video_page.cpp,
// web_search_page.cpp):
//   /Radio/Video.asp        video channels, each with player links of its stations
//   /radio/GoogleFinder.htm a GET form to a web search that opens a new window
Reply video_page(const PageRequest &request, PageContext &context);
Reply web_search_page(const PageRequest &request, PageContext &context);

// The sections of the sites, on every site (plugin_pages.cpp, forum_pages.cpp,
// support_pages.cpp; their look in site_layout.h):
//   /plugin/fb/                     the community board
//   /plugin/news/                   the news of the program
//   /plugin/vacanze/, .../mare.htm, .../montagna.htm   holiday offers
//   /forum, /Forum                  the forum; its discussions under
//   /forum/topic?id=N, /Forum/topic?id=N   N = 1..kForumTopicCount (forum_topics.h)
//   /Pagamenti/Donazioni.htm        donations
//   /pubblicitasoftware.asp         advertising on the program
Reply community_page(const PageRequest &request, PageContext &context);
Reply new_software_page(const PageRequest &request, PageContext &context);
Reply holiday_page(const PageRequest &request, PageContext &context);
Reply forum_page(const PageRequest &request, PageContext &context);
Reply forum_topic_page(const PageRequest &request, PageContext &context);
Reply donation_page(const PageRequest &request, PageContext &context);
Reply advertising_page(const PageRequest &request, PageContext &context);

// Site pages (site_pages.cpp).
Reply site_home_page(const PageRequest &request, PageContext &context);
// The product site's community box and its recorder-component page.
Reply community_box_page(const PageRequest &request, PageContext &context);
Reply recorder_install_page(const PageRequest &request, PageContext &context);
// The title of a site's pages: names the site.
std::string_view site_title(int site);

} // namespace station
