// The monotonic clock, the current-clock switch and the waits built directly on them.
#include "platform/core/clock.h"

#include "platform/core/parker.h"

#include <atomic>
#include <thread>

namespace plat {

namespace {

class SteadyClock final : public Clock {
public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }

    void Park(detail::Parker& p, Deadline deadline) override {
        std::unique_lock lock(p.mutex);
        if (deadline) {
            p.cv.wait_until(lock, *deadline, [&] { return p.permit.load(); });
        } else {
            p.cv.wait(lock, [&] { return p.permit.load(); });
        }
        p.permit = false;
    }

    // Wakers hold the lock of the object waited on, which the parked thread needs before it
    // can leave its wait, so the parker is still there when notified after the unlock.
    void Unpark(detail::Parker& p) override {
        {
            std::lock_guard lock(p.mutex);
            p.permit = true;
        }
        p.cv.notify_one();
    }
};

SteadyClock g_steady;
std::atomic<Clock*> g_current{&g_steady};

} // namespace

Clock& CurrentClock() {
    return *g_current.load(std::memory_order_acquire);
}

TimePoint Now() {
    return CurrentClock().Now();
}

DWORD GetTickCount() {
    const auto ms = std::chrono::duration_cast<Milliseconds>(Now().time_since_epoch()).count();
    return static_cast<DWORD>(ms);
}

Deadline DeadlineAfter(DWORD ms) {
    if (ms == INFINITE) {
        return std::nullopt;
    }
    return Now() + Milliseconds(ms);
}

void Sleep(DWORD ms) {
    if (ms == 0) {
        std::this_thread::yield();
        return;
    }
    Clock& clock = CurrentClock();
    const Deadline until = DeadlineAfter(ms);
    detail::Parker& self = detail::CurrentParker();
    while (!until || clock.Now() < *until) {
        clock.Park(self, until);
    }
}

ExternalWaitScope::ExternalWaitScope() : m_clock(CurrentClock()) {
    m_clock.BeginExternalWait();
}

ExternalWaitScope::~ExternalWaitScope() {
    m_clock.EndExternalWait();
}

namespace detail {

Parker& CurrentParker() {
    thread_local Parker parker;
    return parker;
}

Clock* InstallClock(Clock* clock) {
    Clock* previous = g_current.exchange(clock ? clock : &g_steady, std::memory_order_acq_rel);
    return previous == &g_steady ? nullptr : previous;
}

} // namespace detail

} // namespace plat
