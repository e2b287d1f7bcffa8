#pragma once

#include "playback/playrequest.h"

#include <functional>

// Next and previous station: a walk through the list the current station came from, in
// the order its rows stand on screen, over the slots that hold a station.
namespace StationWalk {

enum class List { None, Catalogue1, Catalogue3, Favourites };

struct Position
{
    List list = List::None;
    int slot = 0;

    bool operator==(const Position &) const = default;
};

// The list and slot a play came from; List::None for sections, typed addresses, the
// start-up and the timetable station.
Position positionOf(const PlayRequest &request);

// The slot `steps` stations on (negative: back) from `from`, as far as the list goes, or 0
// when there is no other station that way. `filled` tells the slots that hold a station.
int walk(const Position &from, int steps, const std::function<bool(int slot)> &filled);

// The request that plays `slot` of the list `from` came from, the same way it came.
PlayRequest requestFor(const PlayRequest &from, int slot, qint32 stationId);

} // namespace StationWalk
