// Events: a signal one thread sets and others wait for. An auto-reset event lets exactly
// one waiter through per SetEvent; a manual-reset event stays signalled until reset.
#pragma once

#include "platform/core/parker.h"
#include "platform/core/waitable.h"

namespace plat {

class CEvent final : public Waitable {
public:
    explicit CEvent(bool initiallySignalled = false, bool manualReset = false);

    void SetEvent();
    void ResetEvent();
    // WaitForSingleObject on this event; true when signalled in time.
    bool Lock(DWORD timeoutMs = INFINITE);

    bool WaitUntil(Deadline deadline) override;

private:
    std::mutex m_mutex;
    detail::WaiterList m_waiters;
    bool m_signalled = false;
    const bool m_manualReset = false;
};

} // namespace plat
