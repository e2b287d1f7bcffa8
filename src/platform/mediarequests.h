#pragma once

#include "platform/mediaplayer.h"

#include <QList>
#include <QMutex>

// Requests from the media controls on their way from the bus thread to the window's
// thread. A caller may flood it: a command repeated is kept once, steps add up, and no
// more than Capacity requests wait; the window takes them all at once.
class MediaRequests
{
public:
    static constexpr int Capacity = 16;
    static constexpr int MaxSteps = 100; // further than any list is long

    struct Request
    {
        bool isStep = false;
        Media::Command command = Media::Command::Play;
        int steps = 0;

        bool operator==(const Request &) const = default;
    };

    // True when nothing was waiting before: the caller then tells the window once.
    bool push(Media::Command command);
    bool pushStep(int steps);
    QList<Request> take();

private:
    bool append(const Request &request);

    QMutex m_mutex;
    QList<Request> m_pending;
};
