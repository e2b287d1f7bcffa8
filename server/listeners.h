// The ten listening ports on 127.0.0.1, each one HTTP server that can be
// stopped (connections refused) and started again while the service runs.
#pragma once

#include "endpoint.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

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
  // Called on the servers' worker threads, for every request of every port.
  using Dispatch =
      std::function<void(Endpoint, int port, const httplib::Request &, httplib::Response &)>;

  // Called after the answer of every request the dispatcher did not see
  // (requests the HTTP layer rejected itself) and of those it did.
  using Logger = std::function<void(Endpoint, int port, const httplib::Request &,
                                    const httplib::Response &)>;

  // ports in address-file order; 0 lets the system choose a free port.
  Listeners(const std::array<int, kPortCount> &ports, Dispatch dispatch, Logger logger);
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
  class Port;
  std::array<std::unique_ptr<Port>, kPortCount> ports_;
};

} // namespace station
