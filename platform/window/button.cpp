// Mouse, key and paint handling of the push button.
#include "platform/window/button.h"

#include "platform/gfx/painter.h"
#include "platform/os/virtual_keys.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

namespace plat {

bool CButton::Create(std::u16string_view caption, DWORD style, const Rect& rect, CWnd* parent, UINT id) {
    EnsureControlClasses();
    return CWnd::Create(u"Button", caption, style | WS_CHILD, rect, parent, id);
}

UINT CButton::DrawState() const {
    UINT state = 0;
    if (IsPressed())
        state |= ODS_SELECTED;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;
    if (GetFocus() == GetSafeHwnd())
        state |= ODS_FOCUS;
    return state;
}

void CButton::DrawItem(DRAWITEMSTRUCT& item) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_DRAWITEM, static_cast<WPARAM>(item.CtlID), reinterpret_cast<LPARAM>(&item));
}

void CButton::SetPressed(bool pressed, bool inside) {
    if (pressed == m_pressed && inside == m_inside)
        return;
    m_pressed = pressed;
    m_inside = inside;
    Invalidate(false);
}

void CButton::Click() {
    NotifyParent(*this, BN_CLICKED);
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case WM_LBUTTONDBLCLK:
        if ((GetStyle() & BS_NOTIFY) || IsOwnerDraw()) {
            NotifyParent(*this, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        SetFocus();
        SetCapture();
        SetPressed(true, true);
        return 0;
    case WM_MOUSEMOVE: {
        if (!m_hover) {
            m_hover = true;
            TrackMouseEvent(TME_LEAVE);
            Invalidate(false);
        }
        if (m_pressed && GetCapture() == GetSafeHwnd())
            SetPressed(true, GetClientRect().Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    }
    case WM_MOUSELEAVE:
        m_hover = false;
        Invalidate(false);
        return 0;
    case WM_LBUTTONUP: {
        if (!m_pressed || m_spaceDown)
            return 0;
        const bool inside = GetClientRect().Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        SetPressed(false, true);
        ReleaseCapture();
        if (inside)
            Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (m_pressed && !m_spaceDown)
            SetPressed(false, true);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !m_pressed) {
            m_spaceDown = true;
            SetPressed(true, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_spaceDown) {
            m_spaceDown = false;
            SetPressed(false, true);
            Click();
        }
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (message == WM_KILLFOCUS && m_spaceDown) {
            m_spaceDown = false;
            SetPressed(false, true);
        }
        Invalidate(false);
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_ENABLE:
    case WM_SETTEXT:
        Invalidate(false);
        return CWnd::WindowProc(message, wParam, lParam);
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CButton::Paint() {
    CPaintDC dc(*this);
    if (IsOwnerDraw()) {
        DRAWITEMSTRUCT item;
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID());
        item.itemState = DrawState();
        item.hwndItem = GetSafeHwnd();
        item.pDC = &*dc;
        item.rcItem = GetClientRect();
        DrawItem(item);
        return;
    }
    PaintPushButton(*dc);
}

void CButton::PaintPushButton(Painter& painter) {
    const Rect r = GetClientRect();
    const bool enabled = IsWindowEnabled();
    const bool focused = GetFocus() == GetSafeHwnd();
    COLORREF face = RGB(253, 253, 253);
    if (IsPressed())
        face = RGB(204, 228, 247);
    else if (m_hover && enabled)
        face = RGB(229, 241, 251);
    painter.FillRect(r, face);
    // A soft top highlight gives the face some depth without a heavy bevel.
    if (!IsPressed() && r.Height() > 6)
        painter.FillRect({r.left + 1, r.top + 1, r.right - 1, r.top + r.Height() / 2}, RGB(255, 255, 255));
    const COLORREF border = !enabled                              ? RGB(191, 191, 191)
                            : (focused || m_hover || IsPressed()) ? RGB(0, 120, 215)
                                                                  : RGB(173, 173, 173);
    painter.FrameRect(r, border, focused ? 2 : 1);
    painter.SetBkMode(TRANSPARENT);
    painter.SetTextColor(enabled ? RGB(0, 0, 0) : RGB(131, 131, 131));
    painter.SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    Rect text = r;
    if (IsPressed())
        text = {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    painter.DrawText(GetWindowText(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace plat
