// The single blocking primitive of this layer: every thread has one parker, and every
// wait (queues, sends, events, locks, thread ends, Sleep) is "park until unparked or a
// deadline", with the park going through the current clock.
#pragma once

#include "platform/core/clock.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace plat::detail {

struct Parker {
    std::mutex mutex; // used by the monotonic clock only
    std::condition_variable cv;
    // An unpark that the next park consumes; written under the clock's lock.
    std::atomic<bool> permit = false;
    // Bookkeeping of a manual clock, guarded by that clock's own lock.
    bool parked = false;
    Deadline deadline;
};

// The calling thread's parker.
Parker& CurrentParker();

using WaiterList = std::vector<Parker*>;

// Waits with `lock` held on entry and on return until `ready()` holds or the deadline
// passes; returns ready(). While parked the thread is listed in `waiters`, where wakers
// that change the state guarded by `lock` find it (UnparkAll, called with `lock` held).
template <class Ready>
bool WaitUntil(std::unique_lock<std::mutex>& lock, WaiterList& waiters, Deadline deadline, Ready ready) {
    Clock& clock = CurrentClock();
    Parker& self = CurrentParker();
    while (!ready()) {
        if (deadline && clock.Now() >= *deadline) {
            return false;
        }
        waiters.push_back(&self);
        lock.unlock();
        clock.Park(self, deadline);
        lock.lock();
        waiters.erase(std::find(waiters.begin(), waiters.end(), &self));
    }
    return true;
}

inline void UnparkAll(const WaiterList& waiters) {
    Clock& clock = CurrentClock();
    for (Parker* p : waiters) {
        clock.Unpark(*p);
    }
}

} // namespace plat::detail
