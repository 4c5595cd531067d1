// The window calls by handle, carried over to the owning thread when needed.
#include "platform/window/window_api.h"

#include "platform/backend/window_system.h"
#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/text/compare.h"
#include "platform/window/window_thread.h"
#include "platform/window/wnd.h"

namespace plat {

namespace {

// Runs `fn(window)` on the window's thread and returns its result, or `fallback`.
template <typename Result, typename Fn> Result OnWindow(HWND hwnd, Result fallback, Fn&& fn) {
    if (CWnd* window = CWnd::FromHandle(hwnd))
        return fn(*window);
    Result result = fallback;
    RunOnWindowThread(hwnd, [&] {
        if (CWnd* window = CWnd::FromHandle(hwnd))
            result = fn(*window);
    });
    return result;
}

HWND HandleOf(CWnd* window) {
    return window ? window->GetSafeHwnd() : nullptr;
}

} // namespace

bool RunOnWindowThread(HWND hwnd, const std::function<void()>& call) {
    if (!IsWindow(hwnd))
        return false;
    if (GetWindowThreadId(hwnd) == GetCurrentThreadId()) {
        call();
        return true;
    }
    LRESULT done = 0;
    return TrySendMessage(hwnd, WindowThread::CallMessage(), 0,
                          reinterpret_cast<LPARAM>(const_cast<std::function<void()>*>(&call)), &done) &&
           done != 0;
}

bool DestroyWindow(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.DestroyWindow(); });
}

bool ShowWindow(HWND hwnd, int command) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.ShowWindow(command); });
}

bool IsWindowVisible(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.IsWindowVisible(); });
}

bool EnableWindow(HWND hwnd, bool enable) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.EnableWindow(enable); });
}

bool IsWindowEnabled(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.IsWindowEnabled(); });
}

bool IsIconic(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.IsIconic(); });
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.SetWindowPos(insertAfter, x, y, cx, cy, flags); });
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
    return OnWindow(hwnd, false, [&](CWnd& w) {
        w.MoveWindow(x, y, width, height, repaint);
        return true;
    });
}

bool BringWindowToTop(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.BringWindowToTop(); });
}

bool GetWindowRect(HWND hwnd, Rect* rect) {
    return rect && OnWindow(hwnd, false, [&](CWnd& w) {
               *rect = w.GetWindowRect();
               return true;
           });
}

bool GetClientRect(HWND hwnd, Rect* rect) {
    return rect && OnWindow(hwnd, false, [&](CWnd& w) {
               *rect = w.GetClientRect();
               return true;
           });
}

bool ClientToScreen(HWND hwnd, Point* point) {
    return point && OnWindow(hwnd, false, [&](CWnd& w) {
               *point = w.ClientToScreen(*point);
               return true;
           });
}

bool ScreenToClient(HWND hwnd, Point* point) {
    return point && OnWindow(hwnd, false, [&](CWnd& w) {
               *point = w.ScreenToClient(*point);
               return true;
           });
}

HWND GetParent(HWND hwnd) {
    return OnWindow(hwnd, HWND{nullptr}, [](CWnd& w) { return HandleOf(w.GetParent()); });
}

HWND GetDlgItem(HWND hwnd, int id) {
    return OnWindow(hwnd, HWND{nullptr}, [&](CWnd& w) { return HandleOf(w.GetDlgItem(id)); });
}

int GetDlgCtrlID(HWND hwnd) {
    return OnWindow(hwnd, 0, [](CWnd& w) { return w.GetDlgCtrlID(); });
}

bool SetWindowText(HWND hwnd, std::u16string_view text) {
    return OnWindow(hwnd, false, [&](CWnd& w) {
        w.SetWindowText(text);
        return true;
    });
}

std::u16string GetWindowText(HWND hwnd) {
    return OnWindow(hwnd, std::u16string(), [](CWnd& w) { return w.GetWindowText(); });
}

bool SetWindowRgn(HWND hwnd, std::optional<Region> shape, bool redraw) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.SetWindowRgn(std::move(shape), redraw); });
}

bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, std::uint8_t alpha, DWORD flags) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.SetLayeredWindowAttributes(key, alpha, flags); });
}

DWORD GetWindowLongStyle(HWND hwnd) {
    return OnWindow(hwnd, DWORD{0}, [](CWnd& w) { return w.GetStyle(); });
}

DWORD GetWindowLongExStyle(HWND hwnd) {
    return OnWindow(hwnd, DWORD{0}, [](CWnd& w) { return w.GetExStyle(); });
}

bool InvalidateRect(HWND hwnd, const Rect* client, bool erase) {
    return OnWindow(hwnd, false, [&](CWnd& w) {
        w.InvalidateRect(client, erase);
        return true;
    });
}

bool UpdateWindow(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) {
        w.UpdateWindow();
        return true;
    });
}

