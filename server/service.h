// The request dispatcher shared by all ports: the host check, control pages,
// faults, pages, the request log, and the answer as it goes out.
#pragma once

#include "catalogue_cache.h"
#include "click_gate.h"
#include "control.h"
#include "directory.h"
#include "endpoint.h"
#include "faults.h"
#include "host_names.h"
#include "http_server.h"
#include "news_store.h"
#include "newsletter_gate.h"
#include "pages.h"
#include "request_log.h"

#include <atomic>
#include <memory>
#include <string>

namespace station {

class Service {
public:
  Service(Directory &directory, const NewsStore &news, FaultBoard &faults, RequestLog &log,
          bool control_enabled, HostNames hosts = HostNames());

  // Once the ports are bound: their switch, the sites' hosts and the text of
  // the ports page. Requests before this get 503.
  void attach(PortSwitch &ports, const Placeholders &sites, const std::string &addresses);

  // Thread-safe; called on the servers' threads.
  HttpAnswer dispatch(Endpoint endpoint, int port, const HttpRequest &request);
  // Logs a request the HTTP layer refused itself.
  void refused(Endpoint endpoint, int port, const HttpRequest &request, int status);

  // The HTTP answer of a page's reply to this request: the whole body, a
  // range of a generated one (206, 416), or only the head for HEAD.
  static HttpAnswer to_answer(const Reply &reply, const HttpRequest &request);

private:
  Reply answer(Endpoint endpoint, int port, const HttpRequest &request, const FaultState &fault,
               bool control, std::int64_t now);
  void log(Endpoint endpoint, int port, const HttpRequest &request, int status,
           const std::string &note);

  Directory &directory_;
  const NewsStore &news_;
  FaultBoard &faults_;
  RequestLog &log_;
  const bool control_enabled_;
  const HostNames hosts_;
  ClickGate clicks_;
  NewsletterGate newsletter_;
  CatalogueCache catalogue_;
  std::unique_ptr<PageContext> pages_;
  std::unique_ptr<ControlContext> control_;
  std::atomic<bool> attached_{false};
};

} // namespace station
