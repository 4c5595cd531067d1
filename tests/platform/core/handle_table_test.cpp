// Window handles: destroyed, reused and made-up handles are recognised and refused.
#include "core_test_support.h"

#include "platform/core/timers.h"

using namespace core_test;

namespace {

using WindowHandles = ClockTest;

HWND FromValue(std::uintptr_t v) {
    return reinterpret_cast<HWND>(v);
}

} // namespace

TEST_F(WindowHandles, ADestroyedHandleIsRefusedEverywhereEvenAfterItsSlotIsReused) {
    HWND stale = nullptr;
    {
        TestWindow gone;
        stale = gone.hwnd;
        PostMessage(stale, WM_USER, 0, 0);
    }
    MSG msg;
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)); // its queued message went with it
    TestWindow reused;                                         // takes the freed slot
    EXPECT_NE(reused.hwnd, stale);
    EXPECT_TRUE(IsWindow(reused.hwnd));

    LRESULT result = 42;
    EXPECT_FALSE(IsWindow(stale));
    EXPECT_FALSE(PostMessage(stale, WM_USER, 0, 0));
    EXPECT_FALSE(TrySendMessage(stale, WM_USER, 0, 0, &result));
    EXPECT_EQ(result, 42);
    EXPECT_FALSE(SendNotifyMessage(stale, WM_USER, 0, 0));
    EXPECT_EQ(SetTimer(stale, 1, 100), 0u);
    EXPECT_FALSE(DestroyWindowHandle(stale));
    EXPECT_EQ(GetWindowThreadId(stale), 0u);
    EXPECT_TRUE(reused.received.empty());
}

TEST_F(WindowHandles, ValuesThatWereNeverHandlesAreNotWindows) {
    TestWindow real;
    const auto value = reinterpret_cast<std::uintptr_t>(real.hwnd);
    for (std::uintptr_t v : {std::uintptr_t{0}, std::uintptr_t{1}, value + 1,
                             value ^ (std::uintptr_t{1} << 32), value & 0xFFFFFFFFu, ~std::uintptr_t{0}}) {
        EXPECT_FALSE(IsWindow(FromValue(v))) << std::hex << v;
        EXPECT_EQ(SendMessage(FromValue(v), WM_USER, 0, 0), 0) << std::hex << v;
    }
    EXPECT_TRUE(real.received.empty());
}

TEST_F(WindowHandles, OnlyTheOwningThreadDestroysOrReachesTheTarget) {
    TestWindow window;
    Thread other;
    other.Start([&] {
        const bool refused = !DestroyWindowHandle(window.hwnd) && GetWindowTarget(window.hwnd) == nullptr &&
                             !SetWindowTarget(window.hwnd, nullptr);
        return refused ? 0 : 1;
    });
    other.WaitUntil(std::nullopt);
    EXPECT_EQ(other.ExitCode(), 0);
    EXPECT_TRUE(IsWindow(window.hwnd));
    EXPECT_EQ(GetWindowThreadId(window.hwnd), GetCurrentThreadId());
    EXPECT_NE(GetWindowTarget(window.hwnd), nullptr);
}

TEST_F(WindowHandles, HandlesOfAnEndedThreadBecomeStale) {
    HWND orphan = nullptr;
    Thread worker;
    worker.Start([&] {
        static FunctionTarget target(nullptr);
        orphan = CreateWindowHandle(&target);
        return 0;
    });
    worker.WaitUntil(std::nullopt);
    EXPECT_FALSE(IsWindow(orphan));
    EXPECT_FALSE(PostMessage(orphan, WM_USER, 0, 0));
}

TEST_F(WindowHandles, RetargetingRedirectsMessages) {
    TestWindow window;
    int calls = 0;
    FunctionTarget other([&](UINT, WPARAM, LPARAM) -> LRESULT { return ++calls; });
    ASSERT_TRUE(SetWindowTarget(window.hwnd, &other));
    EXPECT_EQ(SendMessage(window.hwnd, WM_USER, 0, 0), 1);
    EXPECT_TRUE(window.received.empty());
}
