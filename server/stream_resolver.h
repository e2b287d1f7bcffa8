// The stream behind an imported station's address. An address that names a
// playlist (.m3u, .m3u8, .pls) is fetched and replaced by the first stream
// it lists, through playlists of playlists up to a depth; an HLS playlist
// (segments, "#EXT-X-" tags) is a stream of its own kind.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace station {

enum class StreamKind {
  Direct,     // an address the player can be given
  Hls,        // segmented HTTP live streaming
  Unresolved, // a playlist that gave no stream: see the note
};

struct ResolvedStream {
  std::string address;
  StreamKind kind = StreamKind::Direct;
  std::string note; // why it is unresolved

  bool operator==(const ResolvedStream &) const = default;
};

inline constexpr int kMaxPlaylistDepth = 4;
inline constexpr std::size_t kMaxPlaylistBytes = 64 * 1024;

// Fetches a playlist: its text, or nothing with `error` set.
using PlaylistFetch = std::function<std::optional<std::string>(const std::string &address,
                                                               std::string &error)>;

ResolvedStream resolve_stream(const std::string &address, const PlaylistFetch &fetch,
                              int max_depth = kMaxPlaylistDepth);

// GET over http or https with short time-outs and kMaxPlaylistBytes at most.
std::optional<std::string> fetch_playlist(const std::string &address, std::string &error);

// Resolutions kept for a while, so that every play of a station does not
// fetch its playlists again; a failed one is not kept. Safe to use from any
// thread.
class StreamCache {
public:
  explicit StreamCache(PlaylistFetch fetch, std::int64_t keep_seconds = 600)
      : fetch_(std::move(fetch)), keep_seconds_(keep_seconds) {}

  ResolvedStream resolve(const std::string &address, std::int64_t now);

private:
  struct Entry {
    ResolvedStream resolved;
    std::int64_t at = 0;
  };
  static constexpr std::size_t kMaxEntries = 1000;

  PlaylistFetch fetch_;
  std::int64_t keep_seconds_;
  std::mutex mutex_;
  std::map<std::string, Entry, std::less<>> entries_;
};

// The cache of the service's player pages.
StreamCache &player_streams();

} // namespace station
