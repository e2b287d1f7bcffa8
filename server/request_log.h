// The request log: one line per request, appended to a file and flushed at
// once, so that a test can read which mirror was asked for what.
//
// A line holds seven fields separated by tabs:
//   time (UTC, ISO 8601 with milliseconds)  local port  port name
//   method  path with query (as sent)  status  note
// e.g. "2024-05-17T10:04:01.250Z	47803	mirror3	GET	/Radio/CaricaDati.asp?id=25&idRadio=0	200	-"
// The port name is "mirror1".."mirror6", "product", "maker", "second" or
// "sister". The note is "-", or the fault that shaped the answer ("title",
// "slow", "garble"), or "control" for the control pages. The path is the
// request target as sent (still percent-encoded); bytes outside printable
// ASCII in it are written as %XX.
//
// The file is private to the user (0600). It is kept under a size cap: when
// the next line would pass it, the file becomes "<path>.1" (replacing an
// older one) and a new file starts, so the log never holds more than twice
// the cap.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace station {

struct LogEntry {
  std::chrono::system_clock::time_point time;
  int port = 0;
  std::string port_name;
  std::string method;
  std::string target;
  int status = 0;
  std::string note;
};

std::string format_log_line(const LogEntry &entry);

// Printable ASCII kept, everything else (blanks, tabs, controls, bytes >= 0x7F)
// as %XX; cut to max_length characters with "..." at the end.
std::string log_safe(std::string_view text, std::size_t max_length);

// Thread-safe. Keeps the latest lines in memory too, for the control page.
class RequestLog {
public:
  static constexpr std::uint64_t kDefaultMaxBytes = 8 * 1024 * 1024;
  explicit RequestLog(std::uint64_t max_bytes = kDefaultMaxBytes) : max_bytes_(max_bytes) {}
  ~RequestLog();
  RequestLog(const RequestLog &) = delete;
  RequestLog &operator=(const RequestLog &) = delete;

  // Appends to the file at path from now on; false with a message on failure.
  bool open(const std::string &path, std::string &error);
  void write(const LogEntry &entry);

  // Lines written so far, in order, starting with line number `from`
  // (0-based, counted from the start of this run). Only the latest
  // kKeptLines are kept in memory.
  std::vector<std::string> lines(std::size_t from) const;
  std::size_t count() const;

  static constexpr std::size_t kKeptLines = 10000;
  static constexpr std::size_t kKeptBytes = 2 * 1024 * 1024; // however long the lines

private:
  bool reopen(std::string &error);
  void rotate();

  const std::uint64_t max_bytes_;
  mutable std::mutex mutex_;
  std::string path_;
  std::FILE *file_ = nullptr;
  std::uint64_t file_bytes_ = 0;
  std::deque<std::string> kept_;
  std::size_t kept_bytes_ = 0;
  std::size_t written_ = 0;
};

} // namespace station
