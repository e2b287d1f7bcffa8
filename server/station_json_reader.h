// Reader of the station lists of the open community radio directory: a JSON
// array of objects with stationuuid, name, url, url_resolved, homepage,
// favicon, tags, countrycode, language, codec, bitrate, clickcount and
// lastchangetime. Unknown fields, and fields of an unexpected type, are
// left aside. The list is read as a stream of events, never as a tree, so
// deep nesting costs no stack and no more memory than the stations.
#pragma once

#include "import_entry.h"

#include <string_view>

namespace station {

// Gives the stations to `sink` as they come and returns what makes the
// whole file unusable (a syntax error, a list nested too deep, no list):
// the stations given before it must then be dropped.
std::string read_station_json(std::string_view text, const ReadLimits &limits, ReadSink &sink);

// Without stations when the file is unusable.
ReadResult read_station_json(std::string_view text, const ReadLimits &limits = {});

} // namespace station
