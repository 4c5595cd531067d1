// The report list: scrolling by rows, hit testing, the order of drawing stages and
// skipping the default drawing, and the notifications of selection and clicks.
#include "platform/window/image_list.h"
#include "platform/window/list_ctrl.h"
#include "window_test_support.h"

#include <functional>
#include <memory>
#include <string>
#include <tuple>

namespace window_test {
namespace {

constexpr COLORREF kOwnerPaint = RGB(200, 30, 40);

// Keeps a copy of every notification of the list and answers the drawing stages as told.
class OwnerWnd : public CWnd {
public:
    struct Stage {
        DWORD stage;
        int row;
        int column;
        friend bool operator==(const Stage&, const Stage&) = default;
    };
    std::vector<Stage> stages;
    std::vector<NMLISTVIEW> changes;
    std::vector<NMITEMACTIVATE> clicks;
    std::vector<int> order; // the codes in arrival order, drawing left out
    LRESULT listAnswer{CDRF_DODEFAULT};
    LRESULT itemAnswer{CDRF_DODEFAULT};
    int skipRow{-1};                     // its row prepaint answers CDRF_SKIPDEFAULT
    std::pair<int, int> ownCell{-1, -1}; // painted here, default drawing skipped

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_NOTIFY)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == NM_CUSTOMDRAW)
            return OnDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        order.push_back(hdr->code);
        if (hdr->code == LVN_ITEMCHANGED)
            changes.push_back(*reinterpret_cast<NMLISTVIEW*>(lParam));
        else
            clicks.push_back(*reinterpret_cast<NMITEMACTIVATE*>(lParam));
        return 0;
    }

private:
    LRESULT OnDraw(NMLVCUSTOMDRAW& cd) {
        const int row = static_cast<int>(cd.dwItemSpec);
        switch (cd.dwDrawStage) {
        case CDDS_PREPAINT:
            stages.push_back({cd.dwDrawStage, -1, -1});
            return listAnswer;
        case CDDS_ITEMPREPAINT:
            stages.push_back({cd.dwDrawStage, row, -1});
            return row == skipRow ? CDRF_SKIPDEFAULT : itemAnswer;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            stages.push_back({cd.dwDrawStage, row, cd.iSubItem});
            if (std::pair{row, cd.iSubItem} == ownCell) {
                cd.painter->FillRect(cd.rc, kOwnerPaint);
                return CDRF_SKIPDEFAULT;
            }
            return CDRF_DODEFAULT;
        default:
            stages.push_back({cd.dwDrawStage, row, cd.iSubItem});
            return CDRF_DODEFAULT;
        }
    }
};

class ListCtrlTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(
            m_owner->Create(kPlainClass, u"owner", WS_POPUP | WS_VISIBLE, {100, 100, 500, 400}, nullptr));
    }
    void TearDown() override {
        m_owner->DestroyWindow();
        Pump();
        WindowTest::TearDown();
    }

    // A list of `rows` rows and two columns (80 and 120 pixels) at (10, 10) in the owner,
    // tall enough for the header and `visible` whole rows.
    CListCtrl& MakeList(int rows, int visible = 5, DWORD style = 0, DWORD exStyle = LVS_EX_FULLROWSELECT) {
        m_list = std::make_unique<CListCtrl>();
        CListCtrl probe;
        EXPECT_TRUE(probe.Create(WS_VISIBLE | style, {0, 0, 300, 300}, m_owner.get(), 2));
        const int height = probe.RowArea().top + visible * probe.GetRowHeight();
        probe.DestroyWindow();
        EXPECT_TRUE(m_list->Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | style,
                                   Rect::FromSize(10, 10, 300, height), m_owner.get(), 7));
        m_list->SetExtendedStyle(exStyle);
        m_list->InsertColumn(0, u"Name", LVCFMT_LEFT, 80);
        m_list->InsertColumn(1, u"Value", LVCFMT_RIGHT, 120);
        for (int i = 0; i < rows; ++i) {
            const int at = m_list->InsertItem(i, u"row " + std::u16string(1, u'A' + i));
            m_list->SetItemText(at, 1, u"v");
            m_list->SetItemData(at, 1000 + i);
        }
        Pump();
        return *m_list;
    }
    Point CellCentre(int row, int column) {
        Rect r;
        EXPECT_TRUE(m_list->GetSubItemRect(row, column, LVIR_BOUNDS, &r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    std::unique_ptr<OwnerWnd> m_owner = std::make_unique<OwnerWnd>();
    std::unique_ptr<CListCtrl> m_list;
};

TEST_F(ListCtrlTest, ScrollRequestsMoveByWholeRowsWithinRange) {
    CListCtrl& list = MakeList(20, 5);
    const int rh = list.GetRowHeight();
    struct Case {
        const char* name;
        int start;
        std::function<void()> act;
        int top;
    };
    const Case cases[] = {
        {"line down", 0, [&] { list.SendMessage(WM_VSCROLL, SB_LINEDOWN); }, 1},
        {"line up at the top stays", 0, [&] { list.SendMessage(WM_VSCROLL, SB_LINEUP); }, 0},
        {"page down", 0, [&] { list.SendMessage(WM_VSCROLL, SB_PAGEDOWN); }, 5},
        {"thumb past the end is held at the last page", 0,
         [&] { list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 99)); }, 15},
        {"bottom", 0, [&] { list.SendMessage(WM_VSCROLL, SB_BOTTOM); }, 15},
        {"pixels round to rows", 0,
         [&] {
             list.Scroll({0, 2 * rh + rh / 2 - 1});
         },
         2},
        {"one pixel is still a row", 0,
         [&] {
             list.Scroll({0, 1});
         },
         1},
        {"upwards pixels", 1,
         [&] {
             list.Scroll({0, -1});
         },
         0},
        {"wheel notch towards the user scrolls three rows", 0,
         [&] { list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<std::uint16_t>(-WHEEL_DELTA))); },
         3},
    };
    for (const Case& c : cases) {
        list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.start));
        c.act();
        EXPECT_EQ(list.GetTopIndex(), c.top) << c.name;
        SCROLLINFO si;
        ASSERT_TRUE(list.GetScrollInfo(SB_VERT, &si));
        EXPECT_EQ(std::tie(si.nMin, si.nMax, si.nPage, si.nPos), std::tuple(0, 19, 5u, c.top)) << c.name;
    }
}

TEST_F(ListCtrlTest, ShortListAndRemovedRowsKeepTheTopInRange) {
    CListCtrl& list = MakeList(3, 5);
    list.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(list.GetTopIndex(), 0);
    for (int i = 3; i < 10; ++i)
        list.InsertItem(i, u"more");
    list.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(list.GetTopIndex(), 5);
    list.DeleteItem(9);
    list.DeleteItem(8);
    EXPECT_EQ(list.GetTopIndex(), 3);
    list.DeleteAllItems();
    SCROLLINFO si;
    list.GetScrollInfo(SB_VERT, &si);
    EXPECT_EQ(std::tie(si.nMax, si.nPos), std::tuple(0, 0));
}

TEST_F(ListCtrlTest, HitTestFindsRowAndColumnAfterScrolling) {
    CListCtrl& list = MakeList(20, 5);
    const int header = list.RowArea().top;
    const int rh = list.GetRowHeight();
    ASSERT_GT(header, 0);
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2));
    struct Case {
        Point p;
        int row;
        int column;
        UINT flags;
    };
    const Case cases[] = {
        {{5, header + 1}, 2, 0, LVHT_ONITEMLABEL},
        {{79, header + rh - 1}, 2, 0, LVHT_ONITEMLABEL},
        {{80, header + rh}, 3, 1, LVHT_ONITEMLABEL},
        {{199, header + 4 * rh + 1}, 6, 1, LVHT_ONITEMLABEL},
        {{200, header + 1}, -1, -1, LVHT_NOWHERE}, // right of the last column
        {{5, header - 1}, -1, -1, LVHT_NOWHERE},   // on the header
        {{5, -1}, -1, -1, LVHT_ABOVE},
        {{-1, header + 1}, -1, -1, LVHT_TOLEFT},
        {{5, 10000}, -1, -1, LVHT_BELOW},
    };
    for (const Case& c : cases) {
        LVHITTESTINFO info;
        info.pt = c.p;
        EXPECT_EQ(list.SubItemHitTest(&info), c.row) << c.p.x << "," << c.p.y;
        EXPECT_EQ(std::tie(info.iItem, info.iSubItem, info.flags), std::tie(c.row, c.column, c.flags))
            << c.p.x << "," << c.p.y;
    }
    list.SendMessage(WM_VSCROLL, SB_BOTTOM); // rows run out below the last one
    list.DeleteItem(19);
    EXPECT_EQ(list.HitTest({5, header + 4 * rh + 1}), 18);
    list.SetColumnWidth(1, 400);
    list.Scroll({50, 0});
    EXPECT_EQ(list.GetScrollPos(SB_HORZ), 50);
    EXPECT_EQ(list.HitTest({5, header + 1}), 14);
    LVHITTESTINFO info;
    info.pt = {31, header + 1};
    list.SubItemHitTest(&info);
    EXPECT_EQ(info.iSubItem, 1) << "columns move left with the horizontal scroll";
    list.Scroll({1000, 0});
    EXPECT_EQ(list.GetScrollPos(SB_HORZ), 480 - 300);
}

