// Per-thread window state and the queue hooks that feed input and paints into the loop.
#include "platform/window/window_thread.h"

#include "platform/backend/window_system.h"
#include "platform/core/clock.h"
#include "platform/core/handle_table.h"
#include "platform/core/registered_message.h"
#include "platform/window/top_level_surface.h"
#include "platform/window/wnd.h"

#include <algorithm>
#include <mutex>

namespace plat {

namespace {

thread_local std::unique_ptr<WindowThread> t_state;

std::mutex g_processMutex;
std::vector<HWND> g_processStack;
HWND g_foreground = nullptr;

void ProcessRaise(HWND hwnd, bool add) {
    std::lock_guard lock(g_processMutex);
    std::erase(g_processStack, hwnd);
    if (add)
        g_processStack.push_back(hwnd);
    if (!add && g_foreground == hwnd)
        g_foreground = nullptr;
}

// Queued messages that come from input; while one waits, the next event is held back.
struct MessageRange {
    UINT first;
    UINT last;
};
constexpr MessageRange kInputRanges[] = {
    {WM_NCMOUSEMOVE, WM_NCLBUTTONDBLCLK},
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_MOUSEFIRST, WM_MOUSELAST},
    {WM_MOUSEHOVER, WM_MOUSELEAVE},
};

} // namespace

// The core's per-thread context must be made before this thread's state is first touched:
// thread-local objects end in the reverse order of their first use, and the state unhooks
// itself from the context when it ends.
WindowThread& WindowThread::Current() {
    GetCurrentThreadId();
    if (!t_state) {
        t_state = std::make_unique<WindowThread>();
        SetQueueHooks(t_state.get());
        SetWindowMessageFilter(t_state.get());
    }
    return *t_state;
}

WindowThread* WindowThread::CurrentIfAny() {
    GetCurrentThreadId();
    return t_state.get();
}

WindowThread::WindowThread() = default;

WindowThread::~WindowThread() {
    if (t_state.get() == this) {
        SetQueueHooks(nullptr);
        SetWindowMessageFilter(nullptr);
    }
}

UINT WindowThread::CallMessage() {
    static const UINT message = RegisterWindowMessage(u"kavox.window.call");
    return message;
}

bool WindowThread::InputWaiting() {
    MSG msg;
    return std::any_of(std::begin(kInputRanges), std::end(kInputRanges), [&](const MessageRange& r) {
        return PeekMessage(&msg, nullptr, r.first, r.last, PM_NOREMOVE) && msg.message >= r.first &&
               msg.message <= r.last;
    });
}

void WindowThread::FetchEvents() {
    if (m_fetching)
        return;
    m_fetching = true;
    std::vector<NativeEvent> events;
    CurrentWindowSystem().FetchEvents(events);
    m_pending.insert(m_pending.end(), events.begin(), events.end());
    while (!m_pending.empty() && !InputWaiting()) {
        const NativeEvent event = m_pending.front();
        m_pending.pop_front();
        m_router.Translate(event);
    }
    m_fetching = false;
}

bool WindowThread::NextPaint(HWND filter, MSG& out) {
    if (m_fetching || m_painting)
        return false;
    m_retired.clear();
    for (CWnd* top : m_topLevels) {
        if (!top->Surface() || !top->Surface()->HasDamage() || !top->IsWindowVisible())
            continue;
        if (filter && filter != top->GetSafeHwnd()) {
            CWnd* w = CWnd::FromHandle(filter);
            if (!w || w->GetTopLevelParent() != top)
                continue;
        }
        out = {top->GetSafeHwnd(), WM_PAINT, 0, 0, GetTickCount()};
        return true;
    }
    return false;
}

bool WindowThread::PreTranslateMessage(MSG& msg) {
    for (CWnd* w = CWnd::FromHandle(msg.hwnd); w; w = w->IsTopLevel() ? nullptr : w->GetParent()) {
        const HWND hwnd = w->GetSafeHwnd();
        if (w->PreTranslateMessage(msg))
            return true;
        if (!IsWindow(hwnd))
            return false;
    }
    return false;
}

void WindowThread::AddTopLevel(CWnd& window) {
    m_topLevels.push_back(&window);
    std::lock_guard lock(g_processMutex);
    g_processStack.push_back(window.GetSafeHwnd()); // new windows start at the bottom
    std::rotate(g_processStack.begin(), g_processStack.end() - 1, g_processStack.end());
}

void WindowThread::RemoveTopLevel(CWnd& window) {
    std::erase(m_topLevels, &window);
    ProcessRaise(window.GetSafeHwnd(), false);
}

std::vector<HWND> WindowThread::ProcessTopLevels() {
    std::lock_guard lock(g_processMutex);
    return g_processStack;
}

HWND WindowThread::Foreground() {
    std::lock_guard lock(g_processMutex);
    return g_foreground;
}

CWnd* WindowThread::TopLevelOf(const NativeWindow* native) const {
    for (CWnd* top : m_topLevels)
        if (top->GetNativeWindow() == native)
            return top;
    return nullptr;
}

