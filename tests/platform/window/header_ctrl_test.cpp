// The column header: owner-drawn items and title clicks reaching the list's owner.
#include "platform/window/list_ctrl.h"
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kOwnDraw = RGB(10, 120, 60);

class PaintedHeader : public CHeaderCtrl {
public:
    std::vector<int> drawn;

protected:
    void DrawItem(const HeaderDrawItem& draw) override {
        drawn.push_back(draw.item);
        draw.painter->FillRect(draw.rect, kOwnDraw);
    }
};

class ColumnClickOwner : public CWnd {
public:
    std::vector<int> columns;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_COLUMNCLICK)
            columns.push_back(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(WindowTest, OwnerDrawnHeaderItemsAreDrawnByTheSubclassOnly) {
    RecordingWnd& top = TopLevel({0, 0, 300, 100}, RGB(255, 255, 255));
    PaintedHeader header;
    ASSERT_TRUE(header.Create(WS_VISIBLE, {0, 0, 300, 24}, &top, 1));
    header.InsertItem(0, {u"Plain", 100, HDF_LEFT, 0});
    header.InsertItem(1, {u"Own", 80, HDF_CENTER | HDF_OWNERDRAW, 0});
    Pump();
    EXPECT_EQ(header.drawn, std::vector<int>{1});
    EXPECT_EQ(ScreenColor({140, 12}), kOwnDraw);
    EXPECT_NE(ScreenColor({50, 3}), kOwnDraw);
    EXPECT_EQ(header.HitTest({100, 5}), 1);
    header.SetScrollOffset(30);
    EXPECT_EQ(header.HitTest({69, 5}), 0);
    EXPECT_EQ(header.HitTest({170, 5}), -1);
    header.DestroyWindow();
}

TEST_F(WindowTest, TitleClickReachesTheListOwnerOnlyWhenReleasedOnTheSameTitle) {
    ColumnClickOwner owner;
    ASSERT_TRUE(owner.Create(kPlainClass, u"", WS_POPUP | WS_VISIBLE, {0, 0, 300, 200}, nullptr));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, {0, 0, 300, 200}, &owner, 3));
    list.InsertColumn(0, u"A", LVCFMT_LEFT, 100);
    list.InsertColumn(1, u"B", LVCFMT_LEFT, 100);
    Pump();
    ClickAt(list, {150, 5});
    m_screen->MoveMouse(list.ClientToScreen(Point{50, 5}));
    m_screen->PressButton(MouseButton::Left);
    m_screen->MoveMouse(list.ClientToScreen(Point{150, 5}));
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(owner.columns, std::vector<int>{1});
    owner.DestroyWindow();
    Pump();
}

} // namespace
} // namespace window_test
