// The queue's hooks and wake-ups: an event source that signals while the hooks are
// already fetching must not be missed until some later, unrelated wake.
#include "core_test_support.h"

#include "platform/core/clock.h"
#include "platform/core/timers.h"

namespace core_test {
namespace {

constexpr UINT kLateEvent = WM_APP + 7;

// The first fetch finds nothing, but its source signals meanwhile (as a display's
// watcher thread would); the event it signalled is there on the next fetch.
class LateSource final : public QueueHooks {
public:
    void FetchEvents() override {
        ++m_calls;
        if (m_calls == 1)
            WakeThread(GetCurrentThreadId());
        else if (m_calls == 2)
            PostMessage(nullptr, kLateEvent, 0, 0);
    }

private:
    int m_calls{0};
};

class WakeDuringFetch : public ClockTest {};

TEST_F(WakeDuringFetch, AWakeDuringTheFetchIsKeptForTheNextPass) {
    LateSource source;
    SetQueueHooks(&source);
    const UINT_PTR timeout = SetTimer(nullptr, 0, 1000);
    const DWORD before = GetTickCount();
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, kLateEvent);
    EXPECT_EQ(GetTickCount(), before) << "the loop slept until the time-out instead of fetching again";
    KillTimer(nullptr, timeout);
    SetQueueHooks(nullptr);
}

} // namespace
} // namespace core_test
