#include "click_gate.h"

namespace station {

ClickGate::ClickGate(std::size_t capacity, std::int64_t window)
    : capacity_(capacity), window_(window) {}

void ClickGate::forget_before(std::int64_t since) {
  std::erase_if(last_, [since](const auto &entry) { return entry.second < since; });
}

bool ClickGate::admit(const std::string &client, std::int64_t station, std::int64_t now) {
  const std::lock_guard lock(mutex_);
  const auto key = std::make_pair(client, station);
  const auto found = last_.find(key);
  if (found != last_.end()) {
    // A clock set back counts as inside the window.
    if (now < found->second + window_)
      return false;
    found->second = now;
    return true;
  }
  if (last_.size() >= capacity_)
    forget_before(now - window_ + 1);
  if (last_.size() >= capacity_)
    return false;
  last_.emplace(key, now);
  return true;
}

} // namespace station
