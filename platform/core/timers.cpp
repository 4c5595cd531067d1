// Timer bookkeeping inside each thread's queue.
#include "platform/core/timers.h"

#include "platform/core/handle_table.h"
#include "platform/core/thread_context.h"

#include <algorithm>

namespace plat {

namespace {

std::shared_ptr<detail::ThreadContext> OwnerOf(HWND hwnd) {
    if (!hwnd) {
        return detail::CurrentContext();
    }
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    return entry ? entry->owner : nullptr;
}

detail::Timer* FindTimer(detail::ThreadContext& context, HWND hwnd, UINT_PTR id) {
    const auto it = std::find_if(context.timers.begin(), context.timers.end(),
                                 [&](const detail::Timer& t) { return t.hwnd == hwnd && t.id == id; });
    return it == context.timers.end() ? nullptr : &*it;
}

} // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    const auto owner = OwnerOf(hwnd);
    if (!owner) {
        return 0;
    }
    const Milliseconds period(std::clamp(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
    const TimePoint now = Now();
    std::lock_guard lock(owner->mutex);
    if (!owner->alive) {
        return 0;
    }
    detail::Timer* timer = FindTimer(*owner, hwnd, id);
    if (!timer && !hwnd) {
        id = owner->nextThreadTimerId++;
    }
    if (timer) {
        timer->period = period;
        timer->due = now + period;
    } else {
        owner->timers.push_back({hwnd, id, period, now + period});
    }
    owner->Wake();
    return hwnd && id == 0 ? 1 : id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
    const auto owner = OwnerOf(hwnd);
    if (!owner) {
        return false;
    }
    std::lock_guard lock(owner->mutex);
    return std::erase_if(owner->timers,
                         [&](const detail::Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

namespace detail {

bool TakeDueTimer(ThreadContext& context, const QueueFilter& filter, TimePoint now, bool remove, MSG& out) {
    Timer* next = nullptr;
    for (Timer& t : context.timers) {
        if (t.due <= now && filter.Matches(t.hwnd, WM_TIMER) && (!next || t.due < next->due)) {
            next = &t;
        }
    }
    if (!next) {
        return false;
    }
    out = {next->hwnd, WM_TIMER, next->id, 0, GetTickCount()};
    if (remove) {
        next->due = now + next->period;
    }
    return true;
}

Deadline NextTimerDue(const ThreadContext& context, const QueueFilter& filter) {
    Deadline earliest;
    for (const Timer& t : context.timers) {
        if (filter.Matches(t.hwnd, WM_TIMER) && (!earliest || t.due < *earliest)) {
            earliest = t.due;
        }
    }
    return earliest;
}

} // namespace detail

} // namespace plat
