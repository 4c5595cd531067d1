// Window objects: creation and destruction, the tree, geometry, visibility, damage and
// the default handling of messages.
#include "platform/window/wnd.h"

#include "platform/backend/window_system.h"
#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/core/timers.h"
#include "platform/gfx/painter.h"
#include "platform/text/utf.h"
#include "platform/window/shell_notify_icon.h"
#include "platform/window/top_level_surface.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"
#include "platform/window/window_thread.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace plat {

namespace {

// Tool windows and windows that never take the focus (drop-downs, menus, tips, on-screen
// displays) are placed by us alone; an owned window is a dialog of its owner; any other
// top-level window, pop-up style or not, is a managed window of its own.
NativeWindowKind KindFor(DWORD exStyle, const CWnd* owner) {
    if (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE))
        return NativeWindowKind::Popup;
    return owner ? NativeWindowKind::Dialog : NativeWindowKind::TopLevel;
}

} // namespace

LRESULT CWnd::HandleTarget::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_owner.Dispatch(message, wParam, lParam);
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hwnd)
        DestroyWindow();
    Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    auto* target = dynamic_cast<HandleTarget*>(GetWindowTarget(hwnd));
    return target ? &target->Owner() : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, std::u16string_view className, std::u16string_view windowName, DWORD style,
                    const Rect& rect, CWnd* parent, UINT id) {
    if (m_hwnd)
        return false;
    const auto windowClass = FindWindowClass(className);
    if (!windowClass)
        return false;
    if ((style & WS_CHILD) && (!parent || !parent->m_hwnd))
        return false;
    WindowThread& thread = WindowThread::Current();
    m_style = style & ~WS_VISIBLE;
    m_exStyle = exStyle;
    m_id = id;
    m_className = windowClass->className;
    m_classStyle = windowClass->style;
    m_background = windowClass->background;
    m_cursor = windowClass->cursor;
    m_text = windowName;
    m_rect = Rect{rect.left, rect.top, std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
    m_hwnd = CreateWindowHandle(&m_target);
    if (!m_hwnd)
        return false;
    if (style & WS_CHILD) {
        Attach(parent);
    } else {
        m_owner = parent ? parent->GetTopLevelParent() : nullptr;
        if (m_owner)
            m_owner->m_owned.push_back(this);
        NativeWindowParams params;
        params.kind = KindFor(exStyle, m_owner);
        params.bounds = m_rect;
        params.owner = m_owner ? m_owner->GetNativeWindow() : nullptr;
        params.title = m_text;
        params.className = Utf16ToUtf8(m_className);
        params.topmost = (exStyle & WS_EX_TOPMOST) != 0;
        params.noActivate = (exStyle & WS_EX_NOACTIVATE) != 0;
        params.clickThrough = (exStyle & WS_EX_TRANSPARENT) && (exStyle & WS_EX_LAYERED);
        params.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
        WatchForTrayHost();
        auto native = CurrentWindowSystem().CreateWindow(params);
        if (!native) {
            DestroyWindow();
            return false;
        }
        m_surface = std::make_unique<TopLevelSurface>(*this, std::move(native));
        thread.AddTopLevel(*this);
    }
    if (Dispatch(WM_NCCREATE, 0, 0) == -1 || Dispatch(WM_CREATE, 0, 0) == -1) {
        DestroyWindow();
        return false;
    }
    Dispatch(
        WM_SIZE, 0,
        MAKELPARAM(static_cast<std::uint16_t>(m_rect.Width()), static_cast<std::uint16_t>(m_rect.Height())));
    Dispatch(WM_MOVE, 0,
             MAKELPARAM(static_cast<std::uint16_t>(m_rect.left), static_cast<std::uint16_t>(m_rect.top)));
    if (m_hwnd && (style & WS_VISIBLE))
        ShowWindow((exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    return m_hwnd != nullptr;
}

bool CWnd::DestroyWindow() {
    if (!m_hwnd || m_destroying)
        return false;
    if (!IsWindow(m_hwnd)) {
        Abandon(); // its thread has ended and took the handle with it
        return true;
    }
    if (GetWindowThreadId(m_hwnd) != GetCurrentThreadId()) {
        bool destroyed = false;
        const HWND hwnd = m_hwnd;
        RunOnWindowThread(hwnd, [&] { destroyed = DestroyWindow(); });
        return destroyed;
    }
    if (IsVisibleFlag()) {
        if (!IsTopLevel() && m_parent)
            DamageInTopLevel(VisibleRegion(), true);
        m_style &= ~WS_VISIBLE;
        if (m_surface)
            m_surface->Native().Hide();
    }
    DestroyTree();
    FinishDestroy();
    return true;
}

void CWnd::DestroyTree() {
    m_destroying = true;
    if (WindowThread* thread = WindowThread::CurrentIfAny())
        thread->Forget(*this, true);
    Dispatch(WM_DESTROY, 0, 0);
    for (CWnd* owned : std::vector<CWnd*>(m_owned))
        owned->DestroyWindow();
    for (CWnd* child : std::vector<CWnd*>(m_children))
        if (child->m_hwnd && !child->m_destroying)
            child->DestroyTree();
    for (CWnd* child : std::vector<CWnd*>(m_children))
        if (child->m_hwnd)
            child->FinishDestroy();
}

void CWnd::FinishDestroy() {
    Dispatch(WM_NCDESTROY, 0, 0);
    if (WindowThread* thread = WindowThread::CurrentIfAny()) {
        thread->Forget(*this, true);
        if (m_surface)
            thread->RemoveTopLevel(*this);
    }
    DestroyWindowHandle(m_hwnd);
    m_hwnd = nullptr;
    m_destroying = false;
    if (m_surface) {
        if (m_surface->IsFlushing())
            WindowThread::Current().Retire(std::move(m_surface));
        m_surface.reset();
    }
    Detach();
    PostNcDestroy();
}

void CWnd::Abandon() {
    m_hwnd = nullptr;
    m_surface.reset();
    Detach();
}

void CWnd::Attach(CWnd* parent) {
    m_parent = parent;
    parent->m_children.push_back(this);
}

void CWnd::Detach() {
    if (m_owner) {
        std::erase(m_owner->m_owned, this);
        m_owner = nullptr;
    }
    for (CWnd* owned : m_owned)
        owned->m_owner = nullptr;
    m_owned.clear();
    if (m_parent) {
        std::erase(m_parent->m_children, this);
        m_parent = nullptr;
    }
    for (CWnd* child : m_children)
        child->m_parent = nullptr;
    m_children.clear();
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WindowThread::CallMessage()) {
        (*reinterpret_cast<std::function<void()>*>(lParam))();
        return 1;
    }
    if (message == WM_PAINT && m_surface && !CurrentPaintContext()) {
        // The queue's paint for a damaged top-level window paints its whole tree.
        m_surface->Flush();
        return 0;
    }
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return 1;
    case WM_ERASEBKGND:
        if (!m_background)
            return 0;
        reinterpret_cast<Painter*>(wParam)->FillRect(GetClientRect(), *m_background);
        return 1;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        // A parent may choose the cursor for its children; otherwise the class cursor.
        if (m_parent && m_parent->m_hwnd && m_parent->SendMessage(WM_SETCURSOR, wParam, lParam))
            return 1;
        if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT)
            if (NativeWindow* native = GetTopLevelParent()->GetNativeWindow())
                native->SetCursor(m_cursor);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        OnDefaultActivate(wParam);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == static_cast<WPARAM>(HTCAPTION) && IsTopLevel())
            StartCaptionDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEWHEEL:
        // Unhandled wheel turns go up to the parent, as a list inside a page expects.
        if (m_parent && m_parent->m_hwnd)
            return m_parent->SendMessage(message, wParam, lParam);
        return 0;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        m_text = text ? std::u16string(text) : std::u16string();
        if (m_surface)
            m_surface->Native().SetTitle(m_text);
        Publish();
        return 1;
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m_text.size());
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char16_t*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        const size_t n = std::min<size_t>(m_text.size(), wParam - 1);
        std::copy_n(m_text.data(), n, buffer);
        buffer[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font.get());
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    default:
        return 0;
    }
}

