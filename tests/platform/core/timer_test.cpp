// Timers under virtual time: when they fire, restarting, killing, and missed periods.
#include "core_test_support.h"

#include "platform/core/timers.h"

using namespace core_test;

namespace {

class Timers : public ClockTest {
protected:
    // The WM_TIMER ids available now, taken from the queue.
    std::vector<WPARAM> Fired() {
        std::vector<WPARAM> ids;
        MSG msg;
        while (PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
            ids.push_back(msg.wParam);
        }
        return ids;
    }
    void Advance(int ms) { m_clock.Advance(Milliseconds(ms)); }

    TestWindow m_window;
};

} // namespace

TEST_F(Timers, FiresEveryPeriodAndOnlyOnceForManyMissedPeriods) {
    ASSERT_NE(SetTimer(m_window.hwnd, 16, 500), 0u);
    Advance(499);
    EXPECT_TRUE(Fired().empty());
    Advance(1);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{16});
    Advance(5000); // ten periods late
    EXPECT_EQ(Fired(), std::vector<WPARAM>{16});
    Advance(499);
    EXPECT_TRUE(Fired().empty());
    Advance(1);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{16});
}

TEST_F(Timers, SettingAnExistingIdRestartsItWithTheNewPeriod) {
    SetTimer(m_window.hwnd, 101, 2000);
    Advance(1500);
    SetTimer(m_window.hwnd, 101, 2000); // a new show request within the two seconds
    Advance(1500);
    EXPECT_TRUE(Fired().empty());
    Advance(500);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{101});
    SetTimer(m_window.hwnd, 101, 100);
    Advance(100);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{101});
}

TEST_F(Timers, AKilledTimerNeverFiresEvenWhenAlreadyDue) {
    SetTimer(m_window.hwnd, 1, 100);
    SetTimer(m_window.hwnd, 2, 100);
    Advance(100);
    EXPECT_TRUE(KillTimer(m_window.hwnd, 1));
    EXPECT_FALSE(KillTimer(m_window.hwnd, 1));
    EXPECT_FALSE(KillTimer(m_window.hwnd, 99));
    EXPECT_EQ(Fired(), std::vector<WPARAM>{2});
}

TEST_F(Timers, EarliestDueFiresFirstAndIdsArePerWindow) {
    TestWindow other;
    SetTimer(m_window.hwnd, 1, 300);
    SetTimer(other.hwnd, 1, 200);
    SetTimer(m_window.hwnd, 2, 100);
    Advance(300);
    MSG msg;
    std::vector<std::pair<HWND, WPARAM>> order;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.emplace_back(msg.hwnd, msg.wParam);
    }
    EXPECT_EQ(order, (std::vector<std::pair<HWND, WPARAM>>{
                         {m_window.hwnd, 2}, {other.hwnd, 1}, {m_window.hwnd, 1}}));
}

TEST_F(Timers, PeriodsAreKeptWithinTheTimerBounds) {
    SetTimer(m_window.hwnd, 0, 1); // a 1 ms request, and id 0 is a valid id
    Advance(9);
    EXPECT_TRUE(Fired().empty());
    Advance(1);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{0});
}

TEST_F(Timers, DestroyingTheWindowDropsItsTimers) {
    HWND gone = nullptr;
    {
        TestWindow temporary;
        gone = temporary.hwnd;
        SetTimer(gone, 1, 100);
    }
    Advance(100);
    EXPECT_TRUE(Fired().empty());
    EXPECT_FALSE(KillTimer(gone, 1));
}

TEST_F(Timers, ThreadTimersGetFreshIds) {
    const UINT_PTR a = SetTimer(nullptr, 0, 100);
    const UINT_PTR b = SetTimer(nullptr, 0, 100);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(SetTimer(nullptr, a, 50), a); // an existing id is restarted, not duplicated
    Advance(50);
    EXPECT_EQ(Fired(), std::vector<WPARAM>{a});
    EXPECT_TRUE(KillTimer(nullptr, a));
    EXPECT_TRUE(KillTimer(nullptr, b));
}

TEST_F(Timers, ABlockedLoopWithOnlyTimersJumpsToTheNextDueTime) {
    SetTimer(m_window.hwnd, 700, 5000);
    SetTimer(m_window.hwnd, 701, 2000);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 701u);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(2000));
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 701u);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(4000));
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 700u);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(5000));
}

TEST_F(Timers, AnotherThreadCanStartATimerOfABlockedWindow) {
    Thread worker;
    worker.Start([hwnd = m_window.hwnd] { return SetTimer(hwnd, 703, 1) != 0 ? 0 : 1; });
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, m_window.hwnd, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, 703u);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(USER_TIMER_MINIMUM));
    worker.WaitUntil(std::nullopt);
    EXPECT_EQ(worker.ExitCode(), 0);
}
