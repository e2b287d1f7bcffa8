#include "pages.h"
#include "web_assets.h"

#include <array>

namespace station {

namespace {

// Paths exactly as the client writes them: "/radio/" and "/Radio/" differ.
constexpr std::array<Route, 16> kMirrorRoutes = {{
    {"GET", "/radio/AccessoSintonia.asp", access_page},
    {"GET", "/Radio/CaricaDati.asp", catalogue_page},
    {"GET", "/Radio/radio.asp", banner_page},
    {"GET", "/Radio/mostraRadio.asp", player_page},
    {"GET", "/stream/*", stream_page},
    {"GET", "/Radio/ricercaRadio.asp", search_page},
    {"GET", "/Radio/elencoAltre.asp", all_stations_page},
    {"GET", "/radio/SegnalaIndirizzo.asp", newsletter_page},
    {"POST", "/radio/SegnalaIndirizzo.asp", newsletter_page},
    {"GET", "/Radio/SponsorAggiuntivi.asp", sponsor_page},
    {"GET", "/Radio/radioPersonale.asp", personal_picker_page},
    {"GET", "/Radio/confermaRadioPersonale.asp", personal_confirmation_page},
    {"GET", "/Radio/RssSintonia.asp", news_page},
    {"GET", "/Radio/Video.asp", video_page},
    {"GET", "/radio/GoogleFinder.htm", web_search_page},
    {"GET", kHlsPlayerPath, hls_player_page},
}};

constexpr std::array<Route, 17> kSiteRoutes = {{
    {"GET", "/", site_home_page},
    {"GET", "/index.html", site_home_page},
    {"GET", "/comunity/randomfacebook.asp", community_box_page},
    {"GET", "/AudioRecording.exe", recorder_install_page},
    {"GET", "/plugin/fb/", community_page},
    {"GET", "/plugin/news/", new_software_page},
    {"GET", "/plugin/vacanze/", holiday_page},
    {"GET", "/plugin/vacanze/mare.htm", holiday_page},
    {"GET", "/plugin/vacanze/montagna.htm", holiday_page},
    {"GET", "/forum", forum_page},
    {"GET", "/Forum", forum_page},
    {"GET", "/forum/topic", forum_topic_page},
    {"GET", "/Forum/topic", forum_topic_page},
    {"GET", "/Pagamenti/Donazioni.htm", donation_page},
    {"GET", "/pubblicitasoftware.asp", advertising_page},
}};

bool path_matches(std::string_view route, std::string_view request) {
  if (route.ends_with('*'))
    return request.starts_with(route.substr(0, route.size() - 1));
  return route == request;
}

bool method_matches(std::string_view route, std::string_view request) {
  return route == request || (route == "GET" && request == "HEAD");
}

} // namespace

std::span<const Route> mirror_routes() { return kMirrorRoutes; }
std::span<const Route> site_routes() { return kSiteRoutes; }

Reply serve_page(const PageRequest &request, PageContext &context) {
  const auto routes =
      request.endpoint.kind == PortKind::Mirror ? mirror_routes() : site_routes();
  for (const auto &route : routes)
    if (path_matches(route.path, request.path) && method_matches(route.method, request.method))
      return route.handler(request, context);
  return not_found_reply();
}

} // namespace station
