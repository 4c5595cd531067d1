// Caption, border, placement and fonts of the built-in dialogs.
#include "platform/window/builtin_dialog_frame.h"

#include "platform/gfx/painter.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

namespace plat {

namespace {

constexpr COLORREF kCaptionColor = RGB(46, 52, 64);
constexpr COLORREF kCaptionTextColor = RGB(255, 255, 255);
constexpr COLORREF kBorderColor = RGB(46, 52, 64);
constexpr COLORREF kClosePressedColor = RGB(196, 43, 28);
constexpr int kCloseWidth = 44;

std::shared_ptr<const Font> CaptionFont() {
    static const std::shared_ptr<const Font> font =
        Font::Create(LogFont{.height = -13, .weight = FW_BOLD, .faceName = u"Tahoma"});
    return font;
}

CWnd* ActiveOwner() {
    CWnd* active = CWnd::FromHandle(GetActiveWindow());
    return active ? active->GetTopLevelParent() : nullptr;
}

HWND HandleOf(CWnd* window) {
    return window ? window->GetSafeHwnd() : nullptr;
}

} // namespace

CBuiltinDialogFrame::CBuiltinDialogFrame(std::u16string title, Size clientSize)
    // Template 5 is the plain frame; the dialog gives it its own size.
    : CDialog(5, ActiveOwner()), m_title(std::move(title)), m_size(clientSize),
      m_owner(HandleOf(ActiveOwner())) {}

INT_PTR CBuiltinDialogFrame::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    // The owner may have gone while the dialog was up: look it up again by handle.
    if (CWnd* owner = CWnd::FromHandle(m_owner); owner && owner->IsWindowVisible())
        owner->SetActiveWindow();
    return result;
}

std::shared_ptr<const Font> CBuiltinDialogFrame::DialogFont() {
    static const std::shared_ptr<const Font> font =
        Font::Create(LogFont{.height = -12, .faceName = u"Tahoma"});
    return font;
}

Rect CBuiltinDialogFrame::Body() const {
    return {kMargin, kCaptionHeight + kMargin, m_size.cx - kMargin, m_size.cy - kMargin};
}

void CBuiltinDialogFrame::Centre() {
    Rect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (CWnd* owner = GetParent(); owner && owner->GetSafeHwnd() && owner->IsWindowVisible())
        area = owner->GetWindowRect();
    const int x = std::max(0, area.left + (area.Width() - m_size.cx) / 2);
    const int y = std::max(0, area.top + (area.Height() - m_size.cy) / 2);
    MoveWindow(x, y, m_size.cx, m_size.cy, false);
}

bool CBuiltinDialogFrame::OnInitDialog() {
    SetWindowText(m_title);
    Centre();
    m_close.Create(u"", WS_VISIBLE | BS_OWNERDRAW,
                   {m_size.cx - 1 - kCloseWidth, 1, m_size.cx - 1, kCaptionHeight}, this, IDCANCEL);
    const bool defaultFocus = CreateControls();
    for (CWnd* child : Children())
        if (!child->GetFont())
            child->SetFont(DialogFont(), false);
    return defaultFocus;
}

LRESULT CBuiltinDialogFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintFrame();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST: {
        const Point client = ScreenToClient(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return client.y >= 0 && client.y < kCaptionHeight ? HTCAPTION : HTCLIENT;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->hwndItem == m_close.GetSafeHwnd()) {
            DrawCloseBox(*item);
            return 1;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

void CBuiltinDialogFrame::PaintFrame() {
    CPaintDC dc(*this);
    Painter& painter = *dc;
    const Rect client = GetClientRect();
    painter.FillRect(client, kBodyColor);
    painter.FillRect({0, 0, client.right, kCaptionHeight}, kCaptionColor);
    painter.FrameRect(client, kBorderColor);
    painter.SetBkMode(TRANSPARENT);
    painter.SetTextColor(kCaptionTextColor);
    painter.SelectFont(CaptionFont());
    Rect title{kMargin, 0, client.right - kCloseWidth - kGap, kCaptionHeight};
    painter.DrawText(GetWindowText(), title, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    painter.SelectFont(DialogFont());
    painter.SetTextColor(RGB(0, 0, 0));
    PaintBody(painter);
}

void CBuiltinDialogFrame::DrawCloseBox(const DRAWITEMSTRUCT& item) {
    Painter& painter = *item.pDC;
    const Rect r = item.rcItem;
    painter.FillRect(r, (item.itemState & ODS_SELECTED) ? kClosePressedColor : kCaptionColor);
    // An "x" of two diagonals, two pixels thick, centred in the box.
    const int half = 5;
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    for (int d = -half; d <= half; ++d)
        for (int t = 0; t < 2; ++t) {
            painter.SetPixel({cx + d + t, cy + d}, kCaptionTextColor);
            painter.SetPixel({cx + d + t, cy - d}, kCaptionTextColor);
        }
}

} // namespace plat
