// The demo directory the service writes on first start.
#pragma once

#include "directory.h"

#include <cstdint>

namespace station {

// The customisation number of the client's partner edition; the generic
// edition is 0.
inline constexpr int kPartnerEdition = 25;

// The demo stations with their creation dates, sixty days of click records
// and the edition settings, all relative to `now`. The same `now` gives the
// same directory.
BulkLoad demo_directory(std::int64_t now);

// On first start (no stations yet) loads the demo directory; returns true if
// it did. A demo directory whose last seven days hold no click at all (the
// service was not run for a week) gets a fresh week of demo clicks, so that
// the most-clicked list is never empty for want of traffic.
bool seed_if_new(Directory &directory, std::int64_t now);

} // namespace station