bool RedrawWindow(HWND hwnd, const Rect* client, UINT flags) {
    return OnWindow(hwnd, false, [&](CWnd& w) { return w.RedrawWindow(client, flags); });
}

HWND SetCapture(HWND hwnd) {
    CWnd* window = CWnd::FromHandle(hwnd);
    return window ? HandleOf(window->SetCapture()) : nullptr;
}

HWND GetCapture() {
    WindowThread* thread = WindowThread::CurrentIfAny();
    return thread ? HandleOf(thread->Capture()) : nullptr;
}

bool ReleaseCapture() {
    if (WindowThread* thread = WindowThread::CurrentIfAny())
        thread->SetCapture(nullptr);
    return true;
}

HWND SetFocus(HWND hwnd) {
    if (!hwnd) {
        WindowThread* thread = WindowThread::CurrentIfAny();
        return thread ? HandleOf(thread->SetFocus(nullptr)) : nullptr;
    }
    CWnd* window = CWnd::FromHandle(hwnd);
    return window ? HandleOf(window->SetFocus()) : nullptr;
}

HWND GetFocus() {
    WindowThread* thread = WindowThread::CurrentIfAny();
    return thread ? HandleOf(thread->Focus()) : nullptr;
}

HWND SetActiveWindow(HWND hwnd) {
    CWnd* window = CWnd::FromHandle(hwnd);
    return window ? HandleOf(window->SetActiveWindow()) : nullptr;
}

HWND GetActiveWindow() {
    WindowThread* thread = WindowThread::CurrentIfAny();
    return thread ? HandleOf(thread->Active()) : nullptr;
}

bool SetForegroundWindow(HWND hwnd) {
    return OnWindow(hwnd, false, [](CWnd& w) { return w.SetForegroundWindow(); });
}

HWND GetForegroundWindow() {
    return WindowThread::Foreground();
}

bool TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (!track)
        return false;
    if (track->dwFlags & TME_QUERY) {
        WindowThread* thread = WindowThread::CurrentIfAny();
        CWnd* window = CWnd::FromHandle(track->hwndTrack);
        track->dwFlags = (thread && window) ? thread->Router().TrackedFlags(*window) : 0;
        return true;
    }
    CWnd* window = CWnd::FromHandle(track->hwndTrack);
    return window && window->TrackMouseEvent(track->dwFlags, track->dwHoverTime);
}

HWND WindowFromPoint(Point screen) {
    const auto tops = WindowThread::ProcessTopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        const HWND found = OnWindow(*it, HWND{nullptr}, [&](CWnd& top) -> HWND {
            if (!top.IsWindowVisible() || !top.GetWindowRect().Contains(screen))
                return nullptr;
            const Point client = top.ScreenToClient(screen);
            if (top.GetWindowRgn() && !top.GetWindowRgn()->Contains(client))
                return nullptr;
            if ((top.GetExStyle() & WS_EX_LAYERED) && (top.GetExStyle() & WS_EX_TRANSPARENT))
                return nullptr;
            return top.ChildWindowFromPoint(client)->GetSafeHwnd();
        });
        if (found)
            return found;
    }
    return nullptr;
}

HWND FindWindow(std::u16string_view className, std::u16string_view title) {
    const auto tops = WindowThread::ProcessTopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        const bool match = OnWindow(*it, false, [&](CWnd& top) {
            const bool classOk = className.empty() || EqualsNoCase(top.GetClassName(), className);
            return classOk && (title.empty() || top.GetWindowText() == title);
        });
        if (match)
            return *it;
    }
    return nullptr;
}

HWND GetLastActivePopup(HWND hwnd) {
    return OnWindow(hwnd, HWND{nullptr}, [](CWnd& w) {
        WindowThread& thread = WindowThread::Current();
        CWnd* active = thread.Active();
        for (CWnd* owner = active; owner; owner = owner->GetParent())
            if (owner == &w)
                return HandleOf(active);
        return w.GetSafeHwnd();
    });
}

bool GetCursorPos(Point* point) {
    if (!point)
        return false;
    *point = CurrentWindowSystem().CursorPos();
    return true;
}

short GetKeyState(int virtualKey) {
    return WindowThread::Current().KeyState(virtualKey);
}

short GetAsyncKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 0xFFFF)
        return 0;
    return CurrentWindowSystem().IsKeyDown(static_cast<std::uint16_t>(virtualKey))
               ? static_cast<short>(0x8000)
               : 0;
}

int GetSystemMetrics(int index) {
    const ScreenInfo screen = CurrentWindowSystem().Screen();
    switch (index) {
    case SM_CXSCREEN:
        return screen.bounds.Width();
    case SM_CYSCREEN:
        return screen.bounds.Height();
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    default:
        return 0;
    }
}

int GetScreenDpi() {
    return CurrentWindowSystem().Screen().dpi;
}

} // namespace plat
