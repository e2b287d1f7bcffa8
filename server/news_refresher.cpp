#include "news_refresher.h"

namespace station {

NewsRefresher::NewsRefresher(NewsStore &store, std::vector<FeedSource> feeds,
                             RefreshSettings settings, Report report)
    : store_(store), feeds_(std::move(feeds)), settings_(settings), report_(std::move(report)) {
  thread_ = std::thread([this] { run(); });
}

NewsRefresher::~NewsRefresher() { stop(); }

void NewsRefresher::stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  cancel_.cancel();
  if (thread_.joinable())
    thread_.join();
}

std::uint64_t NewsRefresher::rounds() {
  const std::lock_guard lock(mutex_);
  return rounds_;
}

bool NewsRefresher::wait_for_rounds(std::uint64_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return rounds_ >= count; });
}

void NewsRefresher::run() {
  while (true) {
    for (const auto &feed : feeds_) {
      refresh(feed);
      if (cancel_.cancelled()) // a round cut short does not count
        return;
    }
    std::unique_lock lock(mutex_);
    ++rounds_;
    changed_.notify_all();
    if (changed_.wait_for(lock, settings_.interval, [this] { return stopping_; }))
      return;
  }
}

void NewsRefresher::refresh(const FeedSource &feed) {
  const auto fetched = fetch_feed(feed.url, settings_.fetch, cancel_);
  std::string error = fetched.error;
  if (error.empty()) {
    auto parsed = parse_feed(fetched.body);
    if (parsed.error.empty())
      store_.set_feed(feed.category, feed.url, std::move(parsed.headlines));
    error = std::move(parsed.error);
  }
  if (!error.empty() && !cancel_.cancelled() && report_)
    report_("news feed " + feed.url.substr(0, 200) + " (category " + std::to_string(feed.category) +
            "): " + error);
}

} // namespace station
