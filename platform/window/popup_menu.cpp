// Layout, drawing and the input loop of the pop-up menu window.
#include "platform/window/popup_menu.h"

#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/gfx/painter.h"
#include "platform/os/virtual_keys.h"
#include "platform/text/compare.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

#include <algorithm>
#include <vector>

namespace plat {

namespace {
constexpr int kBorder = 1;
constexpr int kVerticalPad = 3;
constexpr int kGutter = 30; // check marks live here
constexpr int kRightPad = 36;
constexpr int kMinWidth = 150;
constexpr COLORREF kFace = RGB(249, 249, 249);
constexpr COLORREF kFrame = RGB(160, 160, 160);
constexpr COLORREF kHotFill = RGB(204, 232, 255);
constexpr COLORREF kHotFrame = RGB(153, 209, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGreyText = RGB(142, 142, 142);
constexpr COLORREF kRule = RGB(218, 218, 218);

bool IsMouseMessage(UINT m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}
bool IsButtonDown(UINT m) {
    return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN || m == WM_LBUTTONDBLCLK ||
           m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK || m == WM_XBUTTONDOWN;
}
} // namespace

CPopupMenu::CPopupMenu(const CMenu& menu, UINT flags, CWnd* owner)
    : m_menu(menu), m_flags(flags), m_owner(owner) {
    m_font = Font::Create(LogFont{.height = -12, .faceName = u"Tahoma"});
    m_bold = Font::Create(LogFont{.height = -12, .weight = 700, .faceName = u"Tahoma"});
}

CPopupMenu::~CPopupMenu() {
    if (GetSafeHwnd())
        DestroyWindow();
}

Size CPopupMenu::MeasureMenu() const {
    int width = 0;
    int height = 2 * (kBorder + kVerticalPad);
    const auto& items = m_menu.Items();
    const UINT defaultPos = m_menu.GetDefaultItem(true);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].IsSeparator()) {
            height += kSeparatorHeight;
            continue;
        }
        const Font& font = (i == defaultPos) ? *m_bold : *m_font;
        width = std::max(width, font.MeasureText(items[i].ShownText()).cx);
        height += kItemHeight;
    }
    return {std::max(kMinWidth, width + kGutter + kRightPad + 2 * kBorder), height};
}

Rect CPopupMenu::Placement(Point anchor, Size size) const {
    int x = anchor.x;
    int y = anchor.y;
    if (m_flags & TPM_RIGHTALIGN)
        x -= size.cx;
    else if (m_flags & TPM_CENTERALIGN)
        x -= size.cx / 2;
    if (m_flags & TPM_BOTTOMALIGN)
        y -= size.cy;
    // Kept on the screen: a menu that would run off an edge opens to the other side.
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (x + size.cx > screenW)
        x = std::max(0, std::min(anchor.x - size.cx, screenW - size.cx));
    if (y + size.cy > screenH)
        y = std::max(0, std::min(anchor.y - size.cy, screenH - size.cy));
    x = std::max(0, x);
    y = std::max(0, y);
    return {x, y, x + size.cx, y + size.cy};
}

Rect CPopupMenu::ItemRect(int index) const {
    int top = kBorder + kVerticalPad;
    const auto& items = m_menu.Items();
    const int width = GetClientRect().Width();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const int h = items[static_cast<size_t>(i)].IsSeparator() ? kSeparatorHeight : kItemHeight;
        if (i == index)
            return {kBorder, top, width - kBorder, top + h};
        top += h;
    }
    return {};
}

int CPopupMenu::ItemAt(Point client) const {
    const auto& items = m_menu.Items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (ItemRect(i).Contains(client))
            return items[static_cast<size_t>(i)].IsSeparator() ? -1 : i;
    return -1;
}

void CPopupMenu::SetHot(int index) {
    if (index == m_hot)
        return;
    m_hot = index;
    Invalidate(false);
}

void CPopupMenu::StepHot(int direction) {
    const auto& items = m_menu.Items();
    const int count = static_cast<int>(items.size());
    int i = m_hot;
    for (int step = 0; step < count; ++step) {
        if (i < 0)
            i = direction > 0 ? 0 : count - 1;
        else
            i = (i + direction + count) % count;
        if (!items[static_cast<size_t>(i)].IsSeparator()) {
            SetHot(i);
            return;
        }
    }
}

void CPopupMenu::Choose(int index) {
    const auto& items = m_menu.Items();
    if (index < 0 || index >= static_cast<int>(items.size()) ||
        !items[static_cast<size_t>(index)].IsEnabled())
        return;
    m_result = items[static_cast<size_t>(index)].id;
    m_done = true;
}

// A letter shared by several items only moves the highlight on, from one to the next,
// and Enter chooses; a letter of one item chooses it at once.
void CPopupMenu::OnMnemonic(char16_t key) {
    const auto& items = m_menu.Items();
    const int count = static_cast<int>(items.size());
    const char16_t wanted = ToLowerUnit(key);
    std::vector<int> matches;
    for (int i = 0; i < count; ++i) {
        const CMenu::Item& item = items[static_cast<size_t>(i)];
        const char16_t mnemonic = item.Mnemonic();
        if (item.IsEnabled() && mnemonic != 0 && ToLowerUnit(mnemonic) == wanted)
            matches.push_back(i);
    }
    if (matches.size() == 1) {
        SetHot(matches.front());
        Choose(matches.front());
        return;
    }
    if (matches.empty())
        return;
    const auto next = std::upper_bound(matches.begin(), matches.end(), m_hot);
    SetHot(next == matches.end() ? matches.front() : *next);
}

