// The news feeds the service reads: a text file of lines
//   <category> <http(s) address> [# comment]
// with blank lines and lines starting with '#' left out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace station {

inline constexpr std::size_t kMaxFeedFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxFeedsPerCategory = 8;

struct FeedSource {
  int category = 0; // 1..15
  std::string url;

  bool operator==(const FeedSource &) const = default;
};

struct FeedConfig {
  std::vector<FeedSource> feeds; // in file order, each pair once
  std::string error;             // "line N: ..." when the text was refused
};

FeedConfig parse_feed_config(std::string_view text);
FeedConfig read_feed_config(const std::string &path);

} // namespace station
