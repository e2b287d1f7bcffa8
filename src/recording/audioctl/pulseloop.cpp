#include "pulseloop.h"

#include <pulse/error.h>

PulseLoop::PulseLoop()
    : m_loop(pa_mainloop_new())
{
}

PulseLoop::~PulseLoop()
{
    if (m_context) {
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    pa_mainloop_free(m_loop);
}

bool PulseLoop::iterate(int timeoutMs)
{
    if (pa_mainloop_prepare(m_loop, timeoutMs * 1000) < 0)
        return false;
    if (pa_mainloop_poll(m_loop) < 0)
        return false;
    return pa_mainloop_dispatch(m_loop) >= 0;
}

bool PulseLoop::dispatchPending()
{
    // A bound on the passes: a server that keeps sending cannot hold the caller forever.
    for (int pass = 0; pass < 64; ++pass) {
        if (pa_mainloop_prepare(m_loop, 0) < 0 || pa_mainloop_poll(m_loop) < 0)
            return false;
        const int dispatched = pa_mainloop_dispatch(m_loop);
        if (dispatched < 0)
            return false;
        if (dispatched == 0)
            break;
    }
    return true;
}

void PulseLoop::wakeUp()
{
    pa_mainloop_wakeup(m_loop);
}

bool PulseLoop::runUntil(const std::function<bool()> &done, Clock::time_point deadline)
{
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        if (!iterate(static_cast<int>(std::min<long long>(left, 100))))
            return false;
    }
    return true;
}

bool PulseLoop::await(pa_operation *operation, const std::function<bool()> &done, Clock::time_point deadline)
{
    if (!operation)
        return false;
    const bool finished = runUntil(done, deadline);
    if (pa_operation_get_state(operation) == PA_OPERATION_RUNNING)
        pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return finished;
}

std::string PulseLoop::lastError() const
{
    return m_context ? pa_strerror(pa_context_errno(m_context)) : "no connection";
}

bool PulseLoop::connect(Clock::time_point deadline, std::string &error)
{
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, "Sintonia");
    pa_proplist_sets(properties, PA_PROP_APPLICATION_ID, "sintonia");
    m_context = pa_context_new_with_proplist(pa_mainloop_get_api(m_loop), "Sintonia", properties);
    pa_proplist_free(properties);
    if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        error = "Il server audio PulseAudio non è raggiungibile (" + lastError() + ").";
        return false;
    }
    auto settled = [this] {
        const pa_context_state_t state = pa_context_get_state(m_context);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    };
    const bool answered = runUntil(settled, deadline);
    if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
        return true;
    error = answered ? "Il server audio PulseAudio non è raggiungibile (" + lastError() + ")."
                     : std::string("Il server audio PulseAudio non risponde.");
    return false;
}
