// Painting: damage is painted once per loop iteration, parents before children, each
// window clipped to its rectangle, its shape and its ancestors; the result is presented
// once per flush.
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);

class PaintTest : public WindowTest {};

TEST_F(PaintTest, InvalidatingSeveralTimesPaintsEachWindowOnceAndPresentsOnce) {
    auto& top = TopLevel({100, 100, 300, 250}, kBlue);
    auto& child = Child(top, {10, 10, 60, 60}, kRed);
    Pump();
    top.paints = child.paints = 0;
    const int presents = m_screen->PresentCount();

    child.Invalidate();
    child.Invalidate();
    top.InvalidateRect(nullptr);
    Pump();

    EXPECT_EQ(top.paints, 1);
    EXPECT_EQ(child.paints, 1);
    EXPECT_EQ(m_screen->PresentCount(), presents + 1);
    Pump();
    EXPECT_EQ(top.paints, 1) << "nothing damaged, nothing painted";
}

TEST_F(PaintTest, ChildrenPaintOverTheirParentClippedToParentAndShape) {
    auto& top = TopLevel({100, 100, 300, 250}, kBlue);
    // Reaches past the parent's right edge; its shape leaves out its first 20 columns.
    auto& child = Child(top, {150, 20, 250, 80}, kRed);
    child.SetWindowRgn(Region(Rect{20, 0, 100, 60}));
    Pump();

    const COLORREF desktop = ColorFromPixel(HeadlessWindowSystem::kDesktopPixel);
    struct Case {
        Point client; // of the top-level window
        COLORREF expected;
    };
    const Case cases[] = {
        {{5, 5}, kBlue},      // parent only
        {{160, 30}, kBlue},   // inside the child's rectangle, outside its shape
        {{190, 30}, kRed},    // inside the shape
        {{210, 30}, desktop}, // inside the shape, beyond the parent
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScreenColor(top.ClientToScreen(c.client)), c.expected) << c.client.x << "," << c.client.y;
}

TEST_F(PaintTest, DamageUnderATransparentChildRepaintsTheParentBeneathIt) {
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    auto& label = Child(top, {10, 10, 50, 50}, std::nullopt); // draws nothing of its own
    Pump();
    EXPECT_EQ(ScreenColor({20, 20}), kBlue);

    top.fill = kGreen;
    label.Invalidate();
    Pump();

    EXPECT_EQ(ScreenColor({20, 20}), kGreen) << "the parent painted the label's area";
    EXPECT_EQ(ScreenColor({80, 80}), kBlue) << "and nothing else";
}

TEST_F(PaintTest, HiddenChildLeavesItsParentVisibleAndIsNotPainted) {
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    auto& child = Child(top, {10, 10, 50, 50}, kRed);
    Pump();
    EXPECT_EQ(ScreenColor({20, 20}), kRed);

    child.ShowWindow(SW_HIDE);
    child.paints = 0;
    Pump();

    EXPECT_EQ(ScreenColor({20, 20}), kBlue);
    EXPECT_EQ(child.paints, 0);
}

TEST_F(PaintTest, MovingAChildRepaintsWhereItWasAndWhereItIs) {
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    auto& child = Child(top, {10, 10, 30, 30}, kRed);
    Pump();

    child.MoveWindow(60, 60, 20, 20);
    Pump();

    EXPECT_EQ(ScreenColor({15, 15}), kBlue);
    EXPECT_EQ(ScreenColor({65, 65}), kRed);
}

TEST_F(PaintTest, ZOrderOfOverlappingChildrenDecidesPaintAndClicks) {
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    auto& first = Child(top, {10, 10, 50, 50}, kRed);
    Child(top, {30, 30, 70, 70}, kGreen);
    Pump();
    EXPECT_EQ(ScreenColor({40, 40}), kGreen) << "the later child lies on top";

    first.BringWindowToTop();
    Pump();
    EXPECT_EQ(ScreenColor({40, 40}), kRed);
    ClickAt(top, {40, 40});
    EXPECT_EQ(first.Count(WM_LBUTTONDOWN), 1);

    first.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    EXPECT_EQ(ScreenColor({40, 40}), kGreen);
    EXPECT_EQ(top.Children().front(), &first);
}

TEST_F(PaintTest, EraseBackgroundUsesTheClassColourOnlyWhenErasing) {
    RegisterClass({0, u"TestGreyBackground", RGB(128, 128, 128), CursorShape::Arrow});
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    RecordingWnd child;
    ASSERT_TRUE(child.Create(u"TestGreyBackground", u"", WS_CHILD | WS_VISIBLE, {10, 10, 50, 50}, &top));
    Pump();
    EXPECT_EQ(ScreenColor({20, 20}), RGB(128, 128, 128));
    EXPECT_EQ(child.Count(WM_ERASEBKGND), 1);

    child.log.clear();
    child.InvalidateRect(nullptr, false);
    Pump();
    EXPECT_EQ(child.Count(WM_ERASEBKGND), 0);
    EXPECT_EQ(child.Count(WM_PAINT), 1);
    child.DestroyWindow();
}

TEST_F(PaintTest, ClientPainterDrawingIsPresentedAtTheNextFlush) {
    auto& top = TopLevel({0, 0, 100, 100}, kBlue);
    Pump();
    {
        CClientDC dc(top);
        dc->FillRect({0, 0, 10, 10}, kRed);
    }
    EXPECT_EQ(ScreenColor({5, 5}), kBlue) << "not yet presented";
    Pump();
    EXPECT_EQ(ScreenColor({5, 5}), kRed);
}

TEST_F(PaintTest, HiddenTopLevelWindowKeepsItsDamageUntilShown) {
    RecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, kPlainClass, u"", WS_POPUP, {0, 0, 50, 50}, nullptr));
    top.Invalidate();
    Pump();
    EXPECT_EQ(top.paints, 0);
    top.ShowWindow(SW_SHOWNA);
    Pump();
    EXPECT_EQ(top.paints, 1);
}

} // namespace
} // namespace window_test
