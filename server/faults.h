// Fault switches per port, for tests of the client's failover.
#pragma once

#include "endpoint.h"

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace station {

enum class FaultMode {
  None,   // normal service
  Refuse, // the port does not listen: connections are refused
  Title,  // the access page carries another title
  Slow,   // every page of the port answers only after a delay
  Garble, // the catalogue carries one extra line break at its start
};

std::optional<FaultMode> parse_fault_mode(std::string_view text);
std::string_view fault_mode_name(FaultMode mode);

struct FaultState {
  FaultMode mode = FaultMode::None;
  int slow_ms = 0; // delay of the Slow mode
};

// The current fault of every port; read by every request, written by the
// command line and the control pages. Thread-safe.
class FaultBoard {
public:
  explicit FaultBoard(int default_slow_ms);

  FaultState get(Endpoint endpoint) const;
  // slow_ms: the delay for Slow; the default delay when not given.
  void set(Endpoint endpoint, FaultMode mode, std::optional<int> slow_ms = std::nullopt);
  // One line per port: "mirror1 none", "mirror2 slow 300", ...
  std::string describe() const;

private:
  const int default_slow_ms_;
  mutable std::mutex mutex_;
  std::array<FaultState, kPortCount> states_{};
};

} // namespace station
