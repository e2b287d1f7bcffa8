#include "platform/mediarequests.h"

#include <QMutexLocker>

#include <utility>

bool MediaRequests::push(Media::Command command)
{
    return append({false, command, 0});
}

bool MediaRequests::pushStep(int steps)
{
    return append({true, Media::Command::Play, qBound(-MaxSteps, steps, MaxSteps)});
}

bool MediaRequests::append(const Request &request)
{
    QMutexLocker lock(&m_mutex);
    const bool wasEmpty = m_pending.isEmpty();
    if (!wasEmpty) {
        Request &last = m_pending.last();
        if (request.isStep && last.isStep) {
            last.steps = qBound(-MaxSteps, last.steps + request.steps, MaxSteps);
            return false;
        }
        // The same command twice in a row does what it does once; a toggle is kept.
        if (!request.isStep && !last.isStep && last.command == request.command
            && request.command != Media::Command::PlayPause)
            return false;
    }
    if (m_pending.size() >= Capacity)
        return false;
    m_pending.append(request);
    return wasEmpty;
}

QList<MediaRequests::Request> MediaRequests::take()
{
    QMutexLocker lock(&m_mutex);
    return std::exchange(m_pending, {});
}
