// The column header: owner-drawn items, title clicks reaching the list's owner, and
// columns resized by dragging a divider.
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

struct Track {
    int code;
    int item;
    int width;
    bool operator==(const Track&) const = default;
};

class ColumnClickOwner : public CWnd {
public:
    std::vector<int> columns;
    std::vector<Track> tracks;
    bool refuseTrack{false};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        const auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == LVN_COLUMNCLICK)
            columns.push_back(reinterpret_cast<const NMLISTVIEW*>(hdr)->iSubItem);
        if (hdr->code == HDN_BEGINTRACK || hdr->code == HDN_TRACK || hdr->code == HDN_ENDTRACK ||
            hdr->code == HDN_DIVIDERDBLCLICK) {
            const auto* nm = reinterpret_cast<const NMHEADER*>(hdr);
            tracks.push_back({hdr->code, nm->iItem, nm->cxy});
            return hdr->code == HDN_BEGINTRACK && refuseTrack;
        }
        return 0;
    }
};

// A list of two columns (100 and 80 wide) in a 300 x 200 owner, one row selected.
class ResizeTest : public WindowTest {
protected:
    void Open(DWORD listStyle = 0) {
        ASSERT_TRUE(m_owner.Create(kPlainClass, u"", WS_POPUP | WS_VISIBLE, {0, 0, 300, 200}, nullptr));
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | LVS_REPORT | listStyle, {0, 0, 300, 200}, &m_owner, 3));
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        m_list.InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, u"Value", LVCFMT_LEFT, 80);
        m_list.InsertItem(0, u"first");
        m_list.SelectItem(0);
        Pump();
    }
    void TearDown() override {
        if (m_owner.GetSafeHwnd())
            m_owner.DestroyWindow();
        WindowTest::TearDown();
    }
    void Drag(Point from, std::vector<int> throughX) {
        MoveTo(m_list, from);
        m_screen->PressButton(MouseButton::Left);
        for (int x : throughX)
            m_screen->MoveMouse(m_list.ClientToScreen(Point{x, from.y}));
        m_screen->ReleaseButton(MouseButton::Left);
        Pump();
    }
    CursorShape OwnerCursor() const {
        for (const auto& w : m_screen->TopLevelWindows())
            if (w.window == m_owner.GetNativeWindow())
                return w.cursor;
        return CursorShape::No;
    }
    int RowY() {
        Rect r;
        m_list.GetItemRect(0, &r, LVIR_BOUNDS);
        return r.top + r.Height() / 2;
    }

    ColumnClickOwner m_owner;
    CListCtrl m_list;
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

