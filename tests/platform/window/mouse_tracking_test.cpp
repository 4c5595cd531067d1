// Hover and leave tracking: WM_MOUSELEAVE once per request when the mouse leaves the
// window (for a sibling, the desktop, or at once when it is not there), WM_MOUSEHOVER
// after resting for the hover time.
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);

class MouseTrackingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        top = &TopLevel({100, 100, 300, 300}, kGrey);
        item = &Child(*top, {10, 10, 60, 60}, kGrey);
        sibling = &Child(*top, {100, 10, 150, 60}, kGrey);
        Pump();
    }
    void Track(CWnd& w, DWORD flags, DWORD hoverMs = HOVER_DEFAULT) {
        TRACKMOUSEEVENT t{flags, w.GetSafeHwnd(), hoverMs};
        ASSERT_TRUE(TrackMouseEvent(&t));
    }
    DWORD Query(CWnd& w) {
        TRACKMOUSEEVENT t{TME_QUERY, w.GetSafeHwnd(), 0};
        TrackMouseEvent(&t);
        return t.dwFlags;
    }

    RecordingWnd* top{nullptr};
    RecordingWnd* item{nullptr};
    RecordingWnd* sibling{nullptr};
};

TEST_F(MouseTrackingTest, LeaveArrivesOnceWhenTheMouseMovesOn) {
    struct Case {
        const char* what;
        Point to; // screen
    };
    const Case cases[] = {
        {"onto a sibling", {205, 115}},
        {"onto the parent", {180, 200}},
        {"off the window to the desktop", {900, 900}},
    };
    for (const Case& c : cases) {
        MoveTo(*item, {5, 5});
        Track(*item, TME_LEAVE);
        EXPECT_EQ(Query(*item), TME_LEAVE) << c.what;
        item->log.clear();

        m_screen->MoveMouse(c.to);
        Pump();
        m_screen->MoveMouse({c.to.x + 1, c.to.y});
        Pump();

        EXPECT_EQ(item->Count(WM_MOUSELEAVE), 1) << c.what;
        EXPECT_EQ(Query(*item), 0u) << c.what << ": tracking ends with the leave";
    }
}

TEST_F(MouseTrackingTest, LeaveIsDueAtOnceWhenTheMouseIsElsewhere) {
    MoveTo(*sibling, {5, 5});
    Track(*item, TME_LEAVE);
    Pump();
    EXPECT_EQ(item->Count(WM_MOUSELEAVE), 1);
}

TEST_F(MouseTrackingTest, MovingWithinTheWindowKeepsTrackingWithoutLeave) {
    MoveTo(*item, {5, 5});
    Track(*item, TME_LEAVE);
    MoveTo(*item, {30, 30});
    EXPECT_EQ(item->Count(WM_MOUSELEAVE), 0);
    EXPECT_EQ(Query(*item), TME_LEAVE);
}

TEST_F(MouseTrackingTest, CancelStopsTheLeave) {
    MoveTo(*item, {5, 5});
    Track(*item, TME_LEAVE);
    Track(*item, TME_LEAVE | TME_CANCEL);
    MoveTo(*sibling, {5, 5});
    EXPECT_EQ(item->Count(WM_MOUSELEAVE), 0);
}

TEST_F(MouseTrackingTest, HoverAfterRestingForTheHoverTime) {
    MoveTo(*item, {5, 5});
    Track(*item, TME_HOVER, 300);
    m_clock.Advance(Milliseconds(200));
    MoveTo(*item, {6, 5}); // within the hover rectangle: the wait goes on
    m_clock.Advance(Milliseconds(99));
    Pump();
    EXPECT_EQ(item->Count(WM_MOUSEHOVER), 0);

    m_clock.Advance(Milliseconds(1));
    Pump();
    const auto hovers = item->Take(WM_MOUSEHOVER, WM_MOUSEHOVER);
    ASSERT_EQ(hovers.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(hovers[0].lParam), 5);

    m_clock.Advance(Milliseconds(1000));
    Pump();
    EXPECT_EQ(item->Count(WM_MOUSEHOVER), 0) << "one hover per request";
}

TEST_F(MouseTrackingTest, MovingPastTheHoverRectangleRestartsTheWait) {
    MoveTo(*item, {5, 5});
    Track(*item, TME_HOVER, 300);
    m_clock.Advance(Milliseconds(250));
    MoveTo(*item, {20, 20});
    m_clock.Advance(Milliseconds(250));
    Pump();
    EXPECT_EQ(item->Count(WM_MOUSEHOVER), 0);
    m_clock.Advance(Milliseconds(50));
    Pump();
    EXPECT_EQ(item->Count(WM_MOUSEHOVER), 1);
}

TEST_F(MouseTrackingTest, HiddenWindowsAreNotHit) {
    sibling->ShowWindow(SW_HIDE);
    item->log.clear();
    top->log.clear();
    ClickAt(*top, {110, 20});
    EXPECT_EQ(sibling->Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(top->Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(WindowFromPoint(top->ClientToScreen(Point{20, 20})), item->GetSafeHwnd());
    EXPECT_EQ(WindowFromPoint(top->ClientToScreen(Point{110, 20})), top->GetSafeHwnd());
    EXPECT_EQ(WindowFromPoint({5, 5}), nullptr);
}

TEST_F(MouseTrackingTest, CursorFollowsTheClassOfTheWindowUnderTheMouse) {
    RegisterClass({0, u"TestHandCursor", std::nullopt, CursorShape::Hand});
    CWnd link;
    ASSERT_TRUE(link.Create(u"TestHandCursor", u"", WS_CHILD | WS_VISIBLE, {10, 100, 60, 120}, top));
    const auto cursor = [&] { return m_screen->TopLevelWindows().back().cursor; };

    MoveTo(link, {5, 5});
    EXPECT_EQ(cursor(), CursorShape::Hand);
    MoveTo(*top, {150, 150});
    EXPECT_EQ(cursor(), CursorShape::Arrow);
}

} // namespace
} // namespace window_test
