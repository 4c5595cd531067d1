// Drawing and mouse handling of the demo's buttons.
#include "platform/demo/demo_button.h"

#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

namespace plat::demo {

namespace {
COLORREF Lighter(COLORREF c) {
    const auto up = [](int v) { return static_cast<std::uint8_t>(v + (255 - v) / 3); };
    return RGB(up(GetRValue(c)), up(GetGValue(c)), up(GetBValue(c)));
}
} // namespace

LRESULT DemoButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MOUSEMOVE:
        if (!m_hover) {
            m_hover = true;
            TrackMouseEvent(TME_LEAVE);
            Invalidate(false);
        }
        return 0;
    case WM_MOUSELEAVE:
        m_hover = false;
        Invalidate(false);
        return 0;
    case WM_LBUTTONDOWN:
        m_pressed = true;
        SetCapture();
        Invalidate(false);
        return 0;
    case WM_LBUTTONUP:
        if (m_pressed) {
            m_pressed = false;
            ReleaseCapture();
            Invalidate(false);
            if (GetClientRect().Contains({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) && GetParent())
                GetParent()->SendMessage(WM_COMMAND,
                                         MAKEWPARAM(static_cast<std::uint16_t>(GetDlgCtrlID()), BN_CLICKED),
                                         reinterpret_cast<LPARAM>(GetSafeHwnd()));
        }
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void DemoButton::Paint() {
    CPaintDC dc(*this);
    const Rect r = GetClientRect();
    const COLORREF face = m_pressed ? RGB(40, 40, 40) : (m_hover ? Lighter(m_face) : m_face);
    dc->FillRect(r, face);
    dc->FrameRect(r, RGB(250, 250, 250), 2);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(255, 255, 255));
    if (GetFont())
        dc->SelectFont(GetFont());
    // Text never touches the frame, even when it is cut short.
    Rect text = r.Inflate(-6, 0);
    dc->DrawText(m_caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

} // namespace plat::demo
