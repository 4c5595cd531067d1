// CHeaderCtrl: the row of column titles above a report list. It keeps each column's title,
// width and alignment, follows the list's horizontal scrolling, and tells its parent of
// clicks on a title. Dragging the divider at an item's right edge resizes that item, with
// HDN_BEGINTRACK, HDN_TRACK and HDN_ENDTRACK to the parent; a double click on it sends
// HDN_DIVIDERDBLCLICK. An item marked owner-drawn is drawn by DrawItem,
// which a subclass overrides to paint it in its own look.
#pragma once

#include "platform/window/common_controls.h"
#include "platform/window/wnd.h"

#include <string>
#include <vector>

namespace plat {

inline constexpr int HDF_LEFT = 0x0000;
inline constexpr int HDF_RIGHT = 0x0001;
inline constexpr int HDF_CENTER = 0x0002;
inline constexpr int HDF_JUSTIFYMASK = 0x0003;
inline constexpr int HDF_OWNERDRAW = 0x8000;

// The text-drawing flag (DT_LEFT, DT_RIGHT, DT_CENTER) of an item's justification.
unsigned TextAlignmentOf(int format);

struct HeaderItem {
    std::u16string text;
    int width{0};
    int format{HDF_LEFT};
    LPARAM lParam{0};
};

// What an owner-drawn item is drawn with.
struct HeaderDrawItem {
    Painter* painter{nullptr};
    int item{-1};
    Rect rect;
    bool pressed{false};
};

class CHeaderCtrl : public CWnd {
public:
    static constexpr char16_t kClassName[] = u"KavoxHeader";

    bool Create(DWORD style, const Rect& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Inserts before `index` (clamped to the end); returns the new item's index.
    int InsertItem(int index, const HeaderItem& item);
    bool DeleteItem(int index);
    bool GetItem(int index, HeaderItem* item) const;
    bool SetItem(int index, const HeaderItem& item);
    // The item's rectangle in the header's client coordinates (after scrolling).
    bool GetItemRect(int index, Rect* rect) const;
    // The left edge of an item before scrolling: the sum of the widths before it.
    int ItemLeft(int index) const;
    int TotalWidth() const;
    // The item under a client point, or -1.
    int HitTest(Point client) const;
    // The item whose right-edge divider is under a client point, or -1. Of items that
    // share an edge (those of zero width) the rightmost wins, so a collapsed column can
    // be pulled open again.
    int DividerHitTest(Point client) const;
    // The item whose divider is being dragged, or -1.
    int TrackingItem() const { return m_tracking; }
    void SetScrollOffset(int x);
    int GetScrollOffset() const { return m_offset; }

    COLORREF m_backColor{RGB(246, 247, 249)};
    COLORREF m_textColor{RGB(32, 32, 32)};
    COLORREF m_lineColor{RGB(213, 216, 222)};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawItem(const HeaderDrawItem& draw);
    void DrawDefaultItem(const HeaderDrawItem& draw);

private:
    void OnPaint();
    LRESULT Notify(int code, int item);
    void OnButtonDown(Point client);
    void OnButtonUp(Point client);
    void OnMouseMove(Point client);
    bool OnSetCursor();
    void EndTracking();
    void ForgetMouse();

    std::vector<HeaderItem> m_items;
    int m_offset{0};
    int m_pressed{-1};
    int m_tracking{-1};
    int m_trackStartX{0};
    int m_trackStartWidth{0};
};

} // namespace plat
