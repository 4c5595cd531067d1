// Sending across threads: results, mutual sends without deadlock, and sends that cannot
// be handled failing instead of blocking.
#include "core_test_support.h"

#include <atomic>

using namespace core_test;

namespace {

using CrossThreadSend = ClockTest;

} // namespace

TEST_F(CrossThreadSend, RunsOnTheOwningThreadAndReturnsItsResult) {
    DWORD handledOn = 0;
    WindowThread owner([&](UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        handledOn = GetCurrentThreadId();
        return msg == WM_USER ? static_cast<LRESULT>(w) + l : 0;
    });
    LRESULT result = 0;
    ASSERT_TRUE(TrySendMessage(owner.hwnd, WM_USER, 40, 2, &result));
    EXPECT_EQ(result, 42);
    EXPECT_EQ(handledOn, owner.thread().ThreadId());
    EXPECT_EQ(GetWindowThreadId(owner.hwnd), owner.thread().ThreadId());
}

TEST_F(CrossThreadSend, ASenderServesSendsMadeToItWhileItWaitsButNotPostedMessages) {
    TestWindow mine([](UINT, WPARAM w, LPARAM) -> LRESULT { return static_cast<LRESULT>(w) * 2; });
    WindowThread other([&](UINT msg, WPARAM w, LPARAM) -> LRESULT {
        if (msg != WM_USER) {
            return 0;
        }
        PostMessage(mine.hwnd, WM_USER + 2, 0, 0);
        // Calls back into the blocked sender before answering.
        return SendMessage(mine.hwnd, WM_USER + 1, w, 0) + 1;
    });
    EXPECT_EQ(SendMessage(other.hwnd, WM_USER, 20, 0), 41);
    EXPECT_EQ(mine.received, std::vector<UINT>{WM_USER + 1});
    EXPECT_EQ(DrainQueue(), std::vector<UINT>{WM_USER + 2});
}

TEST_F(CrossThreadSend, TwoThreadsSendingToEachOtherAtOnceBothComplete) {
    constexpr int kRounds = 200;
    const DWORD mainThread = GetCurrentThreadId();
    CEvent start(false, true);
    std::atomic<HWND> windows[2] = {nullptr, nullptr};
    auto side = [&](int self) {
        return [&, self] {
            FunctionTarget target(
                [](UINT, WPARAM w, LPARAM) -> LRESULT { return static_cast<LRESULT>(w) + 1; });
            windows[self] = CreateWindowHandle(&target);
            start.Lock();
            int sum = 0;
            for (int i = 0; i < kRounds; ++i) {
                sum += static_cast<int>(
                    SendMessage(windows[1 - self].load(), WM_USER, static_cast<WPARAM>(i), 0));
            }
            PostThreadMessage(mainThread, WM_APP, 0, 0);
            RunMessageLoop(); // keeps answering the peer until told to stop
            return sum;
        };
    };
    Thread sides[2];
    sides[0].Start(side(0));
    sides[1].Start(side(1));
    while (!windows[0].load() || !windows[1].load()) {
        Sleep(1);
    }
    start.SetEvent();
    MSG msg;
    for (int finished = 0; finished < 2;) {
        ASSERT_TRUE(GetMessage(&msg, nullptr, WM_APP, WM_APP));
        ++finished;
    }
    for (Thread& t : sides) {
        PostThreadMessage(t.ThreadId(), WM_QUIT, 0, 0);
        ASSERT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
        EXPECT_EQ(t.ExitCode(), kRounds * (kRounds + 1) / 2);
    }
}

TEST_F(CrossThreadSend, ASendPendingWhenTheOwnerEndsFails) {
    std::atomic<int> handled = 0;
    std::atomic<HWND> window = nullptr;
    CEvent ready(false, true);
    Thread owner;
    owner.Start([&] {
        FunctionTarget target([&](UINT, WPARAM, LPARAM) -> LRESULT { return ++handled; });
        window = CreateWindowHandle(&target);
        ready.SetEvent();
        Sleep(1000); // never reads its queue, then ends
        return 0;
    });
    ready.Lock();
    LRESULT result = -1;
    EXPECT_FALSE(TrySendMessage(window, WM_USER, 0, 0, &result));
    EXPECT_EQ(result, -1);
    EXPECT_EQ(handled, 0);
    // Once ended, the thread is refused at once.
    owner.WaitUntil(std::nullopt);
    EXPECT_FALSE(TrySendMessage(window, WM_USER, 0, 0, &result));
    EXPECT_FALSE(PostThreadMessage(owner.ThreadId(), WM_USER, 0, 0));
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(1000));
}

TEST_F(CrossThreadSend, ASendToAWindowDestroyedBeforeItWasHandledFails) {
    std::atomic<HWND> window = nullptr;
    CEvent ready(false, true);
    Thread owner;
    owner.Start([&] {
        FunctionTarget target([](UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
        window = CreateWindowHandle(&target);
        ready.SetEvent();
        Sleep(100); // time moves only once the sender below is blocked in its send
        DestroyWindowHandle(window);
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        return 0;
    });
    ready.Lock();
    Thread sender;
    sender.Start([&] { return TrySendMessage(window, WM_USER, 0, 0, nullptr) ? 1 : 0; });
    sender.WaitUntil(std::nullopt);
    EXPECT_EQ(sender.ExitCode(), 0);
}

TEST_F(CrossThreadSend, NotifySendsDoNotWaitForTheOwner) {
    std::atomic<int> handled = 0;
    std::atomic<HWND> window = nullptr;
    CEvent ready(false, true);
    CEvent proceed(false, true);
    Thread owner;
    owner.Start([&] {
        FunctionTarget target([&](UINT, WPARAM w, LPARAM) -> LRESULT {
            handled += static_cast<int>(w);
            return 0;
        });
        window = CreateWindowHandle(&target);
        ready.SetEvent();
        proceed.Lock(); // busy elsewhere: not reading its queue
        MSG msg;
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        return 0;
    });
    ready.Lock();
    EXPECT_TRUE(SendNotifyMessage(window, WM_USER, 2, 0));
    EXPECT_TRUE(SendNotifyMessage(window, WM_USER, 3, 0));
    EXPECT_EQ(handled, 0);
    proceed.SetEvent();
    owner.WaitUntil(std::nullopt);
    EXPECT_EQ(handled, 5);
}
