// How many new addresses the newsletter takes from one client: at most
// kNewsletterPerClient in kNewsletterPeriod seconds, so that no client can
// fill the list. Thread-safe.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace station {

inline constexpr int kNewsletterPerClient = 5;
inline constexpr std::int64_t kNewsletterPeriod = 3600; // seconds

class NewsletterGate {
public:
  explicit NewsletterGate(int per_client = kNewsletterPerClient,
                          std::int64_t period = kNewsletterPeriod,
                          std::size_t max_clients = 4096);

  // Whether the client may add an address at `now`; counts it when it may.
  bool admit(const std::string &client, std::int64_t now);
  // Seconds until the client may add one again (0: now).
  std::int64_t wait(const std::string &client, std::int64_t now);

private:
  void forget_old(std::deque<std::int64_t> &times, std::int64_t now) const;

  const int per_client_;
  const std::int64_t period_;
  const std::size_t max_clients_;
  std::mutex mutex_;
  std::map<std::string, std::deque<std::int64_t>> added_; // times of the latest additions
};

} // namespace station
