// The body shared by the import fuzz targets: the reader on its own, then
// the whole import of the same bytes into a new in-memory directory,
// which checks addresses and makes names and captions.
#pragma once

#include "import_entry.h"
#include "import_text.h"
#include "station_import.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

template <class Reader> int fuzz_import(const uint8_t *data, size_t size, Reader read) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  station::ReadLimits limits;
  limits.max_entries = 500;
  const station::ReadResult result = read(text, limits);
  if (!result.error.empty() && !result.entries.empty())
    __builtin_trap(); // an unusable file gives no stations

  // One station of its own, so that the import does not seed the demo directory first
  // (which would take most of the time of a run).
  station::Directory directory(":memory:");
  directory.add_station({"Radio", "Radio", "", 0});
  const station::ImportReport report = station::import_text(directory, text, 0, limits);
  const auto stations = directory.imported_stations();
  if (stations.size() != report.added || report.updated != 0 || report.unchanged != 0)
    __builtin_trap(); // into a new directory, every station written is a new one
  for (const auto &s : stations)
    if (s.station.name.empty() || s.stream.stream.empty() ||
        station::row_text_width(s.station.caption) > station::kCaptionPixels)
      __builtin_trap();
  return 0;
}
