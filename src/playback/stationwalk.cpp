#include "playback/stationwalk.h"

namespace StationWalk {

namespace {

constexpr int Slots = 15;

// The catalogue lists show slot 15 at the top, the favourites slot 1.
int downTheScreen(List list)
{
    return list == List::Favourites ? 1 : -1;
}

} // namespace

Position positionOf(const PlayRequest &request)
{
    switch (request.way) {
    case PlayRequest::Way::Row:
    case PlayRequest::Way::TrayEntry:
        if (request.slot < 1 || request.slot > Slots)
            return {};
        if (request.list == 1)
            return {List::Catalogue1, request.slot};
        if (request.list == 3)
            return {List::Catalogue3, request.slot};
        return {};
    case PlayRequest::Way::ById:
        if (request.code > 20 && request.code <= 20 + Slots)
            return {List::Favourites, request.code - 20};
        return {};
    default:
        return {};
    }
}

int walk(const Position &from, int steps, const std::function<bool(int)> &filled)
{
    if (from.list == List::None || steps == 0 || !filled)
        return 0;
    const int direction = (steps > 0 ? 1 : -1) * downTheScreen(from.list);
    int remaining = steps > 0 ? steps : -steps;
    int reached = 0;
    for (int slot = from.slot + direction; slot >= 1 && slot <= Slots && remaining > 0; slot += direction) {
        if (filled(slot)) {
            reached = slot;
            --remaining;
        }
    }
    return reached;
}

PlayRequest requestFor(const PlayRequest &from, int slot, qint32 stationId)
{
    PlayRequest request = from;
    if (positionOf(from).list == List::Favourites) {
        request.code = 20 + slot;
        request.stationId = stationId;
    } else {
        request.slot = slot;
    }
    return request;
}

} // namespace StationWalk
