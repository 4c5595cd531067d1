// The one clock behind every wait, timer and Sleep of the programs. Programs run on the
// monotonic clock; tests install a ManualClock (manual_clock.h), under which the same
// waits cost no real time. Every blocking wait of this layer parks the calling thread
// through the current clock, which is what lets a manual clock know when all its threads
// are blocked and time may jump.
#pragma once

#include "platform/core/messages.h"

#include <chrono>
#include <functional>
#include <optional>

namespace plat {

using TimePoint = std::chrono::steady_clock::time_point;
using Milliseconds = std::chrono::milliseconds;
// When a wait gives up; no value means it never does.
using Deadline = std::optional<TimePoint>;

inline constexpr DWORD INFINITE = 0xFFFFFFFF;

namespace detail {
struct Parker;
}

class Clock {
public:
    virtual ~Clock() = default;

    virtual TimePoint Now() = 0;

    // Blocks the calling thread, whose parker `parker` is, until the parker is unparked or
    // the deadline passes. May return early; callers re-check what they wait for.
    virtual void Park(detail::Parker& parker, Deadline deadline) = 0;
    virtual void Unpark(detail::Parker& parker) = 0;

    // Runs on a thread that is about to start another; the step returned runs first on the
    // new thread, so the clock can count the thread as running from the moment it exists.
    virtual std::function<void()> EnrollNewThread() { return {}; }

    // Brackets a block of the calling thread outside this layer (see ExternalWaitScope).
    virtual void BeginExternalWait() {}
    virtual void EndExternalWait() {}
};

// The clock in force: the monotonic clock unless a test installed another.
Clock& CurrentClock();
TimePoint Now();

// Milliseconds of the current clock; wraps like a 32-bit tick count.
DWORD GetTickCount();

// The deadline `ms` milliseconds from now; INFINITE gives none.
Deadline DeadlineAfter(DWORD ms);

// Suspends the calling thread for `ms` milliseconds of the current clock; 0 only yields.
void Sleep(DWORD ms);

// Marks the calling thread as blocked for the lifetime of the scope, for blocking calls
// made outside this layer (a read on a notification descriptor, joining a foreign thread).
// Under the monotonic clock it does nothing; under a manual clock it lets time move while
// the thread waits there.
class ExternalWaitScope {
public:
    ExternalWaitScope();
    ~ExternalWaitScope();
    ExternalWaitScope(const ExternalWaitScope&) = delete;
    ExternalWaitScope& operator=(const ExternalWaitScope&) = delete;

private:
    Clock& m_clock;
};

namespace detail {
// Makes `clock` current and returns the one it replaces; nullptr restores the monotonic clock.
Clock* InstallClock(Clock* clock);
} // namespace detail

} // namespace plat
