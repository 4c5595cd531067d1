// The order in which a queue hands out messages, and what retrieval leaves behind.
#include "core_test_support.h"

#include "platform/core/registered_message.h"
#include "platform/core/timers.h"

using namespace core_test;

namespace {

using MessageOrder = ClockTest;

// Queues a message sent from another thread without waiting for it.
void NotifyFromAnotherThread(HWND hwnd, UINT msg) {
    Thread other;
    other.Start([&] { return SendNotifyMessage(hwnd, msg, 0, 0) ? 0 : 1; });
    ASSERT_EQ(WaitForSingleObject(other, INFINITE), WAIT_OBJECT_0);
    ASSERT_EQ(other.ExitCode(), 0);
}

} // namespace

TEST_F(MessageOrder, SentFirstThenPostedInOrderThenQuitThenTimers) {
    TestWindow window;
    ASSERT_NE(SetTimer(window.hwnd, 1, 100), 0u);
    m_clock.Advance(Milliseconds(100));
    PostMessage(window.hwnd, WM_USER + 1, 0, 0);
    PostThreadMessage(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    PostMessage(window.hwnd, WM_USER + 2, 0, 0);
    PostQuitMessage(3);
    NotifyFromAnotherThread(window.hwnd, WM_USER + 9);

    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    // The sent message was handled inside the first retrieval, before anything was returned.
    EXPECT_EQ(window.received, std::vector<UINT>{WM_USER + 9});
    std::vector<UINT> order{msg.message};
    for (UINT m : DrainQueue()) {
        order.push_back(m);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_APP + 1, WM_USER + 2, WM_QUIT, WM_TIMER}));
}

TEST_F(MessageOrder, QuitEndsGetMessageWithItsCodeOnlyAfterPostedMessages) {
    TestWindow window;
    PostQuitMessage(7);
    PostMessage(window.hwnd, WM_USER, 0, 0);
    MSG msg;
    EXPECT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageOrder, NoRemoveLeavesTheMessageAndFiltersSkipOthers) {
    TestWindow a;
    TestWindow b;
    PostMessage(a.hwnd, WM_USER + 1, 0, 0);
    PostMessage(b.hwnd, WM_USER + 2, 0, 0);
    PostMessage(a.hwnd, WM_COMMAND, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessage(&msg, b.hwnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a.hwnd);
    EXPECT_FALSE(PeekMessage(&msg, b.hwnd, 0, 0, PM_REMOVE));
    EXPECT_EQ(DrainQueue(), std::vector<UINT>{WM_USER + 1});
}

TEST_F(MessageOrder, PostingToTheNullWindowQueuesAThreadMessageThatDispatchIgnores) {
    TestWindow window;
    ASSERT_TRUE(PostMessage(nullptr, WM_APP + 4, 5, 6));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.lParam, 6);
    EXPECT_EQ(DispatchMessage(&msg), 0);
    EXPECT_TRUE(window.received.empty());
}

TEST_F(MessageOrder, NamedMessagesAreSharedIgnoringCase) {
    const UINT created = RegisterWindowMessage(u"TaskbarCreated");
    EXPECT_GE(created, WM_REGISTERED_FIRST);
    EXPECT_EQ(RegisterWindowMessage(u"TASKBARCREATED"), created);
    EXPECT_NE(RegisterWindowMessage(u"WM_XCOMBOLIST_VK_RETURN"), created);
    EXPECT_EQ(RegisterWindowMessage(u""), 0u);
}
