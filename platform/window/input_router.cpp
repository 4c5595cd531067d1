// Translation of window-system events into window messages, one small function per kind.
#include "platform/window/input_router.h"

#include "platform/backend/window_system.h"
#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/core/timers.h"
#include "platform/window/key_message.h"
#include "platform/window/window_thread.h"
#include "platform/window/wnd.h"

#include <cstdlib>

namespace plat {

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr int kDoubleClickBox = 4; // pixels each way (SM_CXDOUBLECLK)
constexpr int kHoverBox = 4;

LPARAM PointParam(Point p) {
    return MAKELPARAM(static_cast<std::uint16_t>(p.x), static_cast<std::uint16_t>(p.y));
}

std::uint16_t ButtonVirtualKey(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return VK_LBUTTON;
    case MouseButton::Right:
        return VK_RBUTTON;
    case MouseButton::Middle:
        return VK_MBUTTON;
    case MouseButton::X1:
        return VK_XBUTTON1;
    case MouseButton::X2:
        return VK_XBUTTON2;
    }
    return 0;
}

// The generic virtual key of a left- or right-hand modifier.
int GenericKey(int vk) {
    switch (vk) {
    case 0xA0:
    case 0xA1:
        return keys::kShift;
    case 0xA2:
    case 0xA3:
        return keys::kControl;
    case 0xA4:
    case 0xA5:
        return keys::kAlt;
    default:
        return vk;
    }
}

// An internal window that receives the hover timer.
class HoverTimerTarget final : public MessageTarget {
public:
    explicit HoverTimerTarget(InputRouter& router) : m_router(router) {}
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override {
        if (message == WM_TIMER)
            m_router.OnHoverTimer();
        return 0;
    }

private:
    InputRouter& m_router;
};

} // namespace

InputRouter::InputRouter(WindowThread& thread) : m_thread(thread) {}

InputRouter::~InputRouter() {
    if (m_hoverTimerWindow)
        DestroyWindowHandle(m_hoverTimerWindow);
}

void InputRouter::Translate(const NativeEvent& event) {
    if (event.kind == NativeEventKind::KeyPress || event.kind == NativeEventKind::KeyRelease) {
        OnKey(event);
        return;
    }
    CWnd* top = m_thread.TopLevelOf(event.window);
    if (!top)
        return;
    if (m_drag &&
        (event.kind == NativeEventKind::PointerMove || event.kind == NativeEventKind::ButtonRelease)) {
        OnDrag(event);
        return;
    }
    switch (event.kind) {
    case NativeEventKind::PointerMove:
        OnPointer(event, *top);
        break;
    case NativeEventKind::ButtonPress:
        m_thread.ClearAwaitedActivation();
        OnButton(event, *top);
        break;
    case NativeEventKind::ButtonRelease:
        OnButton(event, *top);
        break;
    case NativeEventKind::Wheel:
        OnWheel(event, *top);
        break;
    case NativeEventKind::PointerLeave:
        OnPointerLeave(*top);
        break;
    case NativeEventKind::FocusIn:
        if (HWND awaited = m_thread.AwaitedActivation()) {
            if (awaited != top->GetSafeHwnd())
                break;
            m_thread.ClearAwaitedActivation();
        }
        if (top->IsWindowEnabled())
            m_thread.Activate(top, WA_ACTIVE, true);
        break;
    case NativeEventKind::FocusOut:
        if (!m_thread.AwaitedActivation() && m_thread.Active() == top)
            m_thread.Activate(nullptr, WA_INACTIVE, true);
        break;
    case NativeEventKind::Configured:
        top->ApplyBounds(event.bounds, true, true);
        break;
    case NativeEventKind::CloseRequest:
        top->PostMessage(WM_CLOSE);
        break;
    case NativeEventKind::Exposed:
        top->InvalidateRect(&event.bounds, true);
        break;
    case NativeEventKind::GrabBroken:
        if (m_thread.Capture() && m_thread.Capture()->GetTopLevelParent() == top)
            m_thread.SetCapture(nullptr);
        m_drag.reset();
        break;
    default:
        break;
    }
}

