// The rule of virtual time: it jumps only when every taking-part thread is blocked.
#include "core_test_support.h"

#include <atomic>
#include <future>

using namespace core_test;

namespace {

using VirtualTime = ClockTest;

} // namespace

TEST_F(VirtualTime, SleepAloneReturnsAtOnceWithTimeMoved) {
    const auto realStart = std::chrono::steady_clock::now();
    Sleep(60'000);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(60'000));
    EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(5));
    EXPECT_EQ(GetTickCount(), 60'000u);
}

TEST_F(VirtualTime, AComputingThreadHoldsTimeStill) {
    std::atomic<bool> finished = false;
    Thread busy;
    busy.Start([&] {
        // Real time passes here, virtual time must not.
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(30);
        while (std::chrono::steady_clock::now() < until) {
        }
        finished = true;
        return 0;
    });
    Sleep(1);
    EXPECT_TRUE(finished);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(1));
    busy.WaitUntil(std::nullopt);
}

TEST_F(VirtualTime, SleepersWakeInDeadlineOrder) {
    std::vector<int> order;
    std::mutex mutex;
    Thread sleepers[3];
    const DWORD delays[3] = {300, 100, 200};
    for (int i = 0; i < 3; ++i) {
        sleepers[i].Start([&, i] {
            Sleep(delays[i]);
            std::lock_guard lock(mutex);
            order.push_back(static_cast<int>(delays[i]));
            return 0;
        });
    }
    for (Thread& t : sleepers) {
        t.WaitUntil(std::nullopt);
    }
    EXPECT_EQ(order, (std::vector<int>{100, 200, 300}));
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(300));
}

TEST_F(VirtualTime, AnOutsideWaitInItsScopeLetsTimeMove) {
    std::promise<void> released;
    Thread reader;
    reader.Start([&] {
        ExternalWaitScope outside;
        released.get_future().wait();
        return 0;
    });
    Sleep(100); // would never return if the reader counted as running
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(100));
    released.set_value();
    reader.WaitUntil(std::nullopt);
}

TEST_F(VirtualTime, AdvanceWakesWhatBecameDue) {
    std::atomic<bool> woke = false;
    Thread sleeper;
    sleeper.Start([&] {
        Sleep(1000);
        woke = true;
        return 0;
    });
    Sleep(1); // returns only once the sleeper is parked until 1000
    m_clock.Advance(Milliseconds(999));
    sleeper.WaitUntil(std::nullopt);
    EXPECT_TRUE(woke);
    EXPECT_EQ(m_clock.Elapsed(), Milliseconds(1000));
}
