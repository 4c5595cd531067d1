// Tips over tools, shown after a rest of the pointer, and tracking tips.
#include "platform/window/tool_tip_ctrl.h"

#include "platform/gfx/painter.h"
#include "platform/gfx/text_layout.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <algorithm>

namespace plat {

namespace {

constexpr int kPadX = 7;
constexpr int kPadY = 4;
constexpr int kBelowPointer = 20;

} // namespace

bool CToolTipCtrl::Create(CWnd* owner) {
    if (!FindWindowClass(kClassName))
        RegisterClass({0, kClassName, std::nullopt, CursorShape::Arrow});
    CWnd* top = owner ? owner->GetTopLevelParent() : nullptr;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, u"", WS_POPUP,
                    {0, 0, 1, 1}, top);
}

CToolTipCtrl::Tool* CToolTipCtrl::Find(HWND window, UINT id) {
    for (Tool& t : m_tools)
        if (t.window == window && t.id == id)
            return &t;
    return nullptr;
}

bool CToolTipCtrl::AddTool(CWnd* window, std::u16string_view text, const Rect* rect, UINT id, UINT flags) {
    if (!window || !window->GetSafeHwnd())
        return false;
    Tool tool{window->GetSafeHwnd(), id, std::u16string(text), rect == nullptr, rect ? *rect : Rect{}, flags};
    if (Tool* existing = Find(tool.window, id))
        *existing = tool;
    else
        m_tools.push_back(tool);
    return true;
}

void CToolTipCtrl::DelTool(CWnd* window, UINT id) {
    if (!window)
        return;
    for (size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].window == window->GetSafeHwnd() && m_tools[i].id == id) {
            if (m_current == static_cast<int>(i))
                Pop();
            else if (m_current > static_cast<int>(i))
                --m_current;
            m_tools.erase(m_tools.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

bool CToolTipCtrl::UpdateTipText(std::u16string_view text, CWnd* window, UINT id) {
    Tool* tool = window ? Find(window->GetSafeHwnd(), id) : nullptr;
    if (!tool)
        return false;
    tool->text = std::u16string(text);
    if (IsTipShown() && &m_tools[m_current] == tool) {
        const Size size = TipSize();
        const Rect at = GetWindowRect();
        SetWindowPos(nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate();
    }
    return true;
}

bool CToolTipCtrl::SetToolRect(CWnd* window, UINT id, const Rect& rect) {
    Tool* tool = window ? Find(window->GetSafeHwnd(), id) : nullptr;
    if (!tool)
        return false;
    tool->wholeWindow = false;
    tool->rect = rect;
    return true;
}

void CToolTipCtrl::Activate(bool active) {
    m_active = active;
    if (!active)
        Pop();
}

void CToolTipCtrl::SetDelayTime(DWORD which, int ms) {
    ms = std::max(0, ms);
    switch (which) {
    case TTDT_AUTOMATIC:
        m_initialMs = ms;
        m_autoPopMs = ms * 10;
        m_reshowMs = ms / 5;
        break;
    case TTDT_RESHOW:
        m_reshowMs = ms;
        break;
    case TTDT_AUTOPOP:
        m_autoPopMs = ms;
        break;
    case TTDT_INITIAL:
        m_initialMs = ms;
        break;
    default:
        break;
    }
}

int CToolTipCtrl::GetDelayTime(DWORD which) const {
    switch (which) {
    case TTDT_RESHOW:
        return m_reshowMs;
    case TTDT_AUTOPOP:
        return m_autoPopMs;
    default:
        return m_initialMs;
    }
}

int CToolTipCtrl::ToolAt(Point screen) const {
    for (size_t i = 0; i < m_tools.size(); ++i) {
        const Tool& t = m_tools[i];
        if (t.flags & TTF_TRACK)
            continue;
        CWnd* window = CWnd::FromHandle(t.window);
        if (!window || !window->IsWindowVisible())
            continue;
        const Point client = window->ScreenToClient(screen);
        const Rect area = t.wholeWindow ? window->GetClientRect() : t.rect;
        if (area.Contains(client))
            return static_cast<int>(i);
    }
    return -1;
}

void CToolTipCtrl::RelayEvent(const MSG& msg) {
    if (!m_active || m_tracking || !GetSafeHwnd())
        return;
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        CWnd* from = CWnd::FromHandle(msg.hwnd);
        if (!from)
            return;
        const int tool =
            ToolAt(from->ClientToScreen(Point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)}));
        if (tool == m_current)
            return;
        const bool wasShown = IsTipShown();
        Hide();
        m_current = tool;
        if (tool >= 0)
            SetTimer(kShowTimer, static_cast<UINT>(wasShown ? m_reshowMs : m_initialMs));
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
        Pop();
        return;
    default:
        return;
    }
}

