// The catalogue page's bytes, kept until the directory changes: the lists are
// computed once per change (and at least every kCatalogueMaxAge seconds, as
// clicks leave the week's window), never once per request. Whether the
// directory changed is asked at most once a second, so a change shows in the
// next second's catalogue. Thread-safe.
#pragma once

#include "catalogue.h"
#include "directory.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

namespace station {

inline constexpr std::int64_t kCatalogueMaxAge = 60; // seconds

class CatalogueCache {
public:
  explicit CatalogueCache(std::int64_t max_age = kCatalogueMaxAge, std::size_t max_entries = 64);

  // The page bytes (catalogue_body, not shifted) for an edition served at
  // `now` by the mirror at `mirror_host`.
  std::shared_ptr<const std::string> body(Directory &directory, int edition, std::int64_t now,
                                          const std::string &mirror_host,
                                          const Placeholders &values);
  // How many times the lists were read from the directory (tests, bench).
  std::size_t computed() const;

private:
  struct Entry {
    std::uint64_t version = 0;
    std::int64_t at = 0;      // computed
    std::int64_t checked = 0; // the directory's version last compared
    std::shared_ptr<const std::string> body;
  };

  const std::int64_t max_age_;
  const std::size_t max_entries_;
  mutable std::mutex mutex_;
  std::map<std::tuple<int, std::string>, Entry> entries_;
  std::size_t computed_ = 0;
};

} // namespace station