bool CWnd::PreTranslateMessage(MSG&) {
    return false;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return plat::SendMessage(m_hwnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return plat::PostMessage(m_hwnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
    return m_hwnd ? plat::SetTimer(m_hwnd, id, elapseMs) : 0;
}

bool CWnd::KillTimer(UINT_PTR id) {
    return m_hwnd && plat::KillTimer(m_hwnd, id);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add) {
    const DWORD style = (m_style & ~remove) | add;
    if (style == m_style)
        return false;
    const bool wasVisible = IsVisibleFlag();
    const bool wasEnabled = IsWindowEnabled();
    m_style = style & ~(WS_VISIBLE | WS_DISABLED);
    m_style |= wasVisible ? WS_VISIBLE : 0;
    m_style |= wasEnabled ? 0 : WS_DISABLED;
    if (((style & WS_DISABLED) != 0) == wasEnabled)
        EnableWindow(!(style & WS_DISABLED));
    if (((style & WS_VISIBLE) != 0) != wasVisible)
        ShowWindow((style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    return true;
}

bool CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
    const DWORD old = m_exStyle;
    m_exStyle = (m_exStyle & ~remove) | add;
    if (old == m_exStyle)
        return false;
    Publish();
    if (m_surface) {
        NativeWindow& native = m_surface->Native();
        if ((old ^ m_exStyle) & WS_EX_TOPMOST)
            ApplyTopmost((m_exStyle & WS_EX_TOPMOST) != 0);
        native.SetNoActivate((m_exStyle & WS_EX_NOACTIVATE) != 0);
        native.SetClickThrough((m_exStyle & WS_EX_TRANSPARENT) && (m_exStyle & WS_EX_LAYERED));
        if ((old & WS_EX_LAYERED) && !(m_exStyle & WS_EX_LAYERED))
            m_surface->SetLayering(std::nullopt, 255);
    }
    return true;
}

CWnd* CWnd::GetParent() const {
    return m_parent ? m_parent : m_owner;
}

CWnd* CWnd::GetTopLevelParent() {
    CWnd* w = this;
    while (w->m_parent)
        w = w->m_parent;
    return w;
}

bool CWnd::IsChild(const CWnd* window) const {
    for (const CWnd* w = window ? window->m_parent : nullptr; w; w = w->m_parent)
        if (w == this)
            return true;
    return false;
}

int CWnd::SetDlgCtrlID(int id) {
    const int old = static_cast<int>(m_id);
    m_id = static_cast<UINT>(id);
    return old;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : m_children)
        if (child->GetDlgCtrlID() == id)
            return child;
    return nullptr;
}

CWnd* CWnd::ChildWindowFromPoint(Point client) {
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        CWnd* child = *it;
        if (!child->IsVisibleFlag() || !child->IsWindowEnabled() || !child->m_rect.Contains(client))
            continue;
        const Point inner{client.x - child->m_rect.left, client.y - child->m_rect.top};
        if (child->m_shape && !child->m_shape->Contains(inner))
            continue;
        return child->ChildWindowFromPoint(inner);
    }
    return this;
}

bool CWnd::ShowWindow(int command) {
    const bool wasVisible = IsVisibleFlag();
    if (!m_hwnd)
        return false;
    const bool show = command != SW_HIDE && command != SW_MINIMIZE && command != SW_SHOWMINIMIZED &&
                      command != SW_SHOWMINNOACTIVE;
    const bool activate = (command == SW_SHOW || command == SW_SHOWNORMAL || command == SW_RESTORE ||
                           command == SW_SHOWMAXIMIZED) &&
                          !(m_exStyle & WS_EX_NOACTIVATE);
    const bool iconic =
        command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    if (iconic != m_iconic && IsTopLevel())
        m_iconic = iconic;
    if (show == wasVisible) {
        if (show && activate && IsTopLevel())
            SetActiveWindow();
        return wasVisible;
    }
    Dispatch(WM_SHOWWINDOW, show ? 1 : 0, 0);
    if (!m_hwnd)
        return wasVisible;
    if (show) {
        m_style |= WS_VISIBLE;
        if (m_surface) {
            m_surface->Damage(Region(GetClientRect()), true);
            m_surface->Native().Show(activate);
            WindowThread::Current().Raised(*this);
            if (activate)
                SetActiveWindow();
        } else {
            DamageInTopLevel(VisibleRegion(), true);
        }
    } else {
        if (!m_surface)
            DamageInTopLevel(VisibleRegion(), true);
        m_style &= ~WS_VISIBLE;
        WindowThread::Current().Forget(*this, false);
        if (m_surface)
            m_surface->Native().Hide();
    }
    Publish();
    return wasVisible;
}

bool CWnd::IsWindowVisible() const {
    for (const CWnd* w = this; w; w = w->m_parent)
        if (!w->IsVisibleFlag() || !w->m_hwnd)
            return false;
    return true;
}

bool CWnd::EnableWindow(bool enable) {
    const bool wasDisabled = !IsWindowEnabled();
    if (!m_hwnd || enable != wasDisabled)
        return wasDisabled;
    if (enable) {
        m_style &= ~WS_DISABLED;
    } else {
        m_style |= WS_DISABLED;
        WindowThread& thread = WindowThread::Current();
        if (thread.Capture() == this)
            thread.SetCapture(nullptr);
        if (thread.Focus() == this || IsChild(thread.Focus()))
            thread.SetFocus(nullptr);
    }
    Dispatch(WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

bool CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!m_hwnd)
        return false;
    Rect rect = m_rect;
    if (!(flags & SWP_NOMOVE))
        rect = rect.Offset(x - rect.left, y - rect.top);
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + std::max(0, cx);
        rect.bottom = rect.top + std::max(0, cy);
    }
    if (rect != m_rect)
        ApplyBounds(rect, !(flags & SWP_NOREDRAW), false);
    if (!(flags & SWP_NOZORDER))
        Restack(insertAfter);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return true;
}

void CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::ApplyBounds(const Rect& rect, bool redraw, bool fromSystem) {
    const Rect old = m_rect;
    const bool resized = old.Width() != rect.Width() || old.Height() != rect.Height();
    if (!m_surface && redraw)
        DamageInTopLevel(VisibleRegion(), true);
    m_rect = rect;
    if (m_surface) {
        if (!fromSystem)
            m_surface->Native().SetBounds(rect);
        if (resized)
            m_surface->Resize(rect.Width(), rect.Height());
    } else if (redraw) {
        DamageInTopLevel(VisibleRegion(), true);
    }
    if (old.TopLeft() != rect.TopLeft())
        Dispatch(WM_MOVE, 0,
                 MAKELPARAM(static_cast<std::uint16_t>(rect.left), static_cast<std::uint16_t>(rect.top)));
    if (m_hwnd && resized)
        Dispatch(
            WM_SIZE, 0,
            MAKELPARAM(static_cast<std::uint16_t>(rect.Width()), static_cast<std::uint16_t>(rect.Height())));
}

void CWnd::Restack(HWND insertAfter) {
    if (m_surface) {
        if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
            ModifyStyleEx(insertAfter == HWND_TOPMOST ? 0 : WS_EX_TOPMOST,
                          insertAfter == HWND_TOPMOST ? WS_EX_TOPMOST : 0);
        } else if (insertAfter == HWND_BOTTOM) {
            m_surface->Native().Lower();
        } else if (insertAfter == HWND_TOP) {
            m_surface->Native().Raise();
            WindowThread::Current().Raised(*this);
        }
        return;
    }
    if (!m_parent)
        return;
    auto& siblings = m_parent->m_children;
    std::erase(siblings, this);
    // "After" counts from the top down: this goes just below `insertAfter`.
    size_t at = siblings.size();
    if (insertAfter == HWND_BOTTOM)
        at = 0;
    else if (CWnd* after = FromHandle(insertAfter); after && after->m_parent == m_parent)
        at = static_cast<size_t>(std::find(siblings.begin(), siblings.end(), after) - siblings.begin());
    siblings.push_back(this);
    std::rotate(siblings.begin() + static_cast<std::ptrdiff_t>(at), siblings.end() - 1, siblings.end());
    DamageInTopLevel(VisibleRegion(), true);
}

