#include "settings/timetabletimer.h"

#include "platform/clock.h"

namespace {

QDateTime minuteOf(const QDateTime &t)
{
    return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute()));
}

} // namespace

TimetableTimer::TimetableTimer(const WallClock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
    m_timer.setObjectName(QStringLiteral("TimerRadio"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimetableTimer::TimerRadioTimer);
}

void TimetableTimer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (!on) {
        m_timer.stop();
        return;
    }
    m_last = minuteOf(m_clock.localNow()).addSecs(-60);
    m_timer.start(0);
}

void TimetableTimer::TimerRadioTimer()
{
    if (!m_enabled)
        return;
    const QDateTime now = minuteOf(m_clock.localNow());
    const qint64 gap = m_last.secsTo(now) / 60;
    QDateTime from = m_last.addSecs(60);
    if (gap > CatchUpMinutes || gap < -CatchUpMinutes)
        from = now; // a long gap or a clock set back: only this minute
    for (QDateTime t = from; t <= now; t = t.addSecs(60)) {
        m_last = t;
        emit minuteDue(t.toString(QStringLiteral("HHmm")));
        if (!m_enabled)
            return;
    }
    schedule();
}

void TimetableTimer::schedule()
{
    const QDateTime now = m_clock.localNow();
    const QDateTime next = minuteOf(now).addSecs(60);
    const qint64 wait = now.msecsTo(next) + WakeDelayMs;
    m_timer.start(int(std::clamp<qint64>(wait, 0, 61'000)));
}
