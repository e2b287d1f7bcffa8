// Which views of a player page count as clicks: one per client address and
// station in kClickWindow seconds. Reloads, floods and pages of other web
// sites loading the player in a loop add nothing more. Thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace station {

inline constexpr std::int64_t kClickWindow = 3600; // seconds

class ClickGate {
public:
  // capacity: client and station pairs remembered at most; when that many
  // are inside their window no further click counts until one leaves it.
  explicit ClickGate(std::size_t capacity = 65536, std::int64_t window = kClickWindow);

  // Whether a view at `now` (seconds) counts; remembers it when it does.
  bool admit(const std::string &client, std::int64_t station, std::int64_t now);

private:
  void forget_before(std::int64_t since);

  const std::size_t capacity_;
  const std::int64_t window_;
  std::mutex mutex_;
  std::map<std::pair<std::string, std::int64_t>, std::int64_t> last_; // -> time counted
};

} // namespace station
