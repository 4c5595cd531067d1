// CButton: a push button. A click (press and release inside, or Space) sends BN_CLICKED
// to the parent through WM_COMMAND; with BS_NOTIFY or BS_OWNERDRAW a double click sends
// BN_DOUBLECLICKED. An owner-drawn button calls DrawItem with its pressed, disabled and
// focus state; the default DrawItem hands the record to the parent as WM_DRAWITEM.
#pragma once

#include "platform/window/control_defs.h"
#include "platform/window/wnd.h"

namespace plat {

class CButton : public CWnd {
public:
    bool Create(std::u16string_view caption, DWORD style, const Rect& rect, CWnd* parent, UINT id);

    bool IsPressed() const { return m_pressed && m_inside; }
    // ODS_* bits as the next owner drawing will see them.
    UINT DrawState() const;

    virtual void DrawItem(DRAWITEMSTRUCT& item);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsOwnerDraw() const { return (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW; }
    void Paint();
    void PaintPushButton(Painter& painter);
    void SetPressed(bool pressed, bool inside);
    void Click();

    bool m_pressed{false}; // the mouse button or Space is held on the button
    bool m_inside{true};   // the pointer is over the button while held
    bool m_hover{false};
    bool m_spaceDown{false};
};

} // namespace plat
