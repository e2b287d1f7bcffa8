// The ten listening ports on 127.0.0.1, each one HTTP server (http_server.h)
// that can stop listening (connections refused) and listen again while the
// service runs.
#pragma once

#include "endpoint.h"
#include "http_server.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace station {

// Turns a port's listener off and on; the control pages use it.
class PortSwitch {
public:
  virtual ~PortSwitch() = default;
  // false with a message if the port could not listen again.
  virtual bool set_listening(Endpoint endpoint, bool on, std::string &error) = 0;
};

class Listeners final : public PortSwitch {
public:
  // Called on the port's server thread for every request it reads in full.
  using Dispatch = std::function<HttpAnswer(Endpoint, int port, const HttpRequest &)>;
  // Called for every request the HTTP layer refused itself, with its status.
  using Refused = std::function<void(Endpoint, int port, const HttpRequest &, int status)>;

  // ports in address-file order; 0 lets the system choose a free port.
  Listeners(const std::array<int, kPortCount> &ports, Dispatch dispatch, Refused refused,
            HttpServerSettings settings = {});
  ~Listeners() override;
  Listeners(const Listeners &) = delete;
  Listeners &operator=(const Listeners &) = delete;

  // Binds and starts every port; false with a message on the first failure.
  bool start_all(std::string &error);
  bool set_listening(Endpoint endpoint, bool on, std::string &error) override;
  // The bound port (the chosen one for 0), whether listening now or not.
  int port(Endpoint endpoint) const;
  // Stops every port and waits for the servers' threads.
  void stop_all();

private:
  struct Port {
    Endpoint endpoint;
    int requested = 0;
    std::unique_ptr<HttpServer> server;
  };
  std::array<Port, kPortCount> ports_;
  Dispatch dispatch_;
  Refused refused_;
  HttpServerSettings settings_;
};

} // namespace station
