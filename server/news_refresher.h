// Reads the configured news feeds into the store in the background: one
// thread, a round of every feed at once and then one each interval. A feed
// that fails leaves its category's last good headlines in place.
#pragma once

#include "news_config.h"
#include "news_fetch.h"
#include "news_store.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace station {

struct RefreshSettings {
  std::chrono::milliseconds interval{std::chrono::minutes(15)};
  FetchLimits fetch;
};

class NewsRefresher {
public:
  // Told about every feed that failed, with the reason.
  using Report = std::function<void(const std::string &)>;

  // Starts the thread.
  NewsRefresher(NewsStore &store, std::vector<FeedSource> feeds, RefreshSettings settings,
                Report report = {});
  ~NewsRefresher(); // stop()
  NewsRefresher(const NewsRefresher &) = delete;
  NewsRefresher &operator=(const NewsRefresher &) = delete;

  // Ends the wait or the download under way and joins the thread.
  void stop();

  // Rounds complete so far; a wait until there are `count` of them, false
  // if there were not within `timeout`.
  std::uint64_t rounds();
  bool wait_for_rounds(std::uint64_t count, std::chrono::milliseconds timeout);

private:
  void run();
  void refresh(const FeedSource &feed);

  NewsStore &store_;
  const std::vector<FeedSource> feeds_;
  const RefreshSettings settings_;
  const Report report_;
  FetchCancel cancel_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  std::uint64_t rounds_ = 0;
  std::thread thread_;
};

} // namespace station