InputRouter::Hit InputRouter::HitTest(CWnd& topLevel, Point screen) {
    if (!topLevel.IsWindowVisible() || !topLevel.IsWindowEnabled())
        return {};
    // Candidates from the deepest child under the point up to the top-level window; a
    // window answering HTTRANSPARENT passes the point to the next one.
    struct Walk {
        static Hit Find(CWnd& w, Point client, Point screenPoint) {
            if (!w.IsVisibleFlag() ||
                !w.RectInParent().Offset(-w.RectInParent().left, -w.RectInParent().top).Contains(client))
                return {};
            if (w.GetWindowRgn() && !w.GetWindowRgn()->Contains(client))
                return {};
            const auto& children = w.Children();
            for (auto it = children.rbegin(); it != children.rend(); ++it) {
                CWnd* child = *it;
                if (!child->IsWindowEnabled())
                    continue;
                const Point inner{client.x - child->RectInParent().left,
                                  client.y - child->RectInParent().top};
                if (Hit hit = Find(*child, inner, screenPoint); hit.window)
                    return hit;
            }
            const LRESULT code = w.SendMessage(WM_NCHITTEST, 0, PointParam(screenPoint));
            if (code == HTTRANSPARENT || code == HTNOWHERE)
                return {};
            return {&w, code};
        }
    };
    return Walk::Find(topLevel, topLevel.ScreenToClient(screen), screen);
}

InputRouter::Hit InputRouter::Target(CWnd& topLevel, Point screen) {
    if (CWnd* capture = m_thread.Capture())
        return {capture, HTCLIENT};
    return HitTest(topLevel, screen);
}

WPARAM InputRouter::MouseKeys(unsigned modifiers) const {
    WPARAM keys = 0;
    constexpr std::pair<unsigned, WPARAM> bits[] = {
        {kModLeftButton, MK_LBUTTON}, {kModRightButton, MK_RBUTTON}, {kModMiddleButton, MK_MBUTTON},
        {kModX1Button, MK_XBUTTON1},  {kModX2Button, MK_XBUTTON2},   {kModShift, MK_SHIFT},
        {kModControl, MK_CONTROL},
    };
    for (auto [mod, key] : bits)
        if (modifiers & mod)
            keys |= key;
    return keys;
}

void InputRouter::PostMouse(CWnd& window, LRESULT hit, UINT clientMessage, WPARAM keys, Point screen) {
    if (hit == HTCLIENT) {
        window.PostMessage(clientMessage, keys, PointParam(window.ScreenToClient(screen)));
        return;
    }
    // The non-client messages mirror the client ones, 0x161 lower, and carry the hit code.
    window.PostMessage(clientMessage - (WM_MOUSEMOVE - WM_NCMOUSEMOVE), static_cast<WPARAM>(hit),
                       PointParam(screen));
}

void InputRouter::MouseEntered(CWnd* window, Point screen) {
    const HWND hwnd = window ? window->GetSafeHwnd() : nullptr;
    if (hwnd == m_mouseWindow) {
        if (m_hoverTrack && hwnd == m_hoverTrack &&
            (std::abs(screen.x - m_hoverAnchor.x) > kHoverBox / 2 ||
             std::abs(screen.y - m_hoverAnchor.y) > kHoverBox / 2))
            RestartHover(screen);
        return;
    }
    if (m_leaveTrack && m_leaveTrack == m_mouseWindow) {
        PostMessage(m_leaveTrack, WM_MOUSELEAVE, 0, 0);
        m_leaveTrack = nullptr;
    }
    if (m_hoverTrack && m_hoverTrack == m_mouseWindow) {
        KillTimer(m_hoverTimerWindow, kHoverTimer);
        m_hoverTrack = nullptr;
    }
    m_mouseWindow = hwnd;
}

void InputRouter::OnPointer(const NativeEvent& event, CWnd& topLevel) {
    const Hit hit = Target(topLevel, event.screen);
    MouseEntered(hit.window, event.screen);
    if (!hit.window)
        return;
    const HWND hwnd = hit.window->GetSafeHwnd();
    if (!m_thread.Capture())
        hit.window->SendMessage(
            WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
            MAKELPARAM(static_cast<std::uint16_t>(hit.code), static_cast<std::uint16_t>(WM_MOUSEMOVE)));
    if (IsWindow(hwnd))
        PostMouse(*hit.window, hit.code, WM_MOUSEMOVE, MouseKeys(event.modifiers), event.screen);
}

void InputRouter::OnPointerLeave(CWnd& topLevel) {
    if (m_thread.Capture())
        return;
    CWnd* last = CWnd::FromHandle(m_mouseWindow);
    if (last && last->GetTopLevelParent() == &topLevel)
        MouseEntered(nullptr, {});
}

