// A recursive lock whose waits go through the clock, so that a thread queued behind a lock
// counts as blocked under a manual clock. Usable with std::lock_guard and std::unique_lock.
#pragma once

#include "platform/core/parker.h"

#include <thread>

namespace plat {

class CCriticalSection {
public:
    void Lock();
    // False, changing nothing, when the calling thread does not hold the lock.
    bool Unlock();
    bool TryLock();

    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

private:
    std::mutex m_mutex;
    detail::WaiterList m_waiters;
    std::thread::id m_owner;
    int m_depth = 0;
};

} // namespace plat
