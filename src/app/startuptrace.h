#pragma once

class TFrm_Sintonia;

// With SINTONIA_STARTUP_TRACE set, prints on standard error the moments (monotonic clock,
// milliseconds) at which the main window is first shown and the access page has loaded,
// for the start-up benchmark, and the recorder plugin file the program finds ("none"
// without one), for the test of an installed copy. With SINTONIA_SCREENSHOT set to a file
// name, saves a picture of the main window there eight seconds after start.
namespace StartupTrace {
void attach(TFrm_Sintonia &window);
}