void CWnd::ApplyTopmost(bool topmost) {
    if (m_surface)
        m_surface->Native().SetTopmost(topmost);
}

Rect CWnd::GetWindowRect() const {
    const Point origin = ClientToScreen(Point{0, 0});
    return Rect::FromSize(origin.x, origin.y, m_rect.Width(), m_rect.Height());
}

Point CWnd::ClientToScreen(Point p) const {
    for (const CWnd* w = this; w; w = w->m_parent) {
        p.x += w->m_rect.left;
        p.y += w->m_rect.top;
    }
    return p;
}

Rect CWnd::ClientToScreen(const Rect& r) const {
    const Point o = ClientToScreen(Point{0, 0});
    return r.Offset(o.x, o.y);
}

Point CWnd::ScreenToClient(Point p) const {
    const Point o = ClientToScreen(Point{0, 0});
    return {p.x - o.x, p.y - o.y};
}

Rect CWnd::ScreenToClient(const Rect& r) const {
    const Point o = ClientToScreen(Point{0, 0});
    return r.Offset(-o.x, -o.y);
}

bool CWnd::BringWindowToTop() {
    return SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool CWnd::SetWindowRgn(std::optional<Region> shape, bool redraw) {
    if (!m_hwnd)
        return false;
    if (!m_surface && redraw)
        DamageInTopLevel(VisibleRegion(), true);
    m_shape = std::move(shape);
    Publish();
    if (m_surface) {
        m_surface->ShapeChanged();
        if (redraw)
            m_surface->Damage(Region(GetClientRect()), true);
    }
    return true;
}

bool CWnd::SetLayeredWindowAttributes(COLORREF key, std::uint8_t alpha, DWORD flags) {
    if (!m_surface || !(m_exStyle & WS_EX_LAYERED))
        return false;
    m_surface->SetLayering((flags & LWA_COLORKEY) ? std::optional<COLORREF>(key) : std::nullopt,
                           (flags & LWA_ALPHA) ? alpha : 255);
    return true;
}

void CWnd::SetWindowText(std::u16string_view text) {
    const std::u16string copy(text);
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

std::u16string CWnd::GetWindowText() const {
    const auto length = plat::SendMessage(m_hwnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0)
        return {};
    std::u16string text(static_cast<size_t>(length) + 1, u'\0');
    const auto got =
        plat::SendMessage(m_hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    return text;
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(plat::SendMessage(m_hwnd, WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::SetFont(std::shared_ptr<const Font> font, bool redraw) {
    m_font = std::move(font);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), redraw ? 1 : 0);
    if (redraw)
        Invalidate();
}

Point CWnd::OffsetInTopLevel() const {
    Point p;
    for (const CWnd* w = this; w && w->m_parent; w = w->m_parent) {
        p.x += w->m_rect.left;
        p.y += w->m_rect.top;
    }
    return p;
}

Region CWnd::VisibleRegion() const {
    if (!IsWindowVisible())
        return {};
    Region visible;
    bool first = true;
    for (const CWnd* w = this; w; w = w->m_parent) {
        const Point o = w->OffsetInTopLevel();
        Region own(Rect::FromSize(o.x, o.y, w->m_rect.Width(), w->m_rect.Height()));
        if (w->m_shape) {
            Region shape = *w->m_shape;
            shape.Offset(o.x, o.y);
            own = own.Intersect(shape);
        }
        visible = first ? own : visible.Intersect(own);
        first = false;
    }
    return visible;
}

Region CWnd::ClientToTopLevel(const Region& client) const {
    Region r = client;
    const Point o = OffsetInTopLevel();
    r.Offset(o.x, o.y);
    return r;
}

void CWnd::DamageInTopLevel(const Region& area, bool erase) {
    if (area.IsEmpty())
        return;
    CWnd* top = GetTopLevelParent();
    if (top->m_surface)
        top->m_surface->Damage(area, erase);
}

void CWnd::InvalidateRect(const Rect* client, bool erase) {
    InvalidateRgn(Region(client ? *client : GetClientRect()), erase);
}

void CWnd::InvalidateRgn(const Region& client, bool erase) {
    if (!m_hwnd)
        return;
    DamageInTopLevel(ClientToTopLevel(client).Intersect(VisibleRegion()), erase);
}

void CWnd::ValidateRect(const Rect* client) {
    CWnd* top = GetTopLevelParent();
    if (top->m_surface)
        top->m_surface->Undamage(ClientToTopLevel(Region(client ? *client : GetClientRect())));
}

void CWnd::UpdateWindow() {
    CWnd* top = GetTopLevelParent();
    if (top->m_surface)
        top->m_surface->Flush();
}

bool CWnd::RedrawWindow(const Rect* client, UINT flags) {
    if (!m_hwnd)
        return false;
    if (flags & RDW_INVALIDATE)
        InvalidateRect(client, (flags & RDW_ERASE) != 0);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateWindow();
    return true;
}

CWnd* CWnd::SetCapture() {
    return WindowThread::Current().SetCapture(this);
}

CWnd* CWnd::SetFocus() {
    return WindowThread::Current().SetFocus(this);
}

CWnd* CWnd::SetActiveWindow() {
    CWnd* top = GetTopLevelParent();
    return WindowThread::Current().Activate(top, WA_ACTIVE, false);
}

bool CWnd::SetForegroundWindow() {
    if (!m_hwnd)
        return false;
    SetActiveWindow();
    return true;
}

bool CWnd::TrackMouseEvent(DWORD flags, DWORD hoverTimeMs) {
    return WindowThread::Current().Router().Track(*this, flags, hoverTimeMs);
}

NativeWindow* CWnd::GetNativeWindow() const {
    return m_surface ? &m_surface->Native() : nullptr;
}

void CWnd::OnDefaultActivate(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE)
        return;
    WindowThread& thread = WindowThread::Current();
    CWnd* focus = thread.Focus();
    if (focus != this && !IsChild(focus))
        thread.SetFocus(this);
}

void CWnd::Publish() const {
    if (m_surface && m_hwnd)
        WindowThread::Publish(*this);
}

void CWnd::StartCaptionDrag(Point screen) {
    if (!m_surface || m_iconic)
        return;
    if (m_surface->Native().BeginMoveDrag(screen, MouseButton::Left))
        return;
    WindowThread::Current().Router().BeginDrag(*this, screen);
}

} // namespace plat
