#pragma once

#include <QByteArray>

// Where the now-playing notice record goes: on this desktop the media-player interface
// of the session bus; in tests a recorder.
class NoticeSink
{
public:
    virtual ~NoticeSink() = default;
    // Must return at once, whatever the receiver does.
    virtual void deliver(const QByteArray &record) = 0;
};
