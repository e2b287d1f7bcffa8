// The player page of an imported station: its real stream in
// <audio autoplay> (an HLS stream through the hls.js player script), what is
// known of the station, and a clear message for a stream this player cannot
// play (Ogg Vorbis, HLS without the player script, a playlist that leads
// nowhere, or a stream that fails while loading).
#pragma once

#include "directory.h"
#include "reply.h"
#include "stream_resolver.h"

#include <cstdint>

namespace station {

// hls_player: the service has the HLS player script (web_assets.h), so an HLS stream
// plays through it instead of getting its message.
Reply stream_player_reply(const Station &station, const StationStream &stream,
                          const ResolvedStream &resolved,
                          bool hls_player = false);

// With the stream resolved through the service's cache.
Reply stream_player_page(const Station &station, const StationStream &stream, std::int64_t now);

} // namespace station
