// The recursive, clock-aware lock.
#include "platform/core/critical_section.h"

namespace plat {

void CCriticalSection::Lock() {
    const auto self = std::this_thread::get_id();
    std::unique_lock lock(m_mutex);
    if (m_owner == self) {
        ++m_depth;
        return;
    }
    detail::WaitUntil(lock, m_waiters, std::nullopt, [&] { return m_depth == 0; });
    m_owner = self;
    m_depth = 1;
}

bool CCriticalSection::TryLock() {
    const auto self = std::this_thread::get_id();
    std::lock_guard lock(m_mutex);
    if (m_depth != 0 && m_owner != self) {
        return false;
    }
    m_owner = self;
    ++m_depth;
    return true;
}

bool CCriticalSection::Unlock() {
    std::lock_guard lock(m_mutex);
    if (m_depth == 0 || m_owner != std::this_thread::get_id()) {
        return false;
    }
    if (--m_depth == 0) {
        m_owner = {};
        detail::UnparkAll(m_waiters);
    }
    return true;
}

} // namespace plat
