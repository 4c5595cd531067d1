// Helpers of the messaging tests: a window on the test's own thread that records what it
// receives, and a window living on a message loop thread of its own.
#pragma once

#include "platform/core/event.h"
#include "platform/core/handle_table.h"
#include "platform/core/manual_clock.h"
#include "platform/core/message_queue.h"
#include "platform/core/thread.h"

#include <gtest/gtest.h>

#include <vector>

namespace core_test {

using namespace plat;

// Every test of messaging runs under virtual time.
class ClockTest : public ::testing::Test {
protected:
    // The test thread's queue outlives each test; start every test with it empty.
    void SetUp() override {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    ManualClock m_clock;
};

class TestWindow {
public:
    explicit TestWindow(FunctionTarget::Handler handler = {})
        : m_target([this, handler = std::move(handler)](UINT msg, WPARAM w, LPARAM l) -> LRESULT {
              received.push_back(msg);
              return handler ? handler(msg, w, l) : 0;
          }),
          hwnd(CreateWindowHandle(&m_target)) {}
    ~TestWindow() { DestroyWindowHandle(hwnd); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    std::vector<UINT> received;

private:
    FunctionTarget m_target;

public:
    const HWND hwnd;
};

// A window created on a thread of its own that runs a message loop until WM_QUIT.
class WindowThread {
public:
    explicit WindowThread(FunctionTarget::Handler handler) {
        m_thread.Start([this, handler = std::move(handler)] {
            FunctionTarget target(handler);
            hwnd = CreateWindowHandle(&target);
            m_ready.SetEvent();
            return RunMessageLoop();
        });
        m_ready.Lock();
    }
    ~WindowThread() {
        Quit();
        m_thread.WaitUntil(std::nullopt);
    }
    void Quit() { PostThreadMessage(m_thread.ThreadId(), WM_QUIT, 0, 0); }
    Thread& thread() { return m_thread; }

    HWND hwnd = nullptr;

private:
    CEvent m_ready{false, true};
    Thread m_thread;
};

// Pumps everything the queue holds now; returns the messages in the order they came.
inline std::vector<UINT> DrainQueue() {
    std::vector<UINT> order;
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        DispatchMessage(&msg);
    }
    return order;
}

} // namespace core_test