bool InputRouter::ActivateByClick(CWnd& window, LRESULT hit, UINT message) {
    CWnd* top = window.GetTopLevelParent();
    if (m_thread.Active() == top || (top->GetExStyle() & WS_EX_NOACTIVATE))
        return true;
    const LRESULT answer =
        window.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->GetSafeHwnd()),
                           MAKELPARAM(static_cast<std::uint16_t>(hit), static_cast<std::uint16_t>(message)));
    if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT)
        m_thread.Activate(top, WA_CLICKACTIVE, false);
    return answer == MA_ACTIVATE || answer == MA_NOACTIVATE;
}

UINT InputRouter::ButtonMessage(MouseButton button, bool down, bool dbl) const {
    struct Row {
        UINT down, up, dbl;
    };
    constexpr Row rows[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}, {WM_XBUTTONDOWN, WM_XBUTTONUP, WM_XBUTTONDBLCLK},
        {WM_XBUTTONDOWN, WM_XBUTTONUP, WM_XBUTTONDBLCLK},
    };
    const Row& row = rows[static_cast<int>(button)];
    return !down ? row.up : (dbl ? row.dbl : row.down);
}

void InputRouter::OnButton(const NativeEvent& event, CWnd& topLevel) {
    const bool down = event.kind == NativeEventKind::ButtonPress;
    m_thread.SetKeyDown(ButtonVirtualKey(event.button), down);
    const Hit hit = Target(topLevel, event.screen);
    MouseEntered(hit.window, event.screen);
    if (!hit.window)
        return;
    CWnd& window = *hit.window;
    bool dbl = false;
    if (down) {
        const HWND hwnd = window.GetSafeHwnd();
        if (!ActivateByClick(window, hit.code, ButtonMessage(event.button, true, false)))
            return;
        if (!IsWindow(hwnd))
            return;
        const DWORD limit = static_cast<DWORD>(CurrentWindowSystem().DoubleClickTime());
        dbl = m_lastPress && !m_lastPress->wasDouble && m_lastPress->window == hwnd &&
              m_lastPress->button == event.button && event.time - m_lastPress->time <= limit &&
              std::abs(event.screen.x - m_lastPress->screen.x) <= kDoubleClickBox / 2 &&
              std::abs(event.screen.y - m_lastPress->screen.y) <= kDoubleClickBox / 2 &&
              ((window.GetClassStyle() & CS_DBLCLKS) || hit.code != HTCLIENT);
        m_lastPress = Press{hwnd, event.button, event.time, event.screen, dbl};
    }
    WPARAM keys = MouseKeys(event.modifiers);
    if (event.button == MouseButton::X1 || event.button == MouseButton::X2)
        keys |= MAKEWPARAM(0, event.button == MouseButton::X1 ? 1 : 2);
    PostMouse(window, hit.code, ButtonMessage(event.button, down, dbl), keys, event.screen);
}

void InputRouter::OnWheel(const NativeEvent& event, CWnd& topLevel) {
    CWnd* target = m_thread.Capture();
    if (!target)
        target = HitTest(topLevel, event.screen).window;
    if (!target)
        target = m_thread.Focus();
    if (!target)
        return;
    const WPARAM keys = MouseKeys(event.modifiers);
    target->PostMessage(
        WM_MOUSEWHEEL,
        MAKEWPARAM(static_cast<std::uint16_t>(keys), static_cast<std::uint16_t>(event.wheelDelta)),
        PointParam(event.screen));
}

void InputRouter::OnKey(const NativeEvent& event) {
    const bool down = event.kind == NativeEventKind::KeyPress;
    const int vk = event.key.virtualKey;
    const bool wasDown = (m_thread.KeyState(vk) & 0x8000) != 0;
    m_thread.SetKeyDown(vk, down);
    if (GenericKey(vk) != vk)
        m_thread.SetKeyDown(GenericKey(vk), down);
    CWnd* target = m_thread.Focus() ? m_thread.Focus() : m_thread.Active();
    if (!target)
        return;
    KeyStroke stroke;
    stroke.scanCode = event.key.scanCode;
    stroke.extended = event.key.extended;
    stroke.virtualKey = static_cast<std::uint16_t>(vk);
    stroke.up = !down;
    stroke.wasDown = down ? (wasDown || event.key.autoRepeat) : true;
    stroke.altHeld = (m_thread.KeyState(keys::kAlt) & 0x8000) != 0;
    stroke.ctrlHeld = (m_thread.KeyState(keys::kControl) & 0x8000) != 0;
    const LPARAM lParam = KeyLParam(stroke);
    target->PostMessage(KeyMessageFor(stroke), static_cast<WPARAM>(vk), lParam);
    if (!down)
        return;
    const UINT charMessage = IsSystemKey(stroke) ? WM_SYSCHAR : WM_CHAR;
    for (char16_t c : event.key.text)
        target->PostMessage(charMessage, c, lParam);
}

