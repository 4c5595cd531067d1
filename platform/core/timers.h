// Window timers. A timer is due `period` after it was set or last fired; WM_TIMER is made
// when the owner reads its queue and no posted message waits, so a timer that fell behind
// fires once, not once per missed period, and a killed timer never fires late.
#pragma once

#include "platform/core/clock.h"
#include "platform/core/messages.h"

namespace plat {

// Periods are kept within these bounds, as shorter ones would starve the queue.
inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
inline constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

// Starts timer `id` of the window, or restarts it with the new period when it exists; may
// be called from any thread. With a null window the timer belongs to the calling thread
// and gets a new id unless `id` names one of its timers. Returns a nonzero value (the id
// for thread timers), 0 for a stale window.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
// False when there is no such timer.
bool KillTimer(HWND hwnd, UINT_PTR id);

namespace detail {

class ThreadContext;

struct QueueFilter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;
    bool Matches(HWND h, UINT message) const {
        return (!hwnd || h == hwnd) && ((min == 0 && max == 0) || (message >= min && message <= max));
    }
};

// With the context's mutex held: the due timer that fires next (earliest due first) as a
// WM_TIMER message; removing it restarts its period from `now`.
bool TakeDueTimer(ThreadContext& context, const QueueFilter& filter, TimePoint now, bool remove, MSG& out);
// With the context's mutex held: when the next matching timer is due, if any.
Deadline NextTimerDue(const ThreadContext& context, const QueueFilter& filter);

} // namespace detail

} // namespace plat
