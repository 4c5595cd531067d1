// The seams the window layer and the backends plug into: fetching backend events, low
// priority paints, waking a blocked loop, and pre-translation before dispatch.
#include "core_test_support.h"

#include "platform/core/timers.h"

#include <atomic>

using namespace core_test;

namespace {

// A backend with some input waiting and one damaged window.
class FakeBackend : public QueueHooks {
public:
    explicit FakeBackend(HWND window) : m_window(window) {}
    void FetchEvents() override {
        ++fetches;
        if (pendingInput.exchange(false)) {
            PostMessage(m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
        }
    }
    bool NextPaint(HWND filter, MSG& out) override {
        if (!damaged || (filter && filter != m_window)) {
            return false;
        }
        damaged = false;
        out = {m_window, WM_PAINT, 0, 0, GetTickCount()};
        return true;
    }

    std::atomic<bool> pendingInput = false;
    bool damaged = false;
    std::atomic<int> fetches = 0;

private:
    HWND m_window;
};

class QueueHooksTest : public ClockTest {
protected:
    void TearDown() override {
        SetQueueHooks(nullptr);
        SetWindowMessageFilter(nullptr);
    }
};

} // namespace

TEST_F(QueueHooksTest, PaintsComeAfterInputAndPostedMessagesAndBeforeTimers) {
    TestWindow window;
    FakeBackend backend(window.hwnd);
    SetQueueHooks(&backend);
    SetTimer(window.hwnd, 1, 100);
    m_clock.Advance(Milliseconds(100));
    backend.damaged = true;
    backend.pendingInput = true;
    PostMessage(window.hwnd, WM_USER, 0, 0);
    EXPECT_EQ(DrainQueue(), (std::vector<UINT>{WM_USER, WM_LBUTTONDOWN, WM_PAINT, WM_TIMER}));
}

TEST_F(QueueHooksTest, WakingABlockedThreadMakesItFetchAgain) {
    TestWindow window;
    FakeBackend backend(window.hwnd);
    SetQueueHooks(&backend);
    const DWORD self = GetCurrentThreadId();
    Thread watcher; // stands for a thread watching the display connection
    watcher.Start([&] {
        Sleep(50);
        backend.pendingInput = true;
        return WakeThread(self) ? 0 : 1;
    });
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
    EXPECT_EQ(GET_X_LPARAM(msg.lParam), 3);
    EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 4);
    watcher.WaitUntil(std::nullopt);
    EXPECT_EQ(watcher.ExitCode(), 0);
    EXPECT_FALSE(WakeThread(watcher.ThreadId()));
}

TEST_F(QueueHooksTest, TheWindowFilterCanConsumeAMessageBeforeDispatch) {
    struct EscapeEater : MessageFilter {
        bool PreTranslateMessage(MSG& msg) override {
            return msg.message == WM_KEYDOWN && msg.wParam == 0x1B;
        }
    } filter;
    SetWindowMessageFilter(&filter);
    TestWindow window;
    PostMessage(window.hwnd, WM_KEYDOWN, 0x1B, 0);
    PostMessage(window.hwnd, WM_KEYDOWN, 0x0D, 0);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        PumpMessage(msg);
    }
    EXPECT_EQ(window.received, std::vector<UINT>{WM_KEYDOWN});
}

TEST(MessageParameters, PackAndUnpackSignedCoordinates) {
    struct Case {
        int x, y;
    } cases[] = {{0, 0}, {3, 4}, {-1, -2}, {32767, -32768}};
    for (const Case& c : cases) {
        const LPARAM l = MAKELPARAM(static_cast<std::uint16_t>(c.x), static_cast<std::uint16_t>(c.y));
        EXPECT_EQ(GET_X_LPARAM(l), c.x);
        EXPECT_EQ(GET_Y_LPARAM(l), c.y);
    }
    EXPECT_EQ(HIWORD(MAKEWPARAM(341, EN_CHANGE)), EN_CHANGE);
    EXPECT_EQ(LOWORD(MAKEWPARAM(341, EN_CHANGE)), 341);
}
