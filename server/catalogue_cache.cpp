#include "catalogue_cache.h"

namespace station {

CatalogueCache::CatalogueCache(std::int64_t max_age, std::size_t max_entries)
    : max_age_(max_age), max_entries_(max_entries) {}

std::shared_ptr<const std::string> CatalogueCache::body(Directory &directory, int edition,
                                                        std::int64_t now,
                                                        const std::string &mirror_host,
                                                        const Placeholders &values) {
  const std::lock_guard lock(mutex_);
  const auto key = std::make_tuple(edition, mirror_host);
  const auto found = entries_.find(key);
  const bool fresh = found != entries_.end() && now >= found->second.at &&
                     now - found->second.at < max_age_;
  if (fresh && found->second.checked == now)
    return found->second.body;
  const auto version = directory.version();
  if (fresh && found->second.version == version) {
    found->second.checked = now;
    return found->second.body;
  }

  auto body = std::make_shared<const std::string>(
      catalogue_body(catalogue_lines(load_catalogue(directory, edition, now, mirror_host, values))));
  ++computed_;
  if (found == entries_.end() && entries_.size() >= max_entries_)
    entries_.clear(); // many host names: start again rather than grow
  entries_[key] = Entry{version, now, now, body};
  return body;
}

std::size_t CatalogueCache::computed() const {
  const std::lock_guard lock(mutex_);
  return computed_;
}

} // namespace station
