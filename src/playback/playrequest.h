#pragma once

#include <QString>

// How a station got into the listening pane, kept so that it can be played again the same
// way.
struct PlayRequest
{
    enum class Way { None, Row, TrayEntry, ById, Section, Address };

    Way way = Way::None;
    int list = 0;          // Row, TrayEntry: 1 or 3
    int slot = 0;          // Row, TrayEntry: 1..15; Section: 16..18
    qint32 stationId = 0;  // ById
    int code = -1;         // ById: the now-playing code its caller gave
    QString scheduledName; // ById: the timetable's name at the time
    QString address;       // Address: as the user typed it, made a web address

    static PlayRequest of(Way way, int list = 0, int slot = 0)
    {
        PlayRequest request;
        request.way = way;
        request.list = list;
        request.slot = slot;
        return request;
    }

    bool operator==(const PlayRequest &) const = default;
};