void CToolTipCtrl::Pop() {
    Hide();
    m_current = -1;
}

void CToolTipCtrl::Hide() {
    KillTimer(kShowTimer);
    KillTimer(kPopTimer);
    if (IsTipShown())
        ShowWindow(SW_HIDE);
}

std::u16string CToolTipCtrl::CurrentText() const {
    return m_current >= 0 && m_current < static_cast<int>(m_tools.size()) ? m_tools[m_current].text
                                                                          : std::u16string();
}

Size CToolTipCtrl::TipSize() const {
    Bitmap scratch(1, 1);
    Painter measure(scratch);
    measure.SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    Rect text{0, 0, 0, 0};
    measure.DrawText(CurrentText(), text, DT_CALCRECT | DT_NOPREFIX);
    const int lineHeight = measure.GetTextMetrics().height;
    return {text.Width() + 2 * kPadX, std::max(text.Height(), lineHeight) + 2 * kPadY};
}

void CToolTipCtrl::ShowAt(Point screen) {
    const Size size = TipSize();
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    const int x = std::clamp(screen.x, 0, std::max(0, screenW - size.cx));
    const int y = std::clamp(screen.y, 0, std::max(0, screenH - size.cy));
    SetWindowPos(HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Invalidate();
}

void CToolTipCtrl::OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kPopTimer) {
        Hide(); // the tool stays current, so resting longer does not bring it back
        return;
    }
    if (id != kShowTimer || m_current < 0 || CurrentText().empty())
        return;
    Point cursor;
    GetCursorPos(&cursor);
    if (ToolAt(cursor) != m_current) { // the pointer left without a relayed move
        m_current = -1;
        return;
    }
    ShowAt({cursor.x, cursor.y + kBelowPointer});
    if (m_autoPopMs > 0)
        SetTimer(kPopTimer, static_cast<UINT>(m_autoPopMs));
}

void CToolTipCtrl::TrackActivate(bool active, CWnd* window, UINT id) {
    Tool* tool = window ? Find(window->GetSafeHwnd(), id) : nullptr;
    if (!active || !tool || !(tool->flags & TTF_TRACK)) {
        if (m_tracking)
            Pop();
        m_tracking = false;
        return;
    }
    Hide();
    m_current = static_cast<int>(tool - m_tools.data());
    m_tracking = true;
    ShowAt(m_trackAt);
}

void CToolTipCtrl::TrackPosition(int x, int y) {
    m_trackAt = {x, y};
    if (m_tracking && IsTipShown())
        ShowAt(m_trackAt);
}

LRESULT CToolTipCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (!m_tracking)
            Pop();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CToolTipCtrl::OnPaint() {
    CPaintDC dc(*this);
    const Rect client = GetClientRect();
    dc->FillRect(client, m_backColor);
    dc->FrameRect(client, m_borderColor);
    dc->SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_textColor);
    Rect text = client.Inflate(-kPadX, -kPadY);
    const std::u16string tip = CurrentText();
    const bool oneLine = tip.find(u'\n') == std::u16string::npos;
    dc->DrawText(tip, text, oneLine ? DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE : DT_NOPREFIX);
}

} // namespace plat
