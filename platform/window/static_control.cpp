// Painting and click notification of the static control.
#include "platform/window/static_control.h"

#include "platform/gfx/painter.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

namespace plat {

bool CStatic::Create(std::u16string_view text, DWORD style, const Rect& rect, CWnd* parent, UINT id) {
    EnsureControlClasses();
    return CWnd::Create(u"Static", text, style | WS_CHILD, rect, parent, id);
}

void CStatic::DrawItem(DRAWITEMSTRUCT& item) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_DRAWITEM, static_cast<WPARAM>(item.CtlID), reinterpret_cast<LPARAM>(&item));
}

LRESULT CStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool notify = (GetStyle() & SS_NOTIFY) != 0;
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return notify ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        m_down = notify;
        return 0;
    case WM_LBUTTONUP:
        if (m_down && GetClientRect().Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            NotifyParent(*this, STN_CLICKED);
        m_down = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        if (notify)
            NotifyParent(*this, STN_DBLCLK);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        Invalidate();
        return result;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CStatic::Paint() {
    CPaintDC dc(*this);
    const UINT type = GetStyle() & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item;
        item.CtlType = ODT_STATIC;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID());
        item.itemState = IsWindowEnabled() ? 0 : ODS_DISABLED;
        item.hwndItem = GetSafeHwnd();
        item.pDC = &*dc;
        item.rcItem = GetClientRect();
        DrawItem(item);
        return;
    }
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(IsWindowEnabled() ? RGB(0, 0, 0) : RGB(131, 131, 131));
    dc->SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    // The owner may colour the label and give it a background.
    if (CWnd* parent = GetParent()) {
        const LRESULT brush = parent->SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(&*dc),
                                                  reinterpret_cast<LPARAM>(GetSafeHwnd()));
        if (const auto fill = BrushFromResult(brush))
            dc->FillRect(GetClientRect(), *fill);
    }
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (type == SS_CENTER)
        flags |= DT_CENTER;
    else if (type == SS_RIGHT)
        flags |= DT_RIGHT;
    Rect r = GetClientRect();
    dc->DrawText(GetWindowText(), r, flags);
}

} // namespace plat
