#include "pages.h"

#include <array>

namespace station {

namespace {

// Paths exactly as the client writes them: "/radio/" and "/Radio/" differ.
constexpr std::array<Route, 3> kMirrorRoutes = {{
    {"GET", "/radio/AccessoSintonia.asp", access_page},
    {"GET", "/Radio/CaricaDati.asp", catalogue_page},
    {"GET", "/Radio/radio.asp", banner_page},
}};

constexpr std::array<Route, 2> kSiteRoutes = {{
    {"GET", "/", site_home_page},
    {"GET", "/index.html", site_home_page},
}};

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
    if (route.path == request.path && method_matches(route.method, request.method))
      return route.handler(request, context);
  return not_found_reply();
}

} // namespace station
