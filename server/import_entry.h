// What the import readers take from a playlist or a station list: one entry
// per station as the file gives it, and the entries they could not take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace station {

// One station as read. Text is UTF-8 but not yet made fit for the catalogue
// (import_text.h); addresses are not yet checked (stream_address.h).
struct ImportEntry {
  std::string where;    // "line 12", "station 3": for the import report
  std::string name;
  std::string address;  // the stream address the file gives
  std::string resolved; // a directory's resolved address of the same stream, or empty
  std::string homepage;
  std::string country;  // ISO 3166 code as given
  std::string codec;
  std::string tags;     // comma-separated
  std::int64_t bitrate = 0; // kbit/s, 0 when unknown
};

struct Refusal {
  std::string where;
  std::string reason;
};

// Where a reader gives what it reads, entry by entry, in the order of the
// file (a PLS playlist's entries in the order of their numbers).
class ReadSink {
public:
  virtual ~ReadSink() = default;
  virtual void entry(ImportEntry &&entry) = 0;
  virtual void refused(Refusal &&refusal) = 0;
};

struct ReadResult {
  std::vector<ImportEntry> entries;
  std::vector<Refusal> refused;
  std::string error; // the whole file is unusable: why
};

// Keeps everything a reader gives.
class ReadCollector : public ReadSink {
public:
  explicit ReadCollector(ReadResult &result) : result_(result) {}
  void entry(ImportEntry &&entry) override { result_.entries.push_back(std::move(entry)); }
  void refused(Refusal &&refusal) override { result_.refused.push_back(std::move(refusal)); }

private:
  ReadResult &result_;
};

// Bounds on what a reader keeps from untrusted input.
struct ReadLimits {
  std::size_t max_line = 8192;       // bytes of one playlist line
  std::size_t max_field = 4096;      // bytes kept of one text field
  std::size_t max_entries = 100000;  // stations of one file
  int max_depth = 32;                // JSON nesting
};

} // namespace station
