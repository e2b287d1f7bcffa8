#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QtGlobal>

// A monotonic clock in milliseconds, behind an interface so that tests can move time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
};

class SteadyClock final : public Clock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

// The local date and time of day, behind an interface so that tests can set it.
class WallClock
{
public:
    virtual ~WallClock() = default;
    virtual QDateTime localNow() const = 0;
};

class SystemWallClock final : public WallClock
{
public:
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
};
