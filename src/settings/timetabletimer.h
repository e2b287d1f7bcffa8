#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

class WallClock;

// TimerRadio: while enabled, it reports every minute of the clock once. It wakes just
// after each minute begins, by the clock rather than by counting intervals, and remembers
// the last minute it reported, so a wake-up that comes early, late or twice neither skips
// a minute nor reports one again. Minutes missed while the program was busy for a short
// while are reported late; after a long gap (a suspended machine, a clock set anew) it
// starts again from the current minute.
class TimetableTimer final : public QObject
{
    Q_OBJECT

signals:
    // The minute "HHMM" has come.
    void minuteDue(const QString &hhmm);

public:
    static constexpr int CatchUpMinutes = 5;
    // How long after the start of a minute the wake-up is asked for.
    static constexpr int WakeDelayMs = 200;

    explicit TimetableTimer(const WallClock &clock, QObject *parent = nullptr);

    // Turning it on reports the current minute at once; turning it on again changes nothing.
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    // The wake-up: reports the minutes that have come since the last one reported.
    void TimerRadioTimer();
    // Milliseconds to the next wake-up, while enabled.
    int remainingMs() const { return m_timer.remainingTime(); }

private:
    void schedule();

    const WallClock &m_clock;
    QTimer m_timer;
    QDateTime m_last; // the last minute reported
    bool m_enabled = false;
};