TEST_F(ListCtrlTest, HiddenHeaderGivesTheRowsTheTopAndImagesRaiseRows) {
    CListCtrl& list = MakeList(4, 3, LVS_NOCOLUMNHEADER);
    EXPECT_EQ(list.RowArea().top, 0);
    EXPECT_FALSE(list.GetHeaderCtrl()->IsVisibleFlag());
    EXPECT_EQ(list.HitTest({5, 0}), 0);
    CImageList images;
    images.Create(28, 40);
    list.SetImageList(&images, LVSIL_SMALL);
    EXPECT_EQ(list.GetRowHeight(), 40);
    EXPECT_EQ(list.HitTest({5, 41}), 1);
}

TEST_F(ListCtrlTest, EnsureVisibleScrollsTheLeastNeeded) {
    CListCtrl& list = MakeList(20, 5);
    list.EnsureVisible(9, false);
    EXPECT_EQ(list.GetTopIndex(), 5);
    list.EnsureVisible(7, false);
    EXPECT_EQ(list.GetTopIndex(), 5);
    list.EnsureVisible(2, false);
    EXPECT_EQ(list.GetTopIndex(), 2);
    EXPECT_FALSE(list.EnsureVisible(20, false));
}

TEST_F(ListCtrlTest, DrawingStagesComeInOrderAndSkipsAreHonoured) {
    CListCtrl& list = MakeList(3, 5);
    m_owner->listAnswer = CDRF_NOTIFYITEMDRAW;
    m_owner->itemAnswer = CDRF_NOTIFYSUBITEMDRAW;
    m_owner->skipRow = 1;
    m_owner->ownCell = {2, 1};
    m_owner->stages.clear();
    list.Invalidate();
    Pump();
    using S = OwnerWnd::Stage;
    constexpr DWORD kItem = CDDS_ITEMPREPAINT;
    constexpr DWORD kSub = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    const std::vector<S> expected = {{CDDS_PREPAINT, -1, -1}, {kItem, 0, -1}, {kSub, 0, 0}, {kSub, 0, 1},
                                     {kItem, 1, -1},          {kItem, 2, -1}, {kSub, 2, 0}, {kSub, 2, 1}};
    EXPECT_EQ(m_owner->stages, expected);

    const Point owned = list.ClientToScreen(CellCentre(2, 1));
    const Point left = CellCentre(2, 0);
    const Point plain = list.ClientToScreen(Point{left.x + 30, left.y});
    EXPECT_EQ(ScreenColor(owned), kOwnerPaint);
    EXPECT_EQ(ScreenColor(plain), list.m_backColor);
}

TEST_F(ListCtrlTest, SkippingThePrepaintLeavesTheListToTheOwner) {
    CListCtrl& list = MakeList(3, 5);
    m_owner->listAnswer = CDRF_SKIPDEFAULT;
    m_owner->stages.clear();
    list.Invalidate();
    Pump();
    ASSERT_EQ(m_owner->stages.size(), 1u);
    m_owner->listAnswer = CDRF_NOTIFYPOSTPAINT;
    m_owner->stages.clear();
    list.Invalidate();
    Pump();
    ASSERT_EQ(m_owner->stages.size(), 2u);
    EXPECT_EQ(m_owner->stages.back().stage, CDDS_POSTPAINT);
}

