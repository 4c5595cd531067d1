// The scroll bar beside a report list: a click on the track pages, the thumb dragged to
// the end shows the last rows, and a list that fits shows no thumb.
#include "control_test_support.h"

#include "platform/window/list_scroll_bar.h"

namespace window_test {
namespace {

using ListScrollBarTest = ControlTest;

TEST_F(ListScrollBarTest, TrackClicksPageAndTheThumbDrags) {
    RecordingWnd& top = TopLevel({0, 0, 300, 240}, RGB(255, 255, 255));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, {0, 0, 280, 240}, &top, 7));
    list.InsertColumn(0, u"Name", LVCFMT_LEFT, 260);
    CListScrollBar bar;
    ASSERT_TRUE(bar.Create({280, 0, 300, 240}, &top, list));
    Pump();
    EXPECT_EQ(ScreenColor({290, 120}), ScreenColor({290, 5})) << "a list that fits has no thumb";

    for (int i = 0; i < 60; ++i)
        list.InsertItem(i, u"row");
    bar.Sync();
    Pump();
    ClickAt(bar, {10, 230});
    const int perPage = list.GetCountPerPage();
    EXPECT_EQ(list.GetTopIndex(), perPage) << "a click below the thumb pages down";

    bar.Sync();
    Pump();
    SCROLLINFO info;
    list.GetScrollInfo(SB_VERT, &info);
    const int thumbTop = 240 * info.nPos / (info.nMax + 1);
    m_screen->MoveMouse(bar.ClientToScreen(Point{10, thumbTop + 5}));
    m_screen->PressButton(MouseButton::Left);
    m_screen->MoveMouse(bar.ClientToScreen(Point{10, 400}));
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(list.GetTopIndex(), 60 - perPage) << "the thumb dragged past the end";
    bar.DestroyWindow();
    list.DestroyWindow();
}

} // namespace
} // namespace window_test
