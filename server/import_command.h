// `sintonia-station-service --import FILE`: adds the stations of a playlist
// or station list to the directory, prints what it did, and exits.
#pragma once

#include "options.h"

namespace station {

// The process exit code: 0 when the file was read (refused entries
// included), 1 when nothing could be imported.
int run_import(const Options &options);

} // namespace station