void InputRouter::BeginDrag(CWnd& topLevel, Point screen) {
    const Rect r = topLevel.GetWindowRect();
    m_drag = Drag{topLevel.GetSafeHwnd(), {screen.x - r.left, screen.y - r.top}};
    if (NativeWindow* native = topLevel.GetNativeWindow())
        native->GrabPointer(true);
}

void InputRouter::OnDrag(const NativeEvent& event) {
    CWnd* window = CWnd::FromHandle(m_drag->window);
    if (window) {
        const Rect r = window->GetWindowRect();
        window->SetWindowPos(nullptr, event.screen.x - m_drag->grabOffset.x,
                             event.screen.y - m_drag->grabOffset.y, r.Width(), r.Height(),
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (event.kind == NativeEventKind::ButtonRelease && event.button == MouseButton::Left) {
        m_drag.reset();
        m_thread.SetKeyDown(VK_LBUTTON, false);
        if (window && window->GetNativeWindow() && m_thread.Capture() == nullptr)
            window->GetNativeWindow()->GrabPointer(false);
    }
}

bool InputRouter::Track(CWnd& window, DWORD flags, DWORD hoverMs) {
    const HWND hwnd = window.GetSafeHwnd();
    if (!hwnd)
        return false;
    if (flags & TME_CANCEL) {
        if ((flags & TME_LEAVE) && m_leaveTrack == hwnd)
            m_leaveTrack = nullptr;
        if ((flags & TME_HOVER) && m_hoverTrack == hwnd) {
            m_hoverTrack = nullptr;
            KillTimer(m_hoverTimerWindow, kHoverTimer);
        }
        return true;
    }
    if (flags & TME_LEAVE) {
        if (m_mouseWindow != hwnd) {
            // The mouse is not over the window: the leave is due at once.
            PostMessage(hwnd, WM_MOUSELEAVE, 0, 0);
        } else {
            m_leaveTrack = hwnd;
        }
    }
    if ((flags & TME_HOVER) && m_mouseWindow == hwnd) {
        m_hoverTrack = hwnd;
        m_hoverMs = hoverMs == HOVER_DEFAULT ? 400 : hoverMs;
        RestartHover(CurrentWindowSystem().CursorPos());
    }
    return true;
}

DWORD InputRouter::TrackedFlags(const CWnd& window) const {
    DWORD flags = 0;
    if (m_leaveTrack == window.GetSafeHwnd())
        flags |= TME_LEAVE;
    if (m_hoverTrack == window.GetSafeHwnd())
        flags |= TME_HOVER;
    return flags;
}

void InputRouter::RestartHover(Point screen) {
    if (!m_hoverTimerWindow) {
        m_hoverTarget = std::make_unique<HoverTimerTarget>(*this);
        m_hoverTimerWindow = CreateWindowHandle(m_hoverTarget.get());
    }
    m_hoverAnchor = screen;
    SetTimer(m_hoverTimerWindow, kHoverTimer, m_hoverMs);
}

void InputRouter::OnHoverTimer() {
    KillTimer(m_hoverTimerWindow, kHoverTimer);
    const HWND hwnd = m_hoverTrack;
    m_hoverTrack = nullptr;
    CWnd* window = CWnd::FromHandle(hwnd);
    if (!window || m_mouseWindow != hwnd)
        return;
    const WPARAM keys = (m_thread.KeyState(VK_LBUTTON) & 0x8000 ? MK_LBUTTON : 0) |
                        (m_thread.KeyState(VK_RBUTTON) & 0x8000 ? MK_RBUTTON : 0);
    window->PostMessage(WM_MOUSEHOVER, keys, PointParam(window->ScreenToClient(m_hoverAnchor)));
}

void InputRouter::Forget(CWnd& window) {
    const auto within = [&](HWND h) {
        CWnd* w = CWnd::FromHandle(h);
        return w && (w == &window || window.IsChild(w));
    };
    if (within(m_mouseWindow))
        m_mouseWindow = nullptr;
    if (within(m_leaveTrack))
        m_leaveTrack = nullptr;
    if (within(m_hoverTrack)) {
        m_hoverTrack = nullptr;
        KillTimer(m_hoverTimerWindow, kHoverTimer);
    }
    if (m_drag && within(m_drag->window))
        m_drag.reset();
}

} // namespace plat
