// Events and the generic wait on any waitable object.
#include "platform/core/event.h"

namespace plat {

DWORD WaitForSingleObject(Waitable& object, DWORD timeoutMs) {
    return object.WaitUntil(DeadlineAfter(timeoutMs)) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

CEvent::CEvent(bool initiallySignalled, bool manualReset)
    : m_signalled(initiallySignalled), m_manualReset(manualReset) {}

void CEvent::SetEvent() {
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    detail::UnparkAll(m_waiters);
}

void CEvent::ResetEvent() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool CEvent::Lock(DWORD timeoutMs) {
    return WaitForSingleObject(*this, timeoutMs) == WAIT_OBJECT_0;
}

bool CEvent::WaitUntil(Deadline deadline) {
    std::unique_lock lock(m_mutex);
    if (!detail::WaitUntil(lock, m_waiters, deadline, [&] { return m_signalled; })) {
        return false;
    }
    if (!m_manualReset) {
        m_signalled = false;
    }
    return true;
}

} // namespace plat
