// Control pages for tests, under "/_control/" on every port when the service
// runs with --control. They are never subject to faults.
//
//   /_control/fault?mirror=N&mode=M[&ms=D]   N 1..6; or site=N (1..4)
//        M: none, refuse, title, slow, garble; D: delay of slow in ms
//        refuse closes the port's listener at once; any other mode on a
//        refused port listens again. Answers "ok <port name> <mode>".
//   /_control/faults                         the current fault of each port
//   /_control/log[?from=K]                   the request log of this run,
//        from line K (0-based) on
//   /_control/ports                          the ten addresses, address-file order
// Answers are text/plain; bad parameters give 400.
#pragma once

#include "endpoint.h"
#include "faults.h"
#include "listeners.h"
#include "query.h"
#include "reply.h"
#include "request_log.h"

#include <optional>
#include <string>
#include <string_view>

namespace station {

inline constexpr std::string_view kControlPrefix = "/_control/";
inline constexpr int kMaxSlowMs = 600000;

// Sets the fault of a port and switches its listener to match.
bool apply_fault(Endpoint endpoint, FaultMode mode, std::optional<int> slow_ms,
                 FaultBoard &faults, PortSwitch &ports, std::string &error);

struct ControlContext {
  FaultBoard &faults;
  PortSwitch &ports;
  const RequestLog &log;
  std::string addresses; // the text of /_control/ports
};

Reply control_page(std::string_view path, const QueryParams &params, ControlContext &context);

} // namespace station
