// The service's life: open the directory, listen, announce readiness, wait
// for SIGTERM or SIGINT, stop.
#pragma once

#include "options.h"

namespace station {

// The process exit code: 0 after a clean stop, 1 when it could not start.
int run_service(const Options &options);

} // namespace station
