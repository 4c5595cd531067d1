// User-interface threads: initialisation, thread messages, quit, exit code and waiting.
#include "core_test_support.h"

#include "platform/core/modal_loop.h"
#include "platform/core/win_thread.h"

#include <atomic>
#include <mutex>

using namespace core_test;

namespace {

using UiThreads = ClockTest;

constexpr UINT kClose = WM_APP + 8;
constexpr UINT kShow = WM_APP + 9;

class RecordingThread : public CWinThread {
public:
    explicit RecordingThread(bool initResult = true) : m_initResult(initResult) {}

    bool InitInstance() override {
        Record("init");
        return m_initResult;
    }
    void OnThreadMessage(const MSG& msg) override {
        Record("message " + std::to_string(msg.message - WM_APP) + " " + std::to_string(msg.wParam));
        if (msg.message == kClose) {
            PostQuitMessage(static_cast<int>(msg.wParam));
        }
    }
    int ExitInstance() override {
        Record("exit");
        return CWinThread::ExitInstance() + 100;
    }
    std::vector<std::string> Log() {
        std::lock_guard lock(m_mutex);
        return m_log;
    }

private:
    void Record(std::string line) {
        std::lock_guard lock(m_mutex);
        m_log.push_back(std::move(line));
    }

    const bool m_initResult;
    std::mutex m_mutex;
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(UiThreads, RunsInitThenThreadMessagesUntilQuitThenExit) {
    RecordingThread thread;
    ASSERT_TRUE(thread.CreateThread());
    EXPECT_FALSE(thread.CreateThread());
    EXPECT_NE(thread.ThreadId(), 0u);
    // Posted before the thread has run a single step: kept, not lost.
    EXPECT_TRUE(thread.PostThreadMessage(kShow, 1, 0));
    EXPECT_TRUE(thread.PostThreadMessage(kClose, 5, 0));
    EXPECT_EQ(thread.Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(thread.ExitCode(), 105);
    EXPECT_EQ(thread.Log(), (std::vector<std::string>{"init", "message 9 1", "message 8 5", "exit"}));
    EXPECT_FALSE(thread.PostThreadMessage(kShow, 0, 0));
}

TEST_F(UiThreads, FailedInitSkipsTheLoop) {
    RecordingThread thread(false);
    thread.CreateThread();
    thread.PostThreadMessage(kShow, 1, 0);
    EXPECT_EQ(WaitForSingleObject(thread.Handle(), INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(thread.ExitCode(), 100);
    EXPECT_EQ(thread.Log(), (std::vector<std::string>{"init", "exit"}));
}

TEST_F(UiThreads, WaitTimesOutWhileTheThreadRuns) {
    RecordingThread thread;
    thread.CreateThread();
    EXPECT_EQ(thread.Wait(2000), WAIT_TIMEOUT);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(2000));
    EXPECT_EQ(thread.ExitCode(), std::nullopt);
    EXPECT_EQ(thread.Wait(0), WAIT_TIMEOUT); // a test, not a wait
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(2000));
    thread.PostThreadMessage(kClose, 0, 0);
    EXPECT_EQ(thread.Wait(INFINITE), WAIT_OBJECT_0);
}

// A thread whose initialisation runs a window modally: the modal loop serves the thread's
// requests, the window's destruction ends the thread.
class PopupThread : public CWinThread {
public:
    bool InitInstance() override {
        FunctionTarget panel([this](UINT msg, WPARAM, LPARAM) -> LRESULT {
            if (msg == WM_CLOSE) {
                DestroyWindowHandle(m_panel);
                PostQuitMessage(0);
            }
            return 0;
        });
        m_panel = CreateWindowHandle(&panel);
        m_modalResult = RunModalLoop(m_panel);
        return true;
    }
    void OnThreadMessage(const MSG& msg) override {
        if (msg.message == kClose) {
            PostMessage(m_panel, WM_CLOSE, 0, 0);
        } else {
            ++m_requests;
        }
    }

    std::atomic<int> m_requests = 0;
    std::atomic<int> m_modalResult = 0;

private:
    HWND m_panel = nullptr;
};

TEST_F(UiThreads, AModalWindowInInitServesThreadRequestsAndItsCloseEndsTheThread) {
    PopupThread popup;
    popup.CreateThread();
    popup.PostThreadMessage(kShow, 0, 0);
    popup.PostThreadMessage(kShow, 0, 0);
    popup.PostThreadMessage(kClose, 0, 0);
    EXPECT_EQ(popup.Wait(INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(popup.m_requests, 2);
    EXPECT_EQ(popup.m_modalResult, -1);
    EXPECT_EQ(popup.ExitCode(), 0);
}

TEST_F(UiThreads, TheCurrentThreadObjectIsKnownOnlyOnItsThread) {
    EXPECT_EQ(CWinThread::Current(), nullptr);
    class Probe : public CWinThread {
    public:
        bool InitInstance() override {
            m_sawItself = Current() == this;
            return false;
        }
        bool m_sawItself = false;
    } probe;
    EXPECT_EQ(probe.RunOnCurrentThread(), 0);
    EXPECT_TRUE(probe.m_sawItself);
    EXPECT_EQ(CWinThread::Current(), nullptr);
}
