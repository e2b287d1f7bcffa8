// The player page of an imported station: its real stream in
// <audio autoplay>, what is known of the station, and a clear message for a
// stream this player cannot play (Ogg Vorbis, HLS, a playlist that leads
// nowhere, or a stream that fails while loading).
#pragma once

#include "directory.h"
#include "reply.h"
#include "stream_resolver.h"

#include <cstdint>

namespace station {

Reply stream_player_reply(const Station &station, const StationStream &stream,
                          const ResolvedStream &resolved);

// With the stream resolved through the service's cache.
Reply stream_player_page(const Station &station, const StationStream &stream, std::int64_t now);

} // namespace station
