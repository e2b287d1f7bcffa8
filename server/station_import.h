// Import of stations from a playlist or a station list into the directory:
// names, captions and genres made fit for the catalogue, stream addresses
// checked, and stations matched by their stream address, so that importing
// the same file again changes nothing.
//
// The file is read twice, entry by entry: first for the addresses it names,
// then to write the stations, all in one transaction. What the import keeps
// in memory grows with the number of distinct addresses in the file, never
// with the directory.
#pragma once

#include "directory.h"
#include "import_entry.h"
#include "import_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace station {

inline constexpr std::size_t kMaxListedRefusals = 1000;

struct ImportReport {
  std::size_t added = 0;
  std::size_t updated = 0;
  std::size_t unchanged = 0;
  std::size_t refused = 0;
  std::vector<Refusal> refusals; // the first kMaxListedRefusals, in the order of the file
  std::string error;             // when set, nothing was imported
};

// New stations are dated `now`. Two stations never share a name (in any
// case of its ASCII letters): a later one in the file takes " (2)",
// " (3)", ... A directory without stations is first given the demo
// directory, as at the service's first start, for its edition settings;
// the first import that adds a station removes the demo stations.
ImportReport import_text(Directory &directory, std::string_view text, std::int64_t now,
                         const ReadLimits &limits = {});

ImportReport import_file(Directory &directory, const std::string &path, std::int64_t now,
                         const ReadLimits &limits = {}, std::size_t max_bytes = kMaxImportBytes);

// The lines the import command prints.
std::string report_text(const std::string &path, const ImportReport &report);

} // namespace station
