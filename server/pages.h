// The pages of the service: one route table for the mirrors, one for the
// sites. A route is an exact, case-sensitive path and a method; the query is
// read by the page itself.
#pragma once

#include "catalogue.h"
#include "directory.h"
#include "endpoint.h"
#include "faults.h"
#include "query.h"
#include "reply.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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
};

// What pages may use besides the request.
struct PageContext {
  Directory &directory;
  Placeholders sites; // "product", "maker", "second", "sister" -> "127.0.0.1:port"
};

using PageHandler = Reply (*)(const PageRequest &, PageContext &);

struct Route {
  std::string_view method; // "GET" also answers HEAD
  std::string_view path;
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

// Site pages (site_pages.cpp).
Reply site_home_page(const PageRequest &request, PageContext &context);
// The title of a site's pages: names the site.
std::string_view site_title(int site);

} // namespace station
