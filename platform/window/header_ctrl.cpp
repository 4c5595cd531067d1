// The column title row of a report list.
#include "platform/window/header_ctrl.h"

#include "platform/gfx/painter.h"
#include "platform/gfx/text_layout.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {

// How far either side of a divider the pointer may be to grab it.
constexpr int kDividerGrip = 4;

} // namespace

unsigned TextAlignmentOf(int format) {
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        return DT_RIGHT;
    case HDF_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

bool CHeaderCtrl::Create(DWORD style, const Rect& rect, CWnd* parent, UINT id) {
    if (!FindWindowClass(kClassName))
        RegisterClass({CS_DBLCLKS, kClassName, std::nullopt, CursorShape::Arrow});
    return CWnd::Create(kClassName, u"", style | WS_CHILD, rect, parent, id);
}

int CHeaderCtrl::InsertItem(int index, const HeaderItem& item) {
    const int at = std::clamp(index, 0, GetItemCount());
    ForgetMouse();
    m_items.insert(m_items.begin() + at, item);
    m_items[at].width = std::max(0, m_items[at].width);
    Invalidate();
    return at;
}

bool CHeaderCtrl::DeleteItem(int index) {
    if (index < 0 || index >= GetItemCount())
        return false;
    ForgetMouse();
    m_items.erase(m_items.begin() + index);
    Invalidate();
    return true;
}

bool CHeaderCtrl::GetItem(int index, HeaderItem* item) const {
    if (index < 0 || index >= GetItemCount() || !item)
        return false;
    *item = m_items[index];
    return true;
}

bool CHeaderCtrl::SetItem(int index, const HeaderItem& item) {
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items[index] = item;
    m_items[index].width = std::max(0, item.width);
    Invalidate();
    return true;
}

int CHeaderCtrl::ItemLeft(int index) const {
    int left = 0;
    for (int i = 0; i < index && i < GetItemCount(); ++i)
        left += m_items[i].width;
    return left;
}

int CHeaderCtrl::TotalWidth() const {
    return ItemLeft(GetItemCount());
}

bool CHeaderCtrl::GetItemRect(int index, Rect* rect) const {
    if (index < 0 || index >= GetItemCount() || !rect)
        return false;
    const int left = ItemLeft(index) - m_offset;
    *rect = {left, 0, left + m_items[index].width, GetClientRect().bottom};
    return true;
}

int CHeaderCtrl::HitTest(Point client) const {
    if (client.y < 0 || client.y >= GetClientRect().bottom)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        Rect r;
        GetItemRect(i, &r);
        if (client.x >= r.left && client.x < r.right)
            return i;
    }
    return -1;
}

