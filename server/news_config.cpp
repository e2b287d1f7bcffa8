#include "news_config.h"

#include "news_fetch.h"
#include "news_store.h"
#include "numbers.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace station {

namespace {

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> found;
  while (true) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos)
      return found;
    line.remove_prefix(start);
    const auto end = line.find_first_of(" \t");
    found.push_back(line.substr(0, end));
    if (end == std::string_view::npos)
      return found;
    line.remove_prefix(end);
  }
}

// Checks one line and adds its feed; an error text otherwise.
std::string read_line(std::string_view line, FeedConfig &config) {
  const auto parts = words(line);
  if (parts.empty() || parts[0].starts_with('#'))
    return {};
  if (parts.size() < 2 || (parts.size() > 2 && !parts[2].starts_with('#')))
    return "expected <category> <address>";
  const auto category = parse_decimal(parts[0], kFirstNewsCategory, kLastNewsCategory);
  if (!category)
    return "the category must be " + std::to_string(kFirstNewsCategory) + ".." +
           std::to_string(kLastNewsCategory);
  if (!parse_feed_url(parts[1]))
    return "not an http(s) address of at most " + std::to_string(kMaxFeedUrl) + " characters";

  const FeedSource feed{static_cast<int>(*category), std::string(parts[1])};
  if (std::find(config.feeds.begin(), config.feeds.end(), feed) != config.feeds.end())
    return {};
  const auto same_category =
      std::count_if(config.feeds.begin(), config.feeds.end(),
                    [&](const auto &f) { return f.category == feed.category; });
  if (static_cast<std::size_t>(same_category) == kMaxFeedsPerCategory)
    return "more than " + std::to_string(kMaxFeedsPerCategory) + " feeds for category " +
           std::to_string(feed.category);
  config.feeds.push_back(feed);
  return {};
}

} // namespace

FeedConfig parse_feed_config(std::string_view text) {
  FeedConfig config;
  if (text.size() > kMaxFeedFileBytes) {
    config.error = "larger than " + std::to_string(kMaxFeedFileBytes) + " bytes";
    return config;
  }
  for (int number = 1; !text.empty(); ++number) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r'))
      line.remove_suffix(1);
    if (auto error = read_line(line, config); !error.empty()) {
      config.feeds.clear();
      config.error = "line " + std::to_string(number) + ": " + error;
      return config;
    }
  }
  return config;
}

FeedConfig read_feed_config(const std::string &path) {
  FeedConfig config;
  std::error_code error;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, error))
    in.open(path, std::ios::binary);
  // One byte over the limit is enough to refuse the file.
  std::string text(kMaxFeedFileBytes + 1, '\0');
  if (in.is_open())
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (!in.is_open() || in.bad()) {
    config.error = "cannot read " + path;
    return config;
  }
  text.resize(static_cast<std::size_t>(in.gcount()));
  config = parse_feed_config(text);
  if (!config.error.empty())
    config.error = path + ": " + config.error;
  return config;
}

} // namespace station
