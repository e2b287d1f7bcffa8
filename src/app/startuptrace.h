#pragma once

class TFrm_Sintonia;

// With SINTONIA_STARTUP_TRACE set, prints on standard error the moments (monotonic clock,
// milliseconds) at which the main window is first shown and the access page has loaded,
// for the start-up benchmark.
namespace StartupTrace {
void attach(TFrm_Sintonia &window);
}
