// Modal loops: nesting, each loop's own result, and the ways a loop ends early.
#include "core_test_support.h"

#include "platform/core/modal_loop.h"

using namespace core_test;

namespace {

using ModalLoops = ClockTest;

constexpr UINT kRunInner = WM_USER + 1;
constexpr UINT kEndBoth = WM_USER + 2;

} // namespace

TEST_F(ModalLoops, NestedLoopsReturnTheirOwnResultsInnerFirst) {
    std::vector<std::string> log;
    HWND outer = nullptr;
    HWND inner = nullptr;
    TestWindow innerWindow([&](UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == kEndBoth) {
            // The outer loop is ended first, yet returns only after the inner one.
            EndModalLoop(outer, 1);
            EndModalLoop(inner, 2);
        }
        return 0;
    });
    TestWindow outerWindow([&](UINT msg, WPARAM, LPARAM) -> LRESULT {
        if (msg == kRunInner) {
            PostMessage(inner, kEndBoth, 0, 0);
            log.push_back("inner " + std::to_string(RunModalLoop(inner)));
            EXPECT_FALSE(IsInModalLoop(outer)); // already ended, still on the stack
        }
        return 0;
    });
    outer = outerWindow.hwnd;
    inner = innerWindow.hwnd;
    PostMessage(outer, kRunInner, 0, 0);
    log.push_back("outer " + std::to_string(RunModalLoop(outer)));
    EXPECT_EQ(log, (std::vector<std::string>{"inner 2", "outer 1"}));
}

TEST_F(ModalLoops, EndsEarlyWithMinusOne) {
    struct Case {
        const char* name;
        std::function<void(HWND)> during; // runs inside the loop
        bool quitReposted;
    } cases[] = {
        {"window destroyed", [](HWND h) { DestroyWindowHandle(h); }, false},
        {"quit request", [](HWND) { PostQuitMessage(9); }, true},
    };
    for (const Case& c : cases) {
        HWND self = nullptr;
        FunctionTarget target([&](UINT msg, WPARAM, LPARAM) -> LRESULT {
            if (msg == WM_USER) {
                c.during(self);
            }
            return 0;
        });
        self = CreateWindowHandle(&target);
        PostMessage(self, WM_USER, 0, 0);
        EXPECT_EQ(RunModalLoop(self), -1) << c.name;
        MSG msg;
        const bool quit = PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(quit, c.quitReposted) << c.name;
        if (quit) {
            EXPECT_EQ(msg.wParam, 9u);
        }
        DestroyWindowHandle(self);
    }
}

TEST_F(ModalLoops, AnotherThreadCanEndABlockedLoop) {
    TestWindow dialog;
    Thread worker;
    worker.Start([hwnd = dialog.hwnd] {
        Sleep(500);
        return EndModalLoop(hwnd, 7) ? 0 : 1;
    });
    EXPECT_EQ(RunModalLoop(dialog.hwnd), 7);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(500));
    worker.WaitUntil(std::nullopt);
    EXPECT_EQ(worker.ExitCode(), 0);
}

TEST_F(ModalLoops, RefusesWhatIsNotARunningLoopOfThisThread) {
    TestWindow window;
    EXPECT_FALSE(EndModalLoop(window.hwnd, 1));
    EXPECT_FALSE(IsInModalLoop(window.hwnd));
    WindowThread elsewhere([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    EXPECT_EQ(RunModalLoop(elsewhere.hwnd), -1);
    HWND stale = nullptr;
    {
        TestWindow gone;
        stale = gone.hwnd;
    }
    EXPECT_EQ(RunModalLoop(stale), -1);
}