void WindowThread::Raised(CWnd& window) {
    ProcessRaise(window.GetSafeHwnd(), true);
}

CWnd* WindowThread::SetCapture(CWnd* window) {
    CWnd* old = m_capture;
    if (old == window)
        return old;
    m_capture = window;
    if (old) {
        if (!window || window->GetTopLevelParent() != old->GetTopLevelParent())
            if (NativeWindow* native = old->GetTopLevelParent()->GetNativeWindow())
                native->GrabPointer(false);
        old->SendMessage(WM_CAPTURECHANGED, 0,
                         reinterpret_cast<LPARAM>(window ? window->GetSafeHwnd() : nullptr));
    }
    if (window && m_capture == window)
        if (NativeWindow* native = window->GetTopLevelParent()->GetNativeWindow())
            native->GrabPointer(true);
    return old;
}

CWnd* WindowThread::SetFocus(CWnd* window) {
    CWnd* old = m_focus;
    if (old == window)
        return old;
    if (window) {
        CWnd* top = window->GetTopLevelParent();
        if (m_active != top)
            Activate(top, WA_ACTIVE, false);
        if (m_focus == window)
            return old; // activation already focused it
    }
    const HWND oldHwnd = old ? old->GetSafeHwnd() : nullptr;
    const HWND newHwnd = window ? window->GetSafeHwnd() : nullptr;
    m_focus = window;
    if (old)
        old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newHwnd), 0);
    if (window && m_focus == window)
        window->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(oldHwnd), 0);
    return old;
}

CWnd* WindowThread::Activate(CWnd* topLevel, WPARAM how, bool fromSystem) {
    CWnd* old = m_active;
    if (old == topLevel)
        return old;
    m_active = topLevel;
    {
        std::lock_guard lock(g_processMutex);
        if (topLevel)
            g_foreground = topLevel->GetSafeHwnd();
        else if (old && g_foreground == old->GetSafeHwnd())
            g_foreground = nullptr;
    }
    const HWND oldHwnd = old ? old->GetSafeHwnd() : nullptr;
    const HWND newHwnd = topLevel ? topLevel->GetSafeHwnd() : nullptr;
    if (old) {
        old->SendMessage(WM_NCACTIVATE, 0, 0);
        old->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(newHwnd));
        if (m_focus && (m_focus == old || old->IsChild(m_focus)) && m_active != old) {
            CWnd* lost = m_focus;
            m_focus = nullptr;
            lost->SendMessage(WM_KILLFOCUS, 0, 0);
        }
    }
    if (topLevel && m_active == topLevel) {
        if (!fromSystem)
            if (NativeWindow* native = topLevel->GetNativeWindow()) {
                m_awaitedActivation = topLevel->GetSafeHwnd();
                native->Activate();
            }
        Raised(*topLevel);
        topLevel->SendMessage(WM_NCACTIVATE, 1, 0);
        topLevel->SendMessage(WM_ACTIVATE, how, reinterpret_cast<LPARAM>(oldHwnd));
    }
    return old;
}

void WindowThread::Forget(CWnd& window, bool destroyed) {
    const auto within = [&](CWnd* w) { return w && (w == &window || window.IsChild(w)); };
    if (within(m_capture)) {
        if (destroyed) {
            if (NativeWindow* native = m_capture->GetTopLevelParent()->GetNativeWindow())
                native->GrabPointer(false);
            m_capture = nullptr;
        } else {
            SetCapture(nullptr);
        }
    }
    if (within(m_focus)) {
        if (destroyed)
            m_focus = nullptr;
        else
            SetFocus(window.IsTopLevel() ? nullptr : window.GetParent());
    }
    if (m_active == &window) {
        CWnd* owner = window.GetParent();
        const bool ownerUsable = owner && owner->GetSafeHwnd() && owner->IsWindowVisible() && !destroyed;
        if (destroyed) {
            m_active = nullptr;
            if (owner && owner->GetSafeHwnd() && owner->IsWindowVisible())
                Activate(owner, WA_ACTIVE, false);
        } else {
            Activate(ownerUsable ? owner : nullptr, WA_ACTIVE, false);
        }
    }
    m_router.Forget(window);
}

void WindowThread::Retire(std::unique_ptr<TopLevelSurface> surface) {
    m_retired.push_back(std::move(surface));
}

short WindowThread::KeyState(int virtualKey) const {
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    const std::uint8_t k = m_keys[static_cast<size_t>(virtualKey)];
    return static_cast<short>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

void WindowThread::SetKeyDown(int virtualKey, bool down) {
    if (virtualKey < 0 || virtualKey > 255)
        return;
    std::uint8_t& k = m_keys[static_cast<size_t>(virtualKey)];
    if (down && !(k & 0x80))
        k ^= 1; // each press toggles, as Caps Lock does
    k = static_cast<std::uint8_t>(down ? (k | 0x80) : (k & ~0x80));
}

} // namespace plat
