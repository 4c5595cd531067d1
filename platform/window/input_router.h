// Turns window-system events into window messages: hit-testing through shapes and
// WM_NCHITTEST, capture, activation by click, double clicks, caption drags, hover and
// leave tracking, the wheel, and keyboard messages with their lParam bits.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/core/message_target.h"
#include "platform/core/messages.h"
#include "platform/window/window_defs.h"

#include <memory>
#include <optional>

namespace plat {

class CWnd;
class WindowThread;

class InputRouter {
public:
    explicit InputRouter(WindowThread& thread);
    ~InputRouter();

    void Translate(const NativeEvent& event);

    // The window under a top-level window's client point that takes the mouse, and the
    // answer of its WM_NCHITTEST (children answering HTTRANSPARENT are seen through).
    struct Hit {
        CWnd* window{nullptr};
        LRESULT code{HTNOWHERE};
    };
    Hit HitTest(CWnd& topLevel, Point screen);

    bool Track(CWnd& window, DWORD flags, DWORD hoverMs);
    DWORD TrackedFlags(const CWnd& window) const;
    void Forget(CWnd& window);
    // Caption drag by following the pointer (when the window system leaves it to us).
    void BeginDrag(CWnd& topLevel, Point screen);
    bool Dragging() const { return m_drag.has_value(); }
    void OnHoverTimer();

private:
    void OnPointer(const NativeEvent& event, CWnd& topLevel);
    void OnButton(const NativeEvent& event, CWnd& topLevel);
    void OnWheel(const NativeEvent& event, CWnd& topLevel);
    void OnKey(const NativeEvent& event);
    void OnPointerLeave(CWnd& topLevel);
    void OnDrag(const NativeEvent& event);
    Hit Target(CWnd& topLevel, Point screen);
    void MouseEntered(CWnd* window, Point screen);
    WPARAM MouseKeys(unsigned modifiers) const;
    void PostMouse(CWnd& window, LRESULT hit, UINT clientMessage, WPARAM keys, Point screen);
    bool ActivateByClick(CWnd& window, LRESULT hit, UINT message);
    UINT ButtonMessage(MouseButton button, bool down, bool dbl) const;
    void RestartHover(Point screen);

    WindowThread& m_thread;
    HWND m_mouseWindow{nullptr}; // the window the last mouse message went to
    // Tracking asked with TrackMouseEvent, for the window under the mouse.
    HWND m_leaveTrack{nullptr};
    HWND m_hoverTrack{nullptr};
    DWORD m_hoverMs{400};
    Point m_hoverAnchor;
    HWND m_hoverTimerWindow{nullptr};
    std::unique_ptr<MessageTarget> m_hoverTarget;
    // Last press, for double clicks.
    struct Press {
        HWND window{nullptr};
        MouseButton button{MouseButton::Left};
        DWORD time{0};
        Point screen;
        bool wasDouble{false};
    };
    std::optional<Press> m_lastPress;
    struct Drag {
        HWND window{nullptr};
        Point grabOffset; // pointer minus the window's top-left corner
    };
    std::optional<Drag> m_drag;
};

} // namespace plat
