#include "newsletter_gate.h"

#include <iterator>

namespace station {

NewsletterGate::NewsletterGate(int per_client, std::int64_t period, std::size_t max_clients)
    : per_client_(per_client), period_(period), max_clients_(max_clients) {}

void NewsletterGate::forget_old(std::deque<std::int64_t> &times, std::int64_t now) const {
  while (!times.empty() && (times.front() <= now - period_ || times.front() > now))
    times.pop_front();
}

bool NewsletterGate::admit(const std::string &client, std::int64_t now) {
  const std::lock_guard lock(mutex_);
  auto found = added_.find(client);
  if (found == added_.end()) {
    if (added_.size() >= max_clients_)
      for (auto at = added_.begin(); at != added_.end();) {
        forget_old(at->second, now);
        at = at->second.empty() ? added_.erase(at) : std::next(at);
      }
    if (added_.size() >= max_clients_)
      return false;
    found = added_.emplace(client, std::deque<std::int64_t>{}).first;
  }
  auto &times = found->second;
  forget_old(times, now);
  if (static_cast<int>(times.size()) >= per_client_)
    return false;
  times.push_back(now);
  return true;
}

std::int64_t NewsletterGate::wait(const std::string &client, std::int64_t now) {
  const std::lock_guard lock(mutex_);
  const auto found = added_.find(client);
  if (found == added_.end())
    return 0;
  forget_old(found->second, now);
  if (static_cast<int>(found->second.size()) < per_client_)
    return 0;
  return found->second.front() + period_ - now;
}

} // namespace station
