// The progress channel: observers without duplicates, synchronous reports across threads.
#include "device/progress_messenger.h"

#include "platform/core/handle_table.h"
#include "platform/core/manual_clock.h"
#include "platform/core/message_queue.h"
#include "platform/core/thread.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(ProgressMessenger, ReportFromAWorkerWaitsForAnObserverThatChecksTheChannel) {
    plat::ManualClock clock;
    CProgressMessenger channel;
    std::atomic<int> seen{-1};
    // The observer checks the channel under the shared lock while handling the report, as
    // the progress popup does; the report must not hold that lock across the send.
    plat::FunctionTarget target([&](plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
        auto* from = reinterpret_cast<CProgressMessenger*>(wParam);
        std::lock_guard guard(CProgressMessenger::ChannelLock());
        if (message == WM_PROGRESS_PERCENT && from == &channel) {
            seen = static_cast<int>(lParam);
        }
        return plat::LRESULT{0};
    });
    const plat::HWND window = plat::CreateWindowHandle(&target);
    channel.AddObserver(window);
    channel.AddObserver(window);

    plat::Thread worker;
    ASSERT_TRUE(worker.Start([&] {
        channel.ReportProgress(42);
        plat::PostMessage(window, plat::WM_USER, 0, 0); // wakes the observer's loop
        return 0;
    }));
    plat::MSG msg;
    while (seen != 42 && plat::GetMessage(&msg, nullptr, 0, 0)) {
        plat::DispatchMessage(&msg);
    }
    EXPECT_TRUE(worker.WaitUntil(std::nullopt));
    EXPECT_EQ(seen, 42);

    channel.RemoveObserver(window);
    EXPECT_FALSE(channel.HasObserver(window));
    channel.ReportProgress(7);
    EXPECT_EQ(seen, 42);
    plat::DestroyWindowHandle(window);
}

TEST(ProgressMessenger, CaptionIsKept) {
    CProgressMessenger channel;
    channel.SetCaption(u"$Writetodevice");
    EXPECT_EQ(channel.GetCaption(), u"$Writetodevice");
}
