// Mouse routing: hit testing through shapes, HTTRANSPARENT, disabled children and
// click-through windows; capture; caption dragging; the wheel; double clicks.
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);

class MouseRoutingTest : public WindowTest {};

// The presses a window received, single or double.
std::vector<UINT> Presses(RecordingWnd& w) {
    std::vector<UINT> out;
    for (UINT m : w.Messages(WM_LBUTTONDOWN, WM_LBUTTONDBLCLK))
        if (m != WM_LBUTTONUP)
            out.push_back(m);
    return out;
}

TEST_F(MouseRoutingTest, ClickGoesToTheDeepestWindowThatTakesThePoint) {
    auto& top = TopLevel({100, 100, 400, 300}, kGrey);
    auto& shaped = Child(top, {10, 10, 110, 110}, kGrey, 1);
    shaped.SetWindowRgn(Region(Rect{0, 0, 50, 100})); // left half only
    auto& glass = Child(top, {150, 10, 200, 60}, kGrey, 2);
    glass.hitCode = HTTRANSPARENT;
    auto& disabled = Child(top, {150, 100, 200, 150}, kGrey, 3);
    disabled.EnableWindow(false);
    auto& inner = Child(shaped, {5, 5, 25, 25}, kGrey, 4);
    Pump();

    struct Case {
        const char* what;
        Point client; // of the top-level window
        RecordingWnd* expected;
        Point expectedClient;
    };
    const Case cases[] = {
        {"inside the shape", {30, 50}, &shaped, {20, 40}},
        {"in the rectangle, outside the shape", {90, 50}, &top, {90, 50}},
        {"grandchild", {20, 20}, &inner, {5, 5}},
        {"a child answering HTTRANSPARENT", {160, 20}, &top, {160, 20}},
        {"a disabled child", {160, 110}, &top, {160, 110}},
    };
    for (const Case& c : cases) {
        for (RecordingWnd* w : {&top, &shaped, &glass, &disabled, &inner})
            w->log.clear();
        ClickAt(top, c.client);
        const auto got = c.expected->Take(WM_LBUTTONDOWN, WM_LBUTTONDOWN);
        ASSERT_EQ(got.size(), 1u) << c.what;
        EXPECT_EQ(GET_X_LPARAM(got[0].lParam), c.expectedClient.x) << c.what;
        EXPECT_EQ(GET_Y_LPARAM(got[0].lParam), c.expectedClient.y) << c.what;
        EXPECT_EQ(got[0].wParam, MK_LBUTTON) << c.what;
    }
}

