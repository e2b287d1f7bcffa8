// The headlines of the fifteen news categories, shared between the feed
// refresher (writer) and the request threads (readers).
#pragma once

#include "news_feed.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace station {

inline constexpr int kFirstNewsCategory = 1;
inline constexpr int kLastNewsCategory = 15;
inline constexpr int kNewsCategoryCount = kLastNewsCategory - kFirstNewsCategory + 1;

// "Top News", "Calcio", ...; empty outside 1..15.
std::string_view news_category_name(int category);

using Headlines = std::shared_ptr<const std::vector<Headline>>;

class NewsStore {
public:
  NewsStore();

  // The headlines a category shows while none of its feeds has loaded.
  void set_sample(int category, std::vector<Headline> headlines);
  // The headlines last read from one feed of a category, replacing those the
  // same feed gave before. A feed that fails is simply not set again, so
  // its last good headlines stay.
  void set_feed(int category, const std::string &feed, std::vector<Headline> headlines);

  // What the category shows: the headlines of its loaded feeds taken in
  // turn, one from each, without repeating a title, at most
  // kMaxFeedHeadlines; the sample while no feed has loaded. Never null; empty
  // for a category outside 1..15.
  Headlines headlines(int category) const;

private:
  struct Category {
    std::vector<Headline> sample;
    std::vector<std::pair<std::string, std::vector<Headline>>> feeds; // in the order first set
    Headlines shown;
  };
  static void merge(Category &category);

  mutable std::mutex mutex_;
  std::vector<Category> categories_;
};

} // namespace station
