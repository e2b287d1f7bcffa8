// The download of one news feed over http or https: time-outs, a size
// limit, a few redirects at most, and a way for another thread to cut it
// short.
#pragma once

#include "news_feed.h"

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace httplib {
class ClientImpl;
} // namespace httplib

namespace station {

inline constexpr std::size_t kMaxFeedUrl = 2048;

// An address "http(s)://host[:port][/path][?query]" in printable ASCII.
struct FeedUrl {
  bool tls = false;
  std::string host; // a name or an address; IPv6 without its brackets
  int port = 0;
  std::string target; // the path and query, at least "/"
};

// nullopt for anything but an absolute http(s) address of at most
// kMaxFeedUrl bytes with a plausible host; the fragment is dropped.
std::optional<FeedUrl> parse_feed_url(std::string_view url);

struct FetchLimits {
  std::chrono::milliseconds connect_timeout{5000};
  std::chrono::milliseconds read_timeout{10000}; // for each read
  std::chrono::milliseconds total_time{60000};   // checked as the body arrives
  std::size_t max_bytes = kMaxFeedBytes;         // of the body, as decompressed
  int max_redirects = 3;
};

// Cuts the download in progress short, and every later one, from any thread.
class FetchCancel {
public:
  void cancel();
  bool cancelled() const;

private:
  friend class ActiveFetch;
  mutable std::mutex mutex_;
  bool cancelled_ = false;
  httplib::ClientImpl *client_ = nullptr;
};

struct FetchResult {
  std::string body;
  std::string error; // empty on success
};

// GET of `url`: success only for a 200 answer of at most max_bytes after at
// most max_redirects redirects (never from https to http).
FetchResult fetch_feed(std::string_view url, const FetchLimits &limits, FetchCancel &cancel);

} // namespace station
