// Events, locks and waits with time-outs, under virtual time.
#include "core_test_support.h"

#include "platform/core/critical_section.h"

#include <atomic>

using namespace core_test;

namespace {

using Waits = ClockTest;

} // namespace

TEST_F(Waits, EventsLetWaitersThroughByTheirResetKind) {
    struct Case {
        bool manualReset;
        bool initiallySignalled;
        std::vector<DWORD> waits; // results of successive zero-time waits after the set-up
    } cases[] = {
        {false, false, {WAIT_TIMEOUT}},
        {false, true, {WAIT_OBJECT_0, WAIT_TIMEOUT}},
        {true, true, {WAIT_OBJECT_0, WAIT_OBJECT_0, WAIT_OBJECT_0}},
    };
    for (const Case& c : cases) {
        CEvent event(c.initiallySignalled, c.manualReset);
        std::vector<DWORD> got;
        for (size_t i = 0; i < c.waits.size(); ++i) {
            got.push_back(WaitForSingleObject(event, 0));
        }
        EXPECT_EQ(got, c.waits) << "manual " << c.manualReset << " initial " << c.initiallySignalled;
        event.ResetEvent();
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        event.SetEvent();
        EXPECT_TRUE(event.Lock(0));
        EXPECT_EQ(event.Lock(0), c.manualReset);
    }
}

TEST_F(Waits, ATimeOutRunsInVirtualTime) {
    CEvent event;
    EXPECT_EQ(WaitForSingleObject(event, 2000), WAIT_TIMEOUT);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(2000));
    Sleep(500);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(2500));
}

TEST_F(Waits, AWaitSeesTheOtherThreadFinishOrTimesOutAtItsLimit) {
    struct Case {
        DWORD workerSleep;
        DWORD expected;
        Milliseconds elapsed;
    } cases[] = {
        {500, WAIT_OBJECT_0, Milliseconds(500)},
        {9000, WAIT_TIMEOUT, Milliseconds(7500)},
    };
    for (const Case& c : cases) {
        const auto start = m_clock.Elapsed();
        Thread worker;
        worker.Start([&] {
            Sleep(c.workerSleep);
            return 0;
        });
        EXPECT_EQ(WaitForSingleObject(worker, 7500), c.expected) << c.workerSleep;
        EXPECT_EQ(m_clock.Elapsed() - start, c.elapsed) << c.workerSleep;
        worker.WaitUntil(std::nullopt);
    }
}

TEST_F(Waits, OneSetOfAnAutoResetEventReleasesOneWaiter) {
    CEvent event;
    std::atomic<int> through = 0;
    Thread waiters[2];
    for (Thread& t : waiters) {
        t.Start([&] {
            event.Lock();
            ++through;
            return 0;
        });
    }
    Sleep(10); // both are blocked before time can move
    event.SetEvent();
    Sleep(10);
    EXPECT_EQ(through, 1);
    event.SetEvent();
    for (Thread& t : waiters) {
        t.WaitUntil(std::nullopt);
    }
    EXPECT_EQ(through, 2);
}

TEST_F(Waits, ACriticalSectionIsRecursiveAndHeldUntilFullyLeft) {
    CCriticalSection section;
    section.Lock();
    section.Lock();
    std::atomic<bool> entered = false;
    Thread other;
    other.Start([&] {
        const bool refused = !section.TryLock() && !section.Unlock();
        section.Lock();
        entered = true;
        section.Unlock();
        return refused ? 0 : 1;
    });
    Sleep(10);
    EXPECT_FALSE(entered);
    EXPECT_TRUE(section.Unlock());
    Sleep(10);
    EXPECT_FALSE(entered);
    EXPECT_TRUE(section.Unlock());
    EXPECT_FALSE(section.Unlock());
    other.WaitUntil(std::nullopt);
    EXPECT_TRUE(entered);
    EXPECT_EQ(other.ExitCode(), 0);
}

// Workers serialised by a lock, each handing work to the window thread and waiting for
// its event: the thread queued behind the lock counts as blocked, so the window thread's
// pauses still pass in virtual time.
TEST_F(Waits, WorkersQueuedBehindALockDoNotHoldTimeStill) {
    CCriticalSection lock;
    CEvent done;
    TestWindow tray([&](UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == WM_USER) {
            Sleep(500);
            done.SetEvent();
        }
        return 0;
    });
    auto worker = [&] {
        std::lock_guard guard(lock);
        PostMessage(tray.hwnd, WM_USER, 0, 0);
        return done.Lock() ? 0 : 1;
    };
    Thread first;
    Thread second;
    first.Start(worker);
    second.Start(worker);
    MSG msg;
    for (int handled = 0; handled < 2; ++handled) {
        ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
        DispatchMessage(&msg);
    }
    first.WaitUntil(std::nullopt);
    second.WaitUntil(std::nullopt);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(1000));
}
