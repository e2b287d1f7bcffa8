#include "stream_resolver.h"

#include "import_reader.h"
#include "news_fetch.h"
#include "stream_address.h"

#include <set>

namespace station {

namespace {

ResolvedStream unresolved(const std::string &address, std::string note) {
  return {address, StreamKind::Unresolved, std::move(note)};
}

} // namespace

ResolvedStream resolve_stream(const std::string &address, const PlaylistFetch &fetch,
                              int max_depth) {
  std::string current = address;
  std::set<std::string> visited;
  for (int depth = 0;; ++depth) {
    if (!names_playlist(current))
      return {current, StreamKind::Direct, {}};
    if (depth >= max_depth)
      return unresolved(address, "playlists nested more than " + std::to_string(max_depth) +
                                     " deep");
    if (!visited.insert(current).second)
      return unresolved(address, "playlists that name each other");
    std::string error;
    const auto text = fetch(current, error);
    if (!text)
      return unresolved(address, "the playlist could not be read: " + error);
    if (text->find("#EXT-X-") != std::string::npos)
      return {current, StreamKind::Hls, {}};
    ReadLimits limits;
    limits.max_entries = 100;
    const ReadResult read = read_import_text(*text, limits);
    std::string next;
    for (const auto &entry : read.entries) {
      const AddressCheck check = check_address(entry.address);
      if (check.error.empty()) {
        next = check.address;
        break;
      }
    }
    if (next.empty())
      return unresolved(address, "the playlist names no http or https stream");
    current = next;
  }
}

std::optional<std::string> fetch_playlist(const std::string &address, std::string &error) {
  FetchLimits limits;
  limits.connect_timeout = std::chrono::milliseconds(3000);
  limits.read_timeout = std::chrono::milliseconds(3000);
  limits.total_time = std::chrono::milliseconds(5000);
  limits.max_bytes = kMaxPlaylistBytes;
  FetchCancel cancel;
  FetchResult result = fetch_feed(address, limits, cancel);
  if (!result.error.empty()) {
    error = result.error;
    return std::nullopt;
  }
  return std::move(result.body);
}

ResolvedStream StreamCache::resolve(const std::string &address, std::int64_t now) {
  {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(address);
    if (found != entries_.end() && now - found->second.at >= 0 &&
        now - found->second.at < keep_seconds_)
      return found->second.resolved;
  }
  // Fetched without the lock: a slow playlist holds up no other station.
  ResolvedStream resolved = resolve_stream(address, fetch_);
  if (resolved.kind == StreamKind::Unresolved)
    return resolved; // tried again at the next play
  const std::lock_guard lock(mutex_);
  if (entries_.size() >= kMaxEntries)
    entries_.clear();
  entries_.insert_or_assign(address, Entry{resolved, now});
  return resolved;
}

StreamCache &player_streams() {
  static StreamCache cache(fetch_playlist);
  return cache;
}

} // namespace station
