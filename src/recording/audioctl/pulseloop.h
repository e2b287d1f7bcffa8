#pragma once

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>

#include <chrono>
#include <functional>
#include <string>

// A connection to the PulseAudio server on a main loop of its own, driven by the thread
// that owns it. Every wait has a deadline, so a missing or stuck server never hangs the
// caller.
class PulseLoop
{
public:
    using Clock = std::chrono::steady_clock;

    PulseLoop();
    ~PulseLoop();
    PulseLoop(const PulseLoop &) = delete;
    PulseLoop &operator=(const PulseLoop &) = delete;

    // Connects without starting a server; false with `error` set on failure or timeout.
    bool connect(Clock::time_point deadline, std::string &error);
    // Runs the loop until `done` holds (true) or the deadline passes (false).
    bool runUntil(const std::function<bool()> &done, Clock::time_point deadline);
    // Runs the loop until `done` holds or the deadline passes, then lets go of the caller's
    // reference to `operation`. An operation still running is cancelled first: its callback
    // may point at the caller's stack and must not be called after the caller has returned.
    // True when `done` held; false without an operation.
    bool await(pa_operation *operation, const std::function<bool()> &done, Clock::time_point deadline);
    // One pass: waits at most `timeoutMs` for events and dispatches them. False when the
    // loop has failed.
    bool iterate(int timeoutMs);
    // Dispatches the events already waiting, without waiting for more. False when the loop
    // has failed.
    bool dispatchPending();
    // Interrupts a wait of iterate(); may be called from any thread.
    void wakeUp();

    pa_context *context() const { return m_context; }
    pa_mainloop *mainloop() const { return m_loop; }
    // The server's last error as text.
    std::string lastError() const;

private:
    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
};

inline PulseLoop::Clock::time_point deadlineIn(int ms)
{
    return PulseLoop::Clock::now() + std::chrono::milliseconds(ms);
}
