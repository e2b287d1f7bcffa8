#include "request_log.h"

#include <algorithm>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace station {

namespace {

std::string utc_time(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto since_epoch = duration_cast<milliseconds>(time.time_since_epoch());
  const std::time_t seconds = static_cast<std::time_t>(since_epoch.count() / 1000);
  const int millis = static_cast<int>(since_epoch.count() % 1000);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", parts.tm_year + 1900,
                parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec,
                millis);
  return text;
}

} // namespace

std::string log_safe(std::string_view text, std::size_t max_length) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x21 && byte < 0x7F) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
    if (out.size() >= max_length) {
      out.resize(max_length);
      out += "...";
      break;
    }
  }
  return out;
}

std::string format_log_line(const LogEntry &entry) {
  std::string line = utc_time(entry.time);
  line += '\t' + std::to_string(entry.port);
  line += '\t' + entry.port_name;
  line += '\t' + log_safe(entry.method, 16);
  line += '\t' + log_safe(entry.target, 2048);
  line += '\t' + std::to_string(entry.status);
  line += '\t' + (entry.note.empty() ? std::string("-") : entry.note);
  return line;
}

RequestLog::~RequestLog() {
  if (file_)
    std::fclose(file_);
}

bool RequestLog::reopen(std::string &error) {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = "cannot open request log " + path_;
    return false;
  }
  struct stat status{};
  // A log left by an older version may be readable by others: no longer.
  fchmod(fd, 0600);
  file_bytes_ = fstat(fd, &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
  std::FILE *file = fdopen(fd, "a");
  if (!file) {
    ::close(fd);
    error = "cannot open request log " + path_;
    return false;
  }
  if (file_)
    std::fclose(file_);
  file_ = file;
  return true;
}

bool RequestLog::open(const std::string &path, std::string &error) {
  const std::lock_guard lock(mutex_);
  const std::string previous = path_;
  path_ = path;
  if (!reopen(error)) {
    path_ = previous;
    return false;
  }
  return true;
}

void RequestLog::rotate() {
  std::fclose(file_);
  file_ = nullptr;
  std::rename(path_.c_str(), (path_ + ".1").c_str());
  std::string error;
  if (!reopen(error))
    std::fprintf(stderr, "sintonia-station-service: %s\n", error.c_str());
}

void RequestLog::write(const LogEntry &entry) {
  std::string line = format_log_line(entry);
  const std::lock_guard lock(mutex_);
  if (file_ && file_bytes_ > 0 && file_bytes_ + line.size() + 1 > max_bytes_)
    rotate();
  if (file_) {
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
    file_bytes_ += line.size() + 1;
  }
  kept_bytes_ += line.size();
  kept_.push_back(std::move(line));
  while (kept_.size() > kKeptLines || (kept_.size() > 1 && kept_bytes_ > kKeptBytes)) {
    kept_bytes_ -= kept_.front().size();
    kept_.pop_front();
  }
  ++written_;
}

std::vector<std::string> RequestLog::lines(std::size_t from) const {
  const std::lock_guard lock(mutex_);
  const std::size_t first_kept = written_ - kept_.size();
  std::vector<std::string> out;
  for (std::size_t i = std::max(from, first_kept); i < written_; ++i)
    out.push_back(kept_[i - first_kept]);
  return out;
}

std::size_t RequestLog::count() const {
  const std::lock_guard lock(mutex_);
  return written_;
}

} // namespace station
