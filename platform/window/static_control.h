// CStatic: a text label, or with SS_OWNERDRAW a surface its DrawItem paints (by default the
// parent, through WM_DRAWITEM). With SS_NOTIFY a click sends STN_CLICKED and a double
// click STN_DBLCLK to the parent; without it the label lets clicks through to the parent.
#pragma once

#include "platform/window/control_defs.h"
#include "platform/window/wnd.h"

namespace plat {

class CStatic : public CWnd {
public:
    bool Create(std::u16string_view text, DWORD style, const Rect& rect, CWnd* parent, UINT id = 0);

    virtual void DrawItem(DRAWITEMSTRUCT& item);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    bool m_down{false};
};

} // namespace plat
