#include "service.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace station {

namespace {

// Set by dispatch() for the request its worker thread is answering, so that
// the HTTP layer's logger, which runs next on the same thread, does not log
// it a second time.
thread_local bool t_logged = false;

// The generated body goes out in pieces of this size; between pieces a
// stop of the service ends the answer.
constexpr std::size_t kGeneratedPiece = 32 * 1024;

void write_generated(const GeneratedBody &generated, const std::string &type,
                     const Shutdown &shutdown, httplib::Response &response) {
  response.set_header("Accept-Ranges", "bytes");
  response.set_content_provider(
      static_cast<std::size_t>(generated.size), type,
      [read = generated.read, &shutdown](std::size_t offset, std::size_t length,
                                         httplib::DataSink &sink) {
        if (shutdown.requested())
          return false;
        std::string piece(std::min(length, kGeneratedPiece), '\0');
        const auto made = read(offset, piece.size(), piece.data());
        return made > 0 && sink.write(piece.data(), made);
      });
}

// A range that starts past the end of a generated body.
bool unsatisfiable(const httplib::Request &request, std::uint64_t size) {
  for (const auto &[first, last] : request.ranges)
    if (first >= 0 ? static_cast<std::uint64_t>(first) >= size : last == 0)
      return true;
  return false;
}

// The status that goes out: a generated body may be sent in part or not at all.
int sent_status(const Reply &reply, const httplib::Request &request) {
  if (!reply.generated || reply.status != 200)
    return reply.status;
  if (unsatisfiable(request, reply.generated->size))
    return 416;
  return request.ranges.empty() ? 200 : 206;
}

void write_reply(const Reply &reply, const httplib::Request &request, const Shutdown &shutdown,
                 httplib::Response &response) {
  response.status = reply.status;
  response.set_header("Cache-Control", reply.cache_control);
  if (reply.generated && unsatisfiable(request, reply.generated->size)) {
    response.status = 416;
    response.set_header("Content-Range", "bytes */" + std::to_string(reply.generated->size));
    return;
  }
  if (reply.generated) {
    // Left to the HTTP layer, which answers a range request with 206.
    if (reply.status == 200)
      response.status = -1;
    write_generated(*reply.generated, reply.content_type, shutdown, response);
    return;
  }
  if (reply.plain || reply.body.empty()) {
    response.set_content(reply.body, reply.content_type);
    return;
  }
  // A sized content provider: the bytes go out exactly as built, never
  // compressed (the HTTP layer compresses bodies of text types).
  auto body = std::make_shared<const std::string>(reply.body);
  response.set_content_provider(
      body->size(), reply.content_type,
      [body](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
        if (offset >= body->size())
          return false;
        sink.write(body->data() + offset, std::min(length, body->size() - offset));
        return true;
      });
}

} // namespace

Service::Service(Directory &directory, const NewsStore &news, FaultBoard &faults, RequestLog &log,
                 Shutdown &shutdown, bool control_enabled)
    : directory_(directory), news_(news), faults_(faults), log_(log), shutdown_(shutdown),
      control_enabled_(control_enabled) {}

void Service::attach(PortSwitch &ports, const Placeholders &sites, const std::string &addresses) {
  pages_ = std::make_unique<PageContext>(PageContext{directory_, sites, news_});
  control_ = std::make_unique<ControlContext>(ControlContext{faults_, ports, log_, addresses});
  attached_.store(true);
}

Reply Service::answer(Endpoint endpoint, int port, const httplib::Request &request,
                      const FaultState &fault, bool control, std::int64_t now) {
  if (!attached_.load())
    return html_reply(503, "Servizio in avvio", "<p>Il servizio si sta avviando.</p>");
  if (control)
    return control_page(request.path, request.params, *control_);

  const PageRequest page{endpoint,      request.method,
                         request.path,  request.params,
                         request_host(request.get_header_value("Host"), port),
                         fault,         now};
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

void Service::dispatch(Endpoint endpoint, int port, const httplib::Request &request,
                       httplib::Response &response) {
  const auto now = std::chrono::system_clock::now();
  const FaultState fault = faults_.get(endpoint);
  const bool control = control_enabled_ && request.path.starts_with(kControlPrefix);
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();

  const Reply reply = answer(endpoint, port, request, fault, control, seconds);
  // Logged when the request arrives, before any delay, so that a test sees
  // at once which port was asked.
  log(endpoint, port, request, sent_status(reply, request), reply.note);
  t_logged = true;
  if (!control && fault.mode == FaultMode::Slow)
    shutdown_.wait_for(fault.slow_ms);
  write_reply(reply, request, shutdown_, response);
}

void Service::after_answer(Endpoint endpoint, int port, const httplib::Request &request,
                           const httplib::Response &response) {
  if (!t_logged)
    log(endpoint, port, request, response.status, "");
  t_logged = false;
}

void Service::log(Endpoint endpoint, int port, const httplib::Request &request, int status,
                  const std::string &note) {
  log_.write({std::chrono::system_clock::now(), port, endpoint_name(endpoint), request.method,
              request.target, status, note});
}

} // namespace station