TEST_F(ListCtrlTest, ClicksSelectOneRowAndReportLossBeforeGain) {
    CListCtrl& list = MakeList(6, 5);
    ClickAt(list, CellCentre(2, 1));
    ClickAt(list, CellCentre(4, 0));
    EXPECT_EQ(list.GetSelectedItem(), 4);
    EXPECT_EQ(m_owner->order,
              (std::vector<int>{LVN_ITEMCHANGED, NM_CLICK, LVN_ITEMCHANGED, LVN_ITEMCHANGED, NM_CLICK}));
    ASSERT_EQ(m_owner->changes.size(), 3u);
    const auto& lost = m_owner->changes[1];
    const auto& gained = m_owner->changes[2];
    EXPECT_EQ(std::tie(lost.iItem, lost.uOldState, lost.uNewState),
              std::tuple(2, LVIS_SELECTED | LVIS_FOCUSED, 0u));
    EXPECT_EQ(std::tie(gained.iItem, gained.lParam), std::tuple(4, LPARAM{1004}));
    EXPECT_EQ(gained.uNewState & LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(m_owner->clicks.size(), 2u);
    EXPECT_EQ(std::tie(m_owner->clicks[0].iItem, m_owner->clicks[0].iSubItem), std::tuple(2, 1));
}

TEST_F(ListCtrlTest, ClickBesideTheRowsClearsTheSelection) {
    CListCtrl& list = MakeList(2, 5, 0, 0); // no full-row selection
    list.SelectItem(0);
    m_owner->order.clear();
    m_owner->clicks.clear();
    ClickAt(list, CellCentre(1, 1)); // the second column does not pick the row
    EXPECT_EQ(list.GetSelectedItem(), -1);
    ASSERT_EQ(m_owner->clicks.size(), 1u);
    EXPECT_EQ(m_owner->clicks[0].iItem, -1);
    ClickAt(list, CellCentre(1, 0));
    EXPECT_EQ(list.GetSelectedItem(), 1);
}

TEST_F(ListCtrlTest, DoubleClickAndKeysActOnRows) {
    CListCtrl& list = MakeList(20, 5);
    const Point p = list.ClientToScreen(CellCentre(1, 1));
    m_screen->Click(p);
    m_screen->Click(p);
    Pump();
    ASSERT_FALSE(m_owner->clicks.empty());
    EXPECT_EQ(m_owner->clicks.back().hdr.code, NM_DBLCLK);
    EXPECT_EQ(m_owner->clicks.back().iItem, 1);
    list.SendMessage(WM_KEYDOWN, 0x23); // End
    EXPECT_EQ(list.GetSelectedItem(), 19);
    EXPECT_EQ(list.GetTopIndex(), 15);
    list.SendMessage(WM_KEYDOWN, 0x26); // Up
    EXPECT_EQ(list.GetSelectedItem(), 18);
    list.SendMessage(WM_KEYDOWN, 0x24); // Home
    EXPECT_EQ(std::tuple(list.GetSelectedItem(), list.GetTopIndex()), std::tuple(0, 0));
}

TEST_F(ListCtrlTest, HostedEditorMovesWithTheRowsAndTakesItsClicks) {
    CListCtrl& list = MakeList(20, 5);
    Rect cell;
    list.GetSubItemRect(3, 1, LVIR_BOUNDS, &cell);
    RecordingWnd editor;
    ASSERT_TRUE(editor.Create(kPlainClass, u"", WS_CHILD | WS_VISIBLE, cell, &list, 99));
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    Rect moved;
    list.GetSubItemRect(3, 1, LVIR_BOUNDS, &moved);
    EXPECT_EQ(editor.RectInParent(), moved);
    m_owner->clicks.clear();
    ClickAt(list, Point{moved.left + 3, moved.top + 3});
    EXPECT_EQ(editor.Count(WM_LBUTTONDOWN), 1);
    EXPECT_TRUE(m_owner->clicks.empty());
    editor.DestroyWindow();
}

TEST_F(ListCtrlTest, OperationsOnMissingRowsOrColumnsFail) {
    CListCtrl& list = MakeList(2, 5);
    EXPECT_FALSE(list.SetItemText(2, 0, u"x"));
    EXPECT_FALSE(list.SetItemText(0, 2, u"x"));
    EXPECT_EQ(list.GetItemText(5, 0), u"");
    EXPECT_FALSE(list.DeleteItem(-1));
    EXPECT_EQ(list.InsertItem(50, u"appended"), 2);
    EXPECT_EQ(list.FindItemData(1001), 1);
    EXPECT_EQ(list.FindItemData(42), -1);
    list.InsertColumn(1, u"Middle", LVCFMT_CENTER, 50);
    EXPECT_EQ(list.GetItemText(0, 2), u"v") << "cells follow their column";
    EXPECT_EQ(list.GetItemText(0, 1), u"");
}

} // namespace
} // namespace window_test