int CHeaderCtrl::DividerHitTest(Point client) const {
    if (client.y < 0 || client.y >= GetClientRect().bottom)
        return -1;
    int best = -1;
    int bestDistance = kDividerGrip;
    for (int i = 0; i < GetItemCount(); ++i) {
        const int edge = ItemLeft(i + 1) - m_offset;
        const int distance = std::abs(client.x - edge);
        // Left of a shared edge the leftmost item is taken, on or right of it the rightmost.
        if (distance < bestDistance || (distance == bestDistance && best >= 0 && client.x >= edge)) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void CHeaderCtrl::SetScrollOffset(int x) {
    if (x == m_offset)
        return;
    m_offset = x;
    Invalidate();
}

LRESULT CHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDBLCLK: {
        // The second press of a double click on a title is a press like the first.
        const Point client{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const int divider = DividerHitTest(client);
        if (divider >= 0 && IsWindowVisible())
            Notify(HDN_DIVIDERDBLCLICK, divider);
        else
            OnButtonDown(client);
        return 0;
    }
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT && OnSetCursor())
            return 1;
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CAPTURECHANGED:
        // The drag ends where it is when another window takes the pointer.
        EndTracking();
        if (m_pressed >= 0) {
            m_pressed = -1;
            Invalidate();
        }
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CHeaderCtrl::OnButtonDown(Point client) {
    if (!IsWindowVisible())
        return;
    const int divider = DividerHitTest(client);
    if (divider >= 0) {
        if (Notify(HDN_BEGINTRACK, divider) != 0)
            return; // the parent keeps this width
        m_tracking = divider;
        m_trackStartX = client.x;
        m_trackStartWidth = m_items[divider].width;
        SetCapture();
        return;
    }
    m_pressed = HitTest(client);
    if (m_pressed >= 0) {
        SetCapture();
        Invalidate();
    }
}

// The width follows the pointer's travel since the press, so a scroll offset that
// changes under a shrinking column does not feed back into the width.
void CHeaderCtrl::OnMouseMove(Point client) {
    if (m_tracking < 0 || m_tracking >= GetItemCount())
        return;
    const int width = std::max(0, m_trackStartWidth + client.x - m_trackStartX);
    if (width == m_items[m_tracking].width)
        return;
    m_items[m_tracking].width = width;
    Invalidate();
    Notify(HDN_TRACK, m_tracking);
}

void CHeaderCtrl::OnButtonUp(Point client) {
    if (m_tracking >= 0) {
        OnMouseMove(client);
        EndTracking();
        return;
    }
    const int pressed = m_pressed;
    m_pressed = -1;
    if (GetCapture() == GetSafeHwnd())
        ReleaseCapture();
    if (pressed >= 0) {
        Invalidate();
        if (HitTest(client) == pressed)
            Notify(HDN_ITEMCLICK, pressed);
    }
}

// Cleared before the capture is let go: letting it go comes back as WM_CAPTURECHANGED.
void CHeaderCtrl::EndTracking() {
    const int item = m_tracking;
    if (item < 0)
        return;
    m_tracking = -1;
    if (GetCapture() == GetSafeHwnd())
        ReleaseCapture();
    if (item < GetItemCount())
        Notify(HDN_ENDTRACK, item);
}

// Items come or go under the pointer: a press or drag in progress no longer means anything.
void CHeaderCtrl::ForgetMouse() {
    if (m_tracking < 0 && m_pressed < 0)
        return;
    m_tracking = -1;
    m_pressed = -1;
    if (GetCapture() == GetSafeHwnd())
        ReleaseCapture();
}

bool CHeaderCtrl::OnSetCursor() {
    Point screen;
    if (!GetCursorPos(&screen) || DividerHitTest(ScreenToClient(screen)) < 0)
        return false;
    if (NativeWindow* native = GetTopLevelParent()->GetNativeWindow())
        native->SetCursor(CursorShape::SizeWE);
    return true;
}

LRESULT CHeaderCtrl::Notify(int code, int item) {
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    NMHEADER nm;
    nm.hdr = {GetSafeHwnd(), static_cast<UINT_PTR>(GetDlgCtrlID()), code};
    nm.iItem = item;
    nm.cxy = item >= 0 && item < GetItemCount() ? m_items[item].width : 0;
    return parent->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CHeaderCtrl::OnPaint() {
    CPaintDC dc(*this);
    const Rect client = GetClientRect();
    dc->FillRect(client, m_backColor);
    for (int i = 0; i < GetItemCount(); ++i) {
        HeaderDrawItem draw{&*dc, i, {}, i == m_pressed};
        GetItemRect(i, &draw.rect);
        if (draw.rect.right <= client.left || draw.rect.left >= client.right || draw.rect.IsEmpty())
            continue;
        const int saved = dc->SaveDC();
        dc->IntersectClipRect(draw.rect);
        if (m_items[i].format & HDF_OWNERDRAW)
            DrawItem(draw);
        else
            DrawDefaultItem(draw);
        dc->RestoreDC(saved);
    }
    dc->FillRect({client.left, client.bottom - 1, client.right, client.bottom}, m_lineColor);
}

void CHeaderCtrl::DrawItem(const HeaderDrawItem& draw) {
    DrawDefaultItem(draw);
}

void CHeaderCtrl::DrawDefaultItem(const HeaderDrawItem& draw) {
    Painter& p = *draw.painter;
    const Rect& r = draw.rect;
    p.FillRect(r, draw.pressed ? RGB(226, 230, 236) : m_backColor);
    p.FillRect({r.right - 1, r.top + 4, r.right, r.bottom - 4}, m_lineColor);
    if (auto font = GetFont())
        p.SelectFont(font);
    p.SetBkMode(TRANSPARENT);
    p.SetTextColor(m_textColor);
    Rect text{r.left + 6, r.top, r.right - 6, r.bottom - 1};
    p.DrawText(m_items[draw.item].text, text,
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX |
                   TextAlignmentOf(m_items[draw.item].format));
}

} // namespace plat
