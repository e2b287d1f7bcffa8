#pragma once

// SIGTERM, SIGINT and SIGHUP end the program the way "Esci" does: the event loop stops
// and every window is destroyed in order, so a session logout leaves nothing half-done.
namespace QuitOnSignal {
void install();
}
