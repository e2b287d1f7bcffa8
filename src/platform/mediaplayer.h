#pragma once

#include <QString>

// The player as the desktop's media controls (media keys, the panel's media widget) see it
// and drive it.
namespace Media {

enum class Status { Stopped, Playing, Paused };
enum class Command { Play, Pause, PlayPause, Stop, Raise, Quit };

struct State
{
    Status status = Status::Stopped;
    bool canPlay = false;
    bool canPause = false;
    bool canGoNext = false;
    bool canGoPrevious = false;

    bool operator==(const State &) const = default;
};

inline QString statusName(Status status)
{
    switch (status) {
    case Status::Playing: return QStringLiteral("Playing");
    case Status::Paused: return QStringLiteral("Paused");
    case Status::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

} // namespace Media

// What the window offers the media controls; called on the window's thread only.
class MediaCommands
{
public:
    virtual ~MediaCommands() = default;
    virtual void command(Media::Command command) = 0;
    // `steps` stations on (positive) or back (negative) in the list the station came from.
    virtual void step(int steps) = 0;
};

// The desktop's side: where the player's state goes and where commands come from. Every
// call returns at once, whatever the desktop does.
class MediaRemote
{
public:
    virtual ~MediaRemote() = default;
    // Commands go to `player` from now on; nullptr: nobody takes them.
    virtual void attach(MediaCommands *player) = 0;
    virtual void publish(const Media::State &state) = 0;
};