void CPopupMenu::Dismiss() {
    m_result = 0;
    m_done = true;
}

bool CPopupMenu::Filter(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        switch (msg.wParam) {
        case VK_UP:
            StepHot(-1);
            break;
        case VK_DOWN:
            StepHot(1);
            break;
        case VK_HOME:
            m_hot = -1;
            StepHot(1);
            break;
        case VK_END:
            m_hot = -1;
            StepHot(-1);
            break;
        case VK_RETURN:
        case VK_SPACE:
            Choose(m_hot);
            break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_LEFT:
            Dismiss();
            break;
        default:
            break;
        }
        return true;
    case WM_CHAR:
    case WM_SYSCHAR:
        // Control characters and Space were handled as keys already.
        if (msg.wParam > 0x20)
            OnMnemonic(static_cast<char16_t>(msg.wParam));
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_DEADCHAR:
        return true;
    default:
        break;
    }
    if (!IsMouseMessage(msg.message) || msg.message == WM_MOUSEWHEEL)
        return false;
    if (msg.hwnd != GetSafeHwnd()) {
        // The pointer is not held by the menu here: a press elsewhere dismisses it.
        if (IsButtonDown(msg.message))
            Dismiss();
        return true;
    }
    const Point p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    const bool inside = GetClientRect().Contains(p);
    if (msg.message == WM_MOUSEMOVE) {
        if (inside)
            SetHot(ItemAt(p));
        return true;
    }
    if (IsButtonDown(msg.message)) {
        if (!inside)
            Dismiss();
        return true;
    }
    const bool chooses =
        msg.message == WM_LBUTTONUP || (msg.message == WM_RBUTTONUP && (m_flags & TPM_RIGHTBUTTON));
    if (chooses && inside)
        Choose(ItemAt(p));
    return true;
}

UINT CPopupMenu::Run(Point anchor) {
    EnsureControlClasses();
    CWnd* owner = m_owner && m_owner->GetSafeHwnd() ? m_owner->GetTopLevelParent() : nullptr;
    const Rect r = Placement(anchor, MeasureMenu());
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"KavoxPopupMenu", u"", WS_POPUP, r, owner))
        return 0;
    const HWND self = GetSafeHwnd();
    ShowWindow(SW_SHOWNA);
    SetCapture();
    if (m_owner)
        m_owner->SendMessage(WM_ENTERMENULOOP, 1, 0);
    bool idleTold = false;
    while (!m_done && IsWindow(self)) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!idleTold && m_owner && m_owner->GetSafeHwnd()) {
                idleTold = true;
                m_owner->SendMessage(WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(self));
                continue;
            }
            WaitMessage();
            idleTold = false;
            continue;
        }
        idleTold = false;
        if (msg.message == WM_QUIT) {
            // The enclosing loop must see the quit request too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            Dismiss();
            break;
        }
        if (!Filter(msg))
            PumpMessage(msg);
    }
    if (plat::GetCapture() == self)
        ReleaseCapture();
    if (m_owner && m_owner->GetSafeHwnd())
        m_owner->SendMessage(WM_EXITMENULOOP, 1, 0);
    if (IsWindow(self))
        DestroyWindow();
    return m_done ? m_result : 0;
}

LRESULT CPopupMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CAPTURECHANGED:
        // Another window took the pointer (a drag, another menu): the menu gives way.
        if (!m_done && reinterpret_cast<HWND>(lParam) != GetSafeHwnd())
            Dismiss();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CPopupMenu::Paint() {
    CPaintDC dc(*this);
    Painter& painter = *dc;
    const Rect client = GetClientRect();
    painter.FillRect(client, kFace);
    painter.FrameRect(client, kFrame);
    painter.SetBkMode(TRANSPARENT);
    const auto& items = m_menu.Items();
    const UINT defaultPos = m_menu.GetDefaultItem(true);
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const CMenu::Item& item = items[static_cast<size_t>(i)];
        const Rect r = ItemRect(i);
        if (item.IsSeparator()) {
            const int y = r.top + r.Height() / 2;
            painter.FillRect({r.left + kGutter, y, r.right - 4, y + 1}, kRule);
            continue;
        }
        if (i == m_hot) {
            const Rect hot{r.left + 2, r.top, r.right - 2, r.bottom};
            painter.FillRect(hot, kHotFill);
            painter.FrameRect(hot, kHotFrame);
        }
        const COLORREF ink = item.IsEnabled() ? kText : kGreyText;
        if (item.IsChecked()) {
            // A tick, two pixels thick, centred in the gutter.
            const int cx = r.left + kGutter / 2;
            const int cy = r.top + r.Height() / 2;
            for (int d = 0; d < 2; ++d) {
                painter.DrawLine({cx - 5, cy - 1 + d}, {cx - 2, cy + 2 + d}, ink);
                painter.DrawLine({cx - 2, cy + 2 + d}, {cx + 5, cy - 5 + d}, ink);
            }
        }
        painter.SelectFont(static_cast<UINT>(i) == defaultPos ? m_bold : m_font);
        painter.SetTextColor(ink);
        Rect text{r.left + kGutter, r.top, r.right - kRightPad / 2, r.bottom};
        painter.DrawText(item.text, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
}

} // namespace plat
