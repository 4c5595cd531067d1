// CListCtrl: a report list. Columns with a title, width and alignment; rows of cell texts
// with a value of the owner's choosing; one selected row; scrolling by whole rows
// vertically and by pixels horizontally, with scroll information for a scroll bar drawn
// elsewhere; hit testing of rows and cells; and drawing in stages that the parent (or a
// subclass, by overriding SendNotify) may take over cell by cell.
//
// The rows start under the header; the header is a child window that can be hidden
// (LVS_NOCOLUMNHEADER). Dragging a divider of the header resizes a column: the rows follow
// at once and the horizontal scroll range with them; a double click on a divider fits the
// column to its texts. Child windows placed over a cell, such as an in-place editor, paint
// above the rows and take the input in their rectangle.
#pragma once

#include "platform/window/common_controls.h"
#include "platform/window/header_ctrl.h"
#include "platform/window/wnd.h"

#include <string>
#include <vector>

namespace plat {

class CImageList;

class CListCtrl : public CWnd {
public:
    static constexpr char16_t kClassName[] = u"KavoxListView";

    // `style` takes window styles and LVS_ bits.
    bool Create(DWORD style, const Rect& rect, CWnd* parent, UINT id);

    DWORD GetExtendedStyle() const { return m_exListStyle; }
    DWORD SetExtendedStyle(DWORD style);
    CHeaderCtrl* GetHeaderCtrl() { return &m_header; }
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;

    // Columns.
    int InsertColumn(int column, std::u16string_view heading, int format = LVCFMT_LEFT, int width = -1);
    bool DeleteColumn(int column);
    int GetColumnCount() const { return m_header.GetItemCount(); }
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);
    int GetColumnFormat(int column) const;

    // Rows.
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    int InsertItem(int index, std::u16string_view text);
    bool DeleteItem(int index);
    bool DeleteAllItems();
    bool SetItemText(int row, int column, std::u16string_view text);
    std::u16string GetItemText(int row, int column) const;
    bool SetItemData(int row, LPARAM data);
    LPARAM GetItemData(int row) const;
    // The first row of that item data, or -1.
    int FindItemData(LPARAM data) const;

    // Selection and focus. Selecting a row clears the selection of the others.
    bool SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    int GetNextItem(int start, UINT flags) const;
    int GetSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }
    bool SelectItem(int row); // -1 clears

    // Geometry and scrolling.
    int GetRowHeight() const;
    Rect RowArea() const; // the part of the client area that shows rows
    int GetTopIndex() const { return m_top; }
    int GetCountPerPage() const;
    bool GetItemRect(int row, Rect* rect, int code) const;
    bool GetSubItemRect(int row, int column, int code, Rect* rect) const;
    bool EnsureVisible(int row, bool partialOk);
    // Vertical distances are rounded to whole rows (at least one row when not zero).
    bool Scroll(Size distance);
    bool GetScrollInfo(int bar, SCROLLINFO* info) const;
    int GetScrollPos(int bar) const;
    int HitTest(Point client, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;

    // Colours of the default drawing.
    COLORREF m_backColor{RGB(255, 255, 255)};
    COLORREF m_textColor{RGB(28, 28, 30)};
    COLORREF m_selectedBackColor{RGB(0, 110, 215)};
    COLORREF m_selectedTextColor{RGB(255, 255, 255)};
    COLORREF m_inactiveSelectedBackColor{RGB(218, 222, 229)};
    COLORREF m_gridColor{RGB(232, 234, 238)};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Every notification goes through here; the default sends WM_NOTIFY to the parent.
    virtual LRESULT SendNotify(NMHDR& header);
    // The default drawing of one cell, for a subclass that draws some cells itself.
    void DrawDefaultCell(Painter& painter, int row, int column, const NMLVCUSTOMDRAW& colours);

private:
    struct Row {
        std::vector<std::u16string> texts;
        LPARAM data{0};
        UINT state{0};
    };

    void Layout();
    int HeaderHeight() const;
    int MaxTop() const;
    void SetTop(int top);
    void SetScrollX(int x);
    void ChangeState(int row, UINT state, UINT mask);
    void NotifyItemChanged(int row, UINT oldState, UINT newState);
    void NotifyActivate(int code, Point client);
    void OnPaint();
    void PaintRow(Painter& painter, int row, LRESULT listAnswer);
    void OnKeyDown(WPARAM key);
    void OnVScroll(UINT request, int position);
    void OnHScroll(UINT request, int position);
    LRESULT OnHeaderNotify(NMHDR& hdr);
    int FittingWidth(int column) const;
    NMHDR Header(int code) const;

    CHeaderCtrl m_header;
    std::vector<Row> m_rows;
    DWORD m_exListStyle{0};
    CImageList* m_smallImages{nullptr};
    CImageList* m_normalImages{nullptr};
    int m_top{0};
    int m_scrollX{0};
};

} // namespace plat
