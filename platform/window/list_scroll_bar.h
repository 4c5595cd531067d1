// A vertical scroll bar for a report list, which scrolls but draws no bar of its own: a
// track with a thumb sized to the visible share of the rows. Clicking the track pages,
// dragging the thumb scrolls row by row. The owner calls Sync whenever the list may have
// scrolled (its pre-paint notification is a good moment).
#pragma once

#include "platform/window/list_ctrl.h"

namespace plat {

class CListScrollBar : public CWnd {
public:
    bool Create(const Rect& rect, CWnd* parent, CListCtrl& list);
    void Sync();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The thumb in client coordinates; empty when everything fits.
    Rect Thumb() const;
    int PositionAt(int y) const;
    void Paint();

    CListCtrl* m_list{nullptr};
    SCROLLINFO m_info;
    bool m_dragging{false};
    int m_grabOffset{0};
};

} // namespace plat
