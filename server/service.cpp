#include "service.h"

#include "http_range.h"

#include <chrono>
#include <cstdio>

namespace station {

namespace {

Reply refusal(int status, std::string_view title, std::string_view text, std::string note) {
  Reply reply = html_reply(status, title, "<h1>" + html_escape(title) + "</h1>\r\n<p>" +
                                              html_escape(text) + "</p>");
  reply.cache_control = "no-store";
  reply.note = std::move(note);
  return reply;
}

// A header naming where the request comes from, when it names another site.
bool from_elsewhere(const HttpRequest &request, const HostNames &hosts, const char *name) {
  const auto *value = request.header(name);
  return value && !hosts.accepts_origin(*value);
}

// Whether a page of another site made the browser send this request: its
// own word for it (Sec-Fetch-Site), or an Origin or Referer of another site.
bool sent_by_another_site(const HttpRequest &request, const HostNames &hosts) {
  const auto *site = request.header("sec-fetch-site");
  return (site && *site == "cross-site") || from_elsewhere(request, hosts, "origin") ||
         from_elsewhere(request, hosts, "referer");
}

} // namespace

Service::Service(Directory &directory, const NewsStore &news, FaultBoard &faults, RequestLog &log,
                 bool control_enabled, HostNames hosts)
    : directory_(directory), news_(news), faults_(faults), log_(log),
      control_enabled_(control_enabled), hosts_(std::move(hosts)) {}

void Service::attach(PortSwitch &ports, const Placeholders &sites, const std::string &addresses) {
  pages_ = std::make_unique<PageContext>(PageContext{directory_, sites, news_});
  pages_->clicks = &clicks_;
  pages_->catalogue = &catalogue_;
  pages_->newsletter = &newsletter_;
  control_ = std::make_unique<ControlContext>(ControlContext{faults_, ports, log_, addresses});
  attached_.store(true);
}

Reply Service::answer(Endpoint endpoint, int port, const HttpRequest &request,
                      const FaultState &fault, bool control, std::int64_t now) {
  if (!attached_.load())
    return html_reply(503, "Servizio in avvio", "<p>Il servizio si sta avviando.</p>");
  const auto *host = request.header("host");
  if (host && !hosts_.accepts(*host))
    return refusal(421, "Indirizzo sconosciuto",
                   "Questo servizio risponde solo ai propri indirizzi.", "host");
  if (control) {
    if (from_elsewhere(request, hosts_, "origin") || from_elsewhere(request, hosts_, "referer"))
      return refusal(403, "Accesso negato", "Richiesta da un altro sito.", "control");
    return control_page(request.path, request.params, *control_);
  }
  // Forms of other sites may not post here.
  if (request.method == "POST" && from_elsewhere(request, hosts_, "origin"))
    return refusal(403, "Accesso negato", "Modulo inviato da un altro sito.", "origin");

  const PageRequest page{endpoint,
                         request.method,
                         request.path,
                         request.params,
                         request_host(host ? *host : std::string(), port),
                         fault,
                         now,
                         request.client,
                         sent_by_another_site(request, hosts_)};
  Reply reply;
  try {
    reply = serve_page(page, *pages_);
  } catch (const std::exception &e) {
    std::fprintf(stderr, "sintonia-station-service: %s %s: %s\n", endpoint_name(endpoint).c_str(),
                 log_safe(request.target, 200).c_str(), e.what());
    reply = server_error_reply();
  }
  if (fault.mode == FaultMode::Slow)
    reply.note = reply.note.empty() ? "slow" : reply.note + ",slow";
  return reply;
}

HttpAnswer Service::to_answer(const Reply &reply, const HttpRequest &request) {
  HttpAnswer out;
  out.status = reply.status;
  out.head_only = request.method == "HEAD";
  out.headers = {{"Content-Type", reply.content_type},
                 {"Cache-Control", reply.cache_control},
                 {"X-Content-Type-Options", "nosniff"}};
  if (!reply.generated) {
    // Pages are always sent whole: a Range header is ignored, as it may be.
    out.headers.emplace_back("Accept-Ranges", "none");
    if (reply.shared_body) {
      out.body = reply.shared_body;
      out.length = reply.shared_body->size();
    } else {
      out.set_body(reply.body);
    }
    return out;
  }
  const auto size = reply.generated->size;
  out.headers.emplace_back("Accept-Ranges", "bytes");
  out.generated = reply.generated;
  out.offset = 0;
  out.length = size;
  if (reply.status != 200)
    return out;
  const auto range = resolve_range(request.header("range"), size);
  switch (range.kind) {
  case RangeAnswer::Kind::Whole:
    break;
  case RangeAnswer::Kind::Part:
    out.status = 206;
    out.offset = range.first;
    out.length = range.last - range.first + 1;
    out.headers.emplace_back("Content-Range", "bytes " + std::to_string(range.first) + "-" +
                                                  std::to_string(range.last) + "/" +
                                                  std::to_string(size));
    break;
  case RangeAnswer::Kind::Unsatisfiable:
    out.status = 416;
    out.generated.reset();
    out.set_body("");
    out.headers.emplace_back("Content-Range", "bytes */" + std::to_string(size));
    break;
  }
  return out;
}

HttpAnswer Service::dispatch(Endpoint endpoint, int port, const HttpRequest &request) {
  const auto now = std::chrono::system_clock::now();
  const FaultState fault = faults_.get(endpoint);
  const bool control = control_enabled_ && request.path.starts_with(kControlPrefix);
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();

  const Reply reply = answer(endpoint, port, request, fault, control, seconds);
  HttpAnswer out = to_answer(reply, request);
  // Logged when the request arrives, before any delay, so that a test sees
  // at once which port was asked.
  log(endpoint, port, request, out.status, reply.note);
  if (!control && fault.mode == FaultMode::Slow)
    out.delay = std::chrono::milliseconds(fault.slow_ms);
  return out;
}

void Service::refused(Endpoint endpoint, int port, const HttpRequest &request, int status) {
  log(endpoint, port, request, status, "refused");
}

void Service::log(Endpoint endpoint, int port, const HttpRequest &request, int status,
                  const std::string &note) {
  log_.write({std::chrono::system_clock::now(), port, endpoint_name(endpoint), request.method,
              request.target, status, note});
}

} // namespace station
