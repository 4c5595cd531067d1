// Painting and mouse handling of the list's scroll bar.
#include "platform/window/list_scroll_bar.h"

#include "platform/gfx/painter.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <algorithm>

namespace plat {

namespace {
constexpr char16_t kClassName[] = u"KavoxListScrollBar";
constexpr int kMinThumb = 18;
constexpr COLORREF kTrackColor = RGB(240, 240, 240);
constexpr COLORREF kThumbColor = RGB(192, 196, 202);
constexpr COLORREF kThumbDragColor = RGB(150, 156, 164);
} // namespace

bool CListScrollBar::Create(const Rect& rect, CWnd* parent, CListCtrl& list) {
    if (!FindWindowClass(kClassName))
        RegisterClass({0, kClassName, std::nullopt, CursorShape::Arrow});
    m_list = &list;
    if (!CWnd::Create(kClassName, u"", WS_CHILD | WS_VISIBLE, rect, parent))
        return false;
    Sync();
    return true;
}

void CListScrollBar::Sync() {
    SCROLLINFO info;
    if (!m_list || !m_list->GetScrollInfo(SB_VERT, &info))
        return;
    if (info.nMax != m_info.nMax || info.nPage != m_info.nPage || info.nPos != m_info.nPos) {
        m_info = info;
        Invalidate(false);
    }
}

Rect CListScrollBar::Thumb() const {
    const int rows = m_info.nMax + 1;
    const int page = static_cast<int>(m_info.nPage);
    const Rect client = GetClientRect();
    if (page <= 0 || rows <= page)
        return {};
    const int track = client.Height();
    const int length = std::max(kMinThumb, track * page / rows);
    const int top = (track - length) * m_info.nPos / std::max(1, rows - page);
    return {client.left + 3, top, client.right - 3, top + length};
}

int CListScrollBar::PositionAt(int y) const {
    const int rows = m_info.nMax + 1;
    const int page = static_cast<int>(m_info.nPage);
    const int free = GetClientRect().Height() - Thumb().Height();
    if (free <= 0)
        return 0;
    return std::clamp((y * (rows - page) + free / 2) / free, 0, rows - page);
}

LRESULT CListScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        const Rect thumb = Thumb();
        const int y = GET_Y_LPARAM(lParam);
        if (thumb.IsEmpty())
            return 0;
        if (y >= thumb.top && y < thumb.bottom) {
            m_dragging = true;
            m_grabOffset = y - thumb.top;
            SetCapture();
            Invalidate(false);
        } else {
            m_list->SendMessage(WM_VSCROLL, MAKEWPARAM(y < thumb.top ? SB_PAGEUP : SB_PAGEDOWN, 0), 0);
        }
        Sync();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging) {
            const int position = PositionAt(GET_Y_LPARAM(lParam) - m_grabOffset);
            m_list->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, static_cast<std::uint16_t>(position)),
                                0);
            Sync();
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_dragging) {
            m_dragging = false;
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
            Invalidate(false);
        }
        return 0;
    case WM_MOUSEWHEEL:
        m_list->SendMessage(message, wParam, lParam);
        Sync();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CListScrollBar::Paint() {
    CPaintDC dc(*this);
    const Rect client = GetClientRect();
    dc->FillRect(client, kTrackColor);
    dc->FillRect({client.left, client.top, client.left + 1, client.bottom}, RGB(225, 225, 225));
    const Rect thumb = Thumb();
    if (!thumb.IsEmpty())
        dc->FillRect(thumb, m_dragging ? kThumbDragColor : kThumbColor);
}

} // namespace plat
