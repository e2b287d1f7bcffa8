#include "listeners.h"

namespace station {

Listeners::Listeners(const std::array<int, kPortCount> &ports, Dispatch dispatch,
                     Refused refused, HttpServerSettings settings)
    : dispatch_(std::move(dispatch)), refused_(std::move(refused)),
      settings_(std::move(settings)) {
  for (int i = 0; i < kPortCount; ++i) {
    auto &port = ports_[static_cast<std::size_t>(i)];
    port.endpoint = endpoint_at(i);
    port.requested = ports[static_cast<std::size_t>(i)];
  }
}

Listeners::~Listeners() { stop_all(); }

bool Listeners::start_all(std::string &error) {
  for (auto &port : ports_) {
    if (port.server)
      continue;
    auto *self = &port;
    port.server = std::make_unique<HttpServer>(
        settings_,
        [this, self](const HttpRequest &request) {
          return dispatch_(self->endpoint, self->server->port(), request);
        },
        [this, self](const HttpRequest &request, int status) {
          if (refused_)
            refused_(self->endpoint, self->server->port(), request, status);
        });
    if (!port.server->start(port.requested)) {
      error = "cannot listen on 127.0.0.1:" + std::to_string(port.requested) + " (" +
              endpoint_name(port.endpoint) + ")";
      port.server.reset();
      return false;
    }
  }
  return true;
}

bool Listeners::set_listening(Endpoint endpoint, bool on, std::string &error) {
  auto &port = ports_.at(static_cast<std::size_t>(endpoint_index(endpoint)));
  if (!port.server) {
    error = endpoint_name(endpoint) + " is not running";
    return false;
  }
  if (!port.server->set_listening(on)) {
    error = "cannot listen again on 127.0.0.1:" + std::to_string(port.server->port()) + " (" +
            endpoint_name(endpoint) + ")";
    return false;
  }
  return true;
}

int Listeners::port(Endpoint endpoint) const {
  const auto &port = ports_.at(static_cast<std::size_t>(endpoint_index(endpoint)));
  return port.server ? port.server->port() : port.requested;
}

void Listeners::stop_all() {
  for (auto &port : ports_)
    if (port.server)
      port.server->stop();
}

} // namespace station
