// Virtual time with the "jump when everyone is blocked" rule described in the header.
#include "platform/core/manual_clock.h"

#include "platform/core/parker.h"

#include <algorithm>

namespace plat {

struct ManualClock::State {
    std::mutex mutex;
    TimePoint now{};
    int running = 0; // threads taking part that are not blocked
    detail::WaiterList parked;

    // All below with `mutex` held.
    void Wake(detail::Parker& p) {
        if (p.parked) {
            p.parked = false;
            parked.erase(std::find(parked.begin(), parked.end(), &p));
            ++running;
        }
        p.permit = true;
        p.cv.notify_one();
    }

    void WakeDue() {
        const detail::WaiterList snapshot = parked;
        for (detail::Parker* p : snapshot) {
            if (p->deadline && *p->deadline <= now) {
                Wake(*p);
            }
        }
    }

    void JumpIfAllBlocked() {
        if (running > 0) {
            return;
        }
        Deadline earliest;
        for (const detail::Parker* p : parked) {
            if (p->deadline && (!earliest || *p->deadline < *earliest)) {
                earliest = p->deadline;
            }
        }
        if (!earliest) {
            return;
        }
        now = std::max(now, *earliest);
        WakeDue();
    }

    void Leave() {
        std::lock_guard lock(mutex);
        --running;
        JumpIfAllBlocked();
    }
};

namespace {

// The clock state the calling thread takes part in; leaving it when the thread ends lets
// the others' time move on.
struct Membership {
    std::shared_ptr<ManualClock::State> state;
    ~Membership() {
        if (state) {
            state->Leave();
        }
    }
};

thread_local Membership t_membership;

void Join(const std::shared_ptr<ManualClock::State>& state) {
    if (t_membership.state == state) {
        return;
    }
    if (t_membership.state) {
        t_membership.state->Leave();
    }
    std::lock_guard lock(state->mutex);
    ++state->running;
    t_membership.state = state;
}

} // namespace

ManualClock::ManualClock() : m_state(std::make_shared<State>()) {
    Join(m_state);
    m_previous = detail::InstallClock(this);
}

ManualClock::~ManualClock() {
    detail::InstallClock(m_previous);
}

TimePoint ManualClock::Now() {
    std::lock_guard lock(m_state->mutex);
    return m_state->now;
}

Milliseconds ManualClock::Elapsed() {
    return std::chrono::duration_cast<Milliseconds>(Now() - TimePoint{});
}

void ManualClock::Advance(Milliseconds by) {
    std::lock_guard lock(m_state->mutex);
    m_state->now += by;
    m_state->WakeDue();
}

void ManualClock::Park(detail::Parker& p, Deadline deadline) {
    Join(m_state);
    State& s = *m_state;
    std::unique_lock lock(s.mutex);
    if (!p.permit && !(deadline && *deadline <= s.now)) {
        p.parked = true;
        p.deadline = deadline;
        s.parked.push_back(&p);
        --s.running;
        s.JumpIfAllBlocked();
        p.cv.wait(lock, [&] { return p.permit.load(); });
    }
    p.permit = false;
}

void ManualClock::Unpark(detail::Parker& p) {
    std::lock_guard lock(m_state->mutex);
    m_state->Wake(p);
}

std::function<void()> ManualClock::EnrollNewThread() {
    {
        std::lock_guard lock(m_state->mutex);
        ++m_state->running;
    }
    return [state = m_state] {
        if (t_membership.state && t_membership.state != state) {
            t_membership.state->Leave();
        }
        t_membership.state = state;
    };
}

void ManualClock::BeginExternalWait() {
    Join(m_state);
    std::lock_guard lock(m_state->mutex);
    --m_state->running;
    m_state->JumpIfAllBlocked();
}

void ManualClock::EndExternalWait() {
    std::lock_guard lock(m_state->mutex);
    ++m_state->running;
}

} // namespace plat
