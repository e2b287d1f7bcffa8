#include "news_store.h"

#include <array>
#include <set>

namespace station {

namespace {

constexpr std::array<std::string_view, kNewsCategoryCount> kCategoryNames = {
    "Top News",          "News in English", "News dall'Italia", "News dal Mondo",
    "Calcio",            "Sport in generale", "Spettacolo",     "Cultura e società",
    "Economia e finanza", "Scienza",        "Internet",         "Moda",
    "Musica",            "Cinema",          "Meteo",
};

bool in_range(int category) {
  return category >= kFirstNewsCategory && category <= kLastNewsCategory;
}

std::size_t index_of(int category) {
  return static_cast<std::size_t>(category - kFirstNewsCategory);
}

} // namespace

std::string_view news_category_name(int category) {
  return in_range(category) ? kCategoryNames[index_of(category)] : std::string_view();
}

NewsStore::NewsStore() : categories_(kNewsCategoryCount) {
  for (auto &category : categories_)
    category.shown = std::make_shared<const std::vector<Headline>>();
}

void NewsStore::set_sample(int category, std::vector<Headline> headlines) {
  if (!in_range(category))
    return;
  const std::lock_guard lock(mutex_);
  auto &slot = categories_[index_of(category)];
  slot.sample = std::move(headlines);
  merge(slot);
}

void NewsStore::set_feed(int category, const std::string &feed, std::vector<Headline> headlines) {
  if (!in_range(category))
    return;
  const std::lock_guard lock(mutex_);
  auto &slot = categories_[index_of(category)];
  auto found = slot.feeds.begin();
  while (found != slot.feeds.end() && found->first != feed)
    ++found;
  if (found == slot.feeds.end())
    slot.feeds.emplace_back(feed, std::move(headlines));
  else
    found->second = std::move(headlines);
  merge(slot);
}

Headlines NewsStore::headlines(int category) const {
  static const Headlines none = std::make_shared<const std::vector<Headline>>();
  if (!in_range(category))
    return none;
  const std::lock_guard lock(mutex_);
  return categories_[index_of(category)].shown;
}

void NewsStore::merge(Category &category) {
  std::vector<const std::vector<Headline> *> sources;
  for (const auto &[feed, headlines] : category.feeds)
    if (!headlines.empty())
      sources.push_back(&headlines);
  if (sources.empty())
    sources.push_back(&category.sample);

  auto shown = std::make_shared<std::vector<Headline>>();
  std::set<std::string_view> titles;
  for (std::size_t round = 0; shown->size() < kMaxFeedHeadlines; ++round) {
    bool any = false;
    for (const auto *source : sources) {
      if (round >= source->size() || shown->size() == kMaxFeedHeadlines)
        continue;
      any = true;
      const auto &headline = (*source)[round];
      if (titles.insert(headline.title).second)
        shown->push_back(headline);
    }
    if (!any)
      break;
  }
  category.shown = std::move(shown);
}

} // namespace station