TEST_F(MouseRoutingTest, ClickThroughAndShapedTopLevelWindowsLetClicksFallBelow) {
    auto& below = TopLevel({0, 0, 300, 300}, kGrey);
    auto& overlay = TopLevel({0, 0, 100, 100}, kGrey, WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST);
    auto& shaped = TopLevel({150, 150, 250, 250}, kGrey);
    shaped.SetWindowRgn(Region(Rect{0, 0, 20, 20}));
    Pump();
    below.log.clear();

    m_screen->Click({50, 50});
    m_screen->Click({200, 200}); // outside the shape of the window on top
    m_screen->Click({160, 160}); // inside it
    Pump();

    EXPECT_EQ(below.Messages(WM_LBUTTONDOWN, WM_LBUTTONDOWN).size(), 2u);
    EXPECT_EQ(overlay.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(shaped.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(MouseRoutingTest, CaptureKeepsTheMouseOutsideTheWindowUntilReleased) {
    auto& top = TopLevel({100, 100, 300, 300}, kGrey);
    auto& thumb = Child(top, {10, 10, 30, 30}, kGrey);
    auto& other = TopLevel({500, 500, 600, 600}, kGrey);
    Pump();

    MoveTo(thumb, {5, 5});
    m_screen->PressButton(MouseButton::Left);
    Pump();
    thumb.SetCapture();
    m_screen->MoveMouse({550, 550}); // over another window
    m_screen->ReleaseButton(MouseButton::Left);
    m_screen->MoveMouse({560, 560});
    Pump();

    const auto got = thumb.Take(WM_MOUSEMOVE, WM_LBUTTONUP);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[got.size() - 2].message, WM_LBUTTONUP);
    EXPECT_EQ(GET_X_LPARAM(got.back().lParam), 560 - 110) << "client coordinates of the captor";
    EXPECT_EQ(other.Count(WM_MOUSEMOVE), 0);

    ReleaseCapture();
    EXPECT_EQ(thumb.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    m_screen->MoveMouse({570, 570});
    Pump();
    EXPECT_EQ(other.Count(WM_MOUSEMOVE), 1);
}

TEST_F(MouseRoutingTest, CaptureTakenOnAPressRoutesMovesQueuedBehindIt) {
    auto& top = TopLevel({100, 100, 300, 300}, kGrey);
    auto& thumb = Child(top, {10, 10, 30, 30}, kGrey);
    Pump();
    thumb.log.clear();

    // Press and move arrive together; the press's handler takes the capture.
    MoveTo(thumb, {5, 5});
    m_screen->PressButton(MouseButton::Left);
    m_screen->MoveMouse({150, 250}); // over the parent
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        PumpMessage(msg);
        if (msg.message == WM_LBUTTONDOWN)
            thumb.SetCapture();
    }

    EXPECT_EQ(thumb.Count(WM_MOUSEMOVE), 2);
    EXPECT_EQ(top.Count(WM_MOUSEMOVE), 0);
}

TEST_F(MouseRoutingTest, CaptionDragMovesTheWindowButNotFromAChild) {
    auto& top = TopLevel({100, 100, 300, 300}, kGrey);
    top.hitCode = HTCAPTION;
    auto& button = Child(top, {10, 10, 50, 50}, kGrey);
    Pump();

    m_screen->MoveMouse({200, 200});
    m_screen->PressButton(MouseButton::Left);
    Pump();
    m_screen->MoveMouse({230, 220});
    m_screen->MoveMouse({260, 240});
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(top.GetWindowRect(), (Rect{160, 140, 360, 340}));
    EXPECT_EQ(top.Count(WM_NCLBUTTONDOWN), 1);
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(m_screen->TopLevelWindows().back().bounds, (Rect{160, 140, 360, 340}));

    const Point onButton = button.ClientToScreen(Point{5, 5});
    m_screen->MoveMouse(onButton);
    m_screen->PressButton(MouseButton::Left);
    m_screen->MoveMouse({onButton.x + 40, onButton.y + 40});
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(top.GetWindowRect(), (Rect{160, 140, 360, 340}));
    EXPECT_EQ(button.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(MouseRoutingTest, WheelGoesUnderThePointerAndUnhandledTurnsReachTheParent) {
    auto& top = TopLevel({0, 0, 200, 200}, kGrey);
    auto& list = Child(top, {10, 10, 100, 100}, kGrey);
    Pump();
    MoveTo(list, {5, 5});

    m_screen->Wheel(-WHEEL_DELTA);
    Pump();

    const auto atList = list.Take(WM_MOUSEWHEEL, WM_MOUSEWHEEL);
    ASSERT_EQ(atList.size(), 1u);
    EXPECT_EQ(static_cast<std::int16_t>(HIWORD(atList[0].wParam)), -WHEEL_DELTA);
    EXPECT_EQ(GET_X_LPARAM(atList[0].lParam), 15) << "screen coordinates";
    EXPECT_EQ(top.Count(WM_MOUSEWHEEL), 1);
}

TEST_F(MouseRoutingTest, DoubleClickNeedsTheClassStyleAndAQuickCloseSecondPress) {
    struct Case {
        const char* what;
        const char16_t* windowClass;
        int delayMs;
        int dx;
        std::vector<UINT> expected;
    };
    const std::vector<Case> cases = {
        {"quick, same place", kDoubleClickClass, 200, 0, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
        {"at the limit", kDoubleClickClass, 500, 0, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}},
        {"too slow", kDoubleClickClass, 501, 0, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
        {"moved too far", kDoubleClickClass, 100, 3, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
        {"class without double clicks", kPlainClass, 100, 0, {WM_LBUTTONDOWN, WM_LBUTTONDOWN}},
    };
    for (const Case& c : cases) {
        auto& top = TopLevel({0, 0, 100, 100}, kGrey, 0, c.windowClass);
        Pump();
        top.log.clear();
        ClickAt(top, {50, 50});
        m_clock.Advance(Milliseconds(c.delayMs));
        ClickAt(top, {50 + c.dx, 50});
        EXPECT_EQ(Presses(top), c.expected) << c.what;
        top.DestroyWindow();
        m_clock.Advance(Milliseconds(1000));
    }
}

TEST_F(MouseRoutingTest, ThirdQuickClickStartsANewPair) {
    auto& top = TopLevel({0, 0, 100, 100}, kGrey, 0, kDoubleClickClass);
    Pump();
    top.log.clear();
    for (int i = 0; i < 4; ++i) {
        ClickAt(top, {50, 50});
        m_clock.Advance(Milliseconds(100));
    }
    EXPECT_EQ(Presses(top),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

} // namespace
} // namespace window_test
