// The same machinery on the monotonic clock the programs run on. Only lower bounds of
// elapsed time are checked, so a busy machine cannot fail these.
#include "core_test_support.h"

#include "platform/core/timers.h"

using namespace core_test;

namespace {

std::chrono::milliseconds RealSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

} // namespace

TEST(MonotonicClock, WaitsTimersAndSleepTakeAtLeastTheirTime) {
    auto start = std::chrono::steady_clock::now();
    CEvent never;
    EXPECT_EQ(WaitForSingleObject(never, 30), WAIT_TIMEOUT);
    EXPECT_GE(RealSince(start), std::chrono::milliseconds(30));

    start = std::chrono::steady_clock::now();
    Sleep(20);
    EXPECT_GE(RealSince(start), std::chrono::milliseconds(20));

    TestWindow window;
    start = std::chrono::steady_clock::now();
    SetTimer(window.hwnd, 5, 25);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, window.hwnd, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_GE(RealSince(start), std::chrono::milliseconds(25));
    KillTimer(window.hwnd, 5);
}

TEST(MonotonicClock, CrossThreadSendsAndThreadEnds) {
    TestWindow mine([](UINT, WPARAM w, LPARAM) -> LRESULT { return static_cast<LRESULT>(w) + 1; });
    WindowThread other([&](UINT msg, WPARAM w, LPARAM) -> LRESULT {
        return msg == WM_USER ? SendMessage(mine.hwnd, WM_USER, w, 0) * 10 : 0;
    });
    for (WPARAM i = 0; i < 100; ++i) {
        ASSERT_EQ(SendMessage(other.hwnd, WM_USER, i, 0), static_cast<LRESULT>((i + 1) * 10));
    }
    other.Quit();
    EXPECT_EQ(WaitForSingleObject(other.thread(), INFINITE), WAIT_OBJECT_0);
    EXPECT_FALSE(TrySendMessage(other.hwnd, WM_USER, 0, 0, nullptr));
}
