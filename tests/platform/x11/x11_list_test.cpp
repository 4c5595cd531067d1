// The report list on a real X server: the wheel from xdotool scrolls it, a click selects a
// row, a drag of a header divider widens a column, and a screenshot is kept in the build
// folder to be looked at.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/core/timers.h"
#include "platform/gfx/image_codec.h"
#include "platform/window/list_ctrl.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <functional>
#include <string>

namespace plat::testing {
namespace {

constexpr Rect kFrame = Rect::FromSize(120, 100, 440, 220);

class X11ListTest : public X11Fixture {
protected:
    void Body();
};

TEST_F(X11ListTest, WheelScrollsClickSelectsAndItLooksLikeAList) {
    if (!ProgramInstalled("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    LendSystem();
    Body();
}

void X11ListTest::Body() {
    RegisterClass({0, u"KavoxListFrame", RGB(240, 241, 243), CursorShape::Arrow});
    CWnd frame;
    ASSERT_TRUE(frame.Create(u"KavoxListFrame", u"List", WS_POPUP | WS_VISIBLE, kFrame, nullptr));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, {10, 10, 430, 210}, &frame, 5));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, u"Profile", LVCFMT_LEFT, 150);
    list.InsertColumn(1, u"Linked program", LVCFMT_LEFT, 170);
    list.InsertColumn(2, u"DPI", LVCFMT_RIGHT, 80);
    const char16_t* names[] = {u"Default",     u"Shooter", u"Strategy",
                               u"Office work", u"Racing",  u"Long name of a profile for role playing",
                               u"Photo",       u"Video",   u"Music",
                               u"Spare",       u"Travel",  u"Night"};
    for (int i = 0; i < 24; ++i) {
        list.InsertItem(i, names[i % 12]);
        list.SetItemText(i, 1, i % 3 ? u"game.exe" : u"");
        list.SetItemText(i, 2, i % 2 ? u"1600" : u"800");
    }
    ASSERT_GT(list.GetItemCount(), list.GetCountPerPage());
    PumpUntil([] { return false; }, 300ms);

    const Point inside = list.ClientToScreen(Point{60, list.RowArea().top + 5});
    ASSERT_TRUE(Xdotool({"mousemove", std::to_string(inside.x), std::to_string(inside.y), "click", "5"}));
    EXPECT_TRUE(PumpUntil([&] { return list.GetTopIndex() == 3; })) << list.GetTopIndex();
    ASSERT_TRUE(Xdotool({"click", "4"}));
    EXPECT_TRUE(PumpUntil([&] { return list.GetTopIndex() == 0; })) << list.GetTopIndex();
    const Point third = list.ClientToScreen(Point{200, list.RowArea().top + 2 * list.GetRowHeight() + 3});
    ASSERT_TRUE(Xdotool({"mousemove", std::to_string(third.x), std::to_string(third.y), "click", "1"}));
    EXPECT_TRUE(PumpUntil([&] { return list.GetSelectedItem() == 2; }));
    // The divider between the first two titles, dragged 20 pixels to the right.
    const Point divider = list.ClientToScreen(Point{150, 8});
    ASSERT_TRUE(
        Xdotool({"mousemove", std::to_string(divider.x), std::to_string(divider.y), "mousedown", "1"}));
    PumpUntil([] { return false; }, 100ms);
    ASSERT_TRUE(Xdotool({"mousemove", std::to_string(divider.x + 10), std::to_string(divider.y), "mousemove",
                         std::to_string(divider.x + 20), std::to_string(divider.y), "mouseup", "1"}));
    EXPECT_TRUE(PumpUntil([&] { return list.GetColumnWidth(0) == 170; })) << list.GetColumnWidth(0);
    EXPECT_EQ(list.GetSelectedItem(), 2) << "a divider drag selects nothing";
    PumpUntil([] { return false; }, 300ms);
    SyncOurs();
    const Bitmap shown = ScreenPixels(kFrame);
    SavePng(shown, std::string(KAVOX_BUILD_DIR) + "/x11-list.png");
    EXPECT_EQ(ColorFromPixel(shown.PixelAt(third.x - kFrame.left, third.y - kFrame.top)),
              list.m_selectedBackColor);
    list.DestroyWindow();
    frame.DestroyWindow();
}

} // namespace
} // namespace plat::testing