TEST_F(WindowTest, DividerHitTestPrefersTheNearestEdgeAndReopensCollapsedItems) {
    RecordingWnd& top = TopLevel({0, 0, 300, 100}, RGB(255, 255, 255));
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_VISIBLE, {0, 0, 300, 24}, &top, 1));
    header.InsertItem(0, {u"A", 100, HDF_LEFT, 0});
    header.InsertItem(1, {u"Hidden", 0, HDF_LEFT, 0});
    header.InsertItem(2, {u"C", 100, HDF_LEFT, 0});
    const struct {
        int x;
        int divider;
    } cases[] = {{98, 0}, {100, 1}, {102, 1}, {50, -1}, {95, -1}, {203, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(header.DividerHitTest({c.x, 5}), c.divider) << "x " << c.x;
    EXPECT_EQ(header.DividerHitTest({100, 30}), -1) << "below the header";
    header.SetScrollOffset(40);
    EXPECT_EQ(header.DividerHitTest({60, 5}), 1);
    header.DestroyWindow();
}

TEST_F(ResizeTest, DraggingADividerResizesTheColumnAndTheRowsFollow) {
    Open();
    const COLORREF selected = ScreenColor({50, RowY()});
    EXPECT_NE(ScreenColor({200, RowY()}), selected) << "the row ends with the last column";
    MoveTo(m_list, {150, 5});
    EXPECT_EQ(OwnerCursor(), CursorShape::Arrow);
    MoveTo(m_list, {181, 5});
    EXPECT_EQ(OwnerCursor(), CursorShape::SizeWE);

    Drag({181, 5}, {200, 231});
    EXPECT_EQ(m_list.GetColumnWidth(1), 130);
    EXPECT_EQ(m_list.GetColumnWidth(0), 100);
    EXPECT_EQ(m_owner.tracks,
              (std::vector<Track>{
                  {HDN_BEGINTRACK, 1, 80}, {HDN_TRACK, 1, 99}, {HDN_TRACK, 1, 130}, {HDN_ENDTRACK, 1, 130}}));
    EXPECT_TRUE(m_owner.columns.empty()) << "a divider drag is no title click";
    EXPECT_EQ(ScreenColor({200, RowY()}), selected) << "the row was drawn at the new width";
    Rect cell;
    m_list.GetSubItemRect(0, 1, LVIR_BOUNDS, &cell);
    EXPECT_EQ(cell.right, 230);

    // Past the left edge of its column the width stops at zero.
    Drag({99, 5}, {-60});
    EXPECT_EQ(m_list.GetColumnWidth(0), 0);
    m_list.GetSubItemRect(0, 1, LVIR_BOUNDS, &cell);
    EXPECT_EQ(cell.left, 0);
}

TEST_F(ResizeTest, WideningPastTheClientSetsTheScrollRangeAndNarrowingClampsTheScroll) {
    Open();
    Drag({100, 5}, {400});
    ASSERT_EQ(m_list.GetColumnWidth(0), 400);
    SCROLLINFO info;
    ASSERT_TRUE(m_list.GetScrollInfo(SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 479);
    EXPECT_EQ(info.nPage, 300u);
    m_list.Scroll({180, 0});
    ASSERT_EQ(m_list.GetScrollPos(SB_HORZ), 180);
    // The divider of the first column is at 220 on screen; narrowing it to 100 leaves
    // nothing to scroll.
    Drag({220, 5}, {-80});
    EXPECT_EQ(m_list.GetColumnWidth(0), 100);
    EXPECT_EQ(m_list.GetScrollPos(SB_HORZ), 0);
    EXPECT_EQ(m_list.GetHeaderCtrl()->GetScrollOffset(), 0);
}

TEST_F(ResizeTest, DoubleClickOnADividerFitsTheColumnToItsTexts) {
    Open();
    m_list.SetItemText(0, 1, u"a value much wider than eighty pixels");
    const Point divider = m_list.ClientToScreen(Point{180, 5});
    m_screen->Click(divider);
    m_screen->Click(divider);
    Pump();
    const int fitted = m_list.GetColumnWidth(1);
    EXPECT_GT(fitted, 150);
    EXPECT_LT(fitted, 300);
    ASSERT_FALSE(m_owner.tracks.empty());
    EXPECT_EQ(m_owner.tracks.back(), (Track{HDN_DIVIDERDBLCLICK, 1, fitted}));
    Rect cell;
    m_list.GetSubItemRect(0, 1, LVIR_LABEL, &cell);
    EXPECT_EQ(cell.right, 100 + fitted);

    // A double click on a title is two title clicks.
    const Point title = m_list.ClientToScreen(Point{50, 5});
    m_screen->Click(title);
    m_screen->Click(title);
    Pump();
    EXPECT_EQ(m_owner.columns, (std::vector<int>{0, 0}));
}

TEST_F(ResizeTest, TheOwnerMayRefuseTheResize) {
    Open();
    m_owner.refuseTrack = true;
    Drag({100, 5}, {150});
    EXPECT_EQ(m_list.GetColumnWidth(0), 100);
    EXPECT_EQ(m_owner.tracks, (std::vector<Track>{{HDN_BEGINTRACK, 0, 100}}));
}

TEST_F(ResizeTest, AHiddenHeaderResizesNothing) {
    Open(LVS_NOCOLUMNHEADER);
    for (int y : {0, 5}) {
        MoveTo(m_list, {100, y});
        EXPECT_EQ(OwnerCursor(), CursorShape::Arrow);
        Drag({100, y}, {150});
    }
    EXPECT_EQ(m_list.GetColumnWidth(0), 100);
    EXPECT_TRUE(m_owner.tracks.empty());
}

} // namespace
} // namespace window_test
