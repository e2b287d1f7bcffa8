// The request dispatcher shared by all ports: control pages, faults, pages,
// the request log, and the writing of the answer.
#pragma once

#include "control.h"
#include "directory.h"
#include "endpoint.h"
#include "faults.h"
#include "news_store.h"
#include "pages.h"
#include "request_log.h"
#include "shutdown.h"

#include <atomic>
#include <memory>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

namespace station {

class Service {
public:
  Service(Directory &directory, const NewsStore &news, FaultBoard &faults, RequestLog &log,
          Shutdown &shutdown, bool control_enabled);

  // Once the ports are bound: their switch, the sites' hosts and the text of
  // the ports page. Requests before this get 503.
  void attach(PortSwitch &ports, const Placeholders &sites, const std::string &addresses);

  // Thread-safe; called on the servers' worker threads.
  void dispatch(Endpoint endpoint, int port, const httplib::Request &request,
                httplib::Response &response);
  // The HTTP layer's logger: logs the requests dispatch() never saw.
  void after_answer(Endpoint endpoint, int port, const httplib::Request &request,
                    const httplib::Response &response);

private:
  Reply answer(Endpoint endpoint, int port, const httplib::Request &request,
               const FaultState &fault, bool control, std::int64_t now);
  void log(Endpoint endpoint, int port, const httplib::Request &request, int status,
           const std::string &note);

  Directory &directory_;
  const NewsStore &news_;
  FaultBoard &faults_;
  RequestLog &log_;
  Shutdown &shutdown_;
  const bool control_enabled_;
  std::unique_ptr<PageContext> pages_;
  std::unique_ptr<ControlContext> control_;
  std::atomic<bool> attached_{false};
};

} // namespace station
