// The driver between the window layer and a window system. Everything the programs need
// from a display sits behind this interface and NativeWindow (native_window.h): the
// screen, top-level windows, input events, the pointer position and the clipboard. Two
// implementations exist: backend/x11 (Xlib, XShape, MIT-SHM) and backend/headless (an
// in-memory screen that tests drive). Nothing above backend/ includes a window system's
// headers; the window layer talks only to these two classes.
//
// Threads. Each thread that creates windows talks to the system on its own: a backend
// keeps whatever per-thread connection it needs. FetchEvents returns the events of the
// calling thread's windows only. When events arrive for a thread that may be blocked in
// GetMessage, the backend wakes it with WakeThread (core/message_queue.h); the window
// layer's queue hook then calls FetchEvents on that thread.
//
// Choosing. CurrentWindowSystem() opens the X11 backend when a display can be opened and
// KAVOX_PLATFORM is not "headless", otherwise the headless one. Tests install their own
// with InstallWindowSystem.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/backend/native_window.h"
#include "platform/backend/tray_host.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

struct ScreenInfo {
    Rect bounds;   // the whole screen
    Rect workArea; // without panels and docks
    int dpi{96};
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // "x11" or "headless".
    virtual std::string Name() const = 0;
    virtual ScreenInfo Screen() const = 0;

    // Null when the system refuses the window.
    virtual std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowParams& params) = 0;

    // Appends the pending events of the calling thread's windows, oldest first. Never blocks.
    virtual void FetchEvents(std::vector<NativeEvent>& out) = 0;

    virtual Point CursorPos() const = 0;
    // Whether a key (virtual-key code) or mouse button is down right now, for
    // GetAsyncKeyState.
    virtual bool IsKeyDown(std::uint16_t virtualKey) const = 0;

    virtual void SetClipboardText(const std::u16string& text) = 0;
    virtual std::u16string ClipboardText() = 0;

    // The desktop's notification area, for the whole process.
    virtual TrayHost& Tray() = 0;

    // Milliseconds within which a second click counts as a double click.
    virtual unsigned DoubleClickTime() const { return 500; }
};

// The window system of the process, opened on first use.
WindowSystem& CurrentWindowSystem();

// Replaces the process's window system (tests); returns the previous one. Windows of the
// old system must be gone.
std::unique_ptr<WindowSystem> InstallWindowSystem(std::unique_ptr<WindowSystem> system);

// Opens the X11 backend, or null with a reason when no display can be opened or the
// backend is not built.
std::unique_ptr<WindowSystem> OpenX11WindowSystem(std::string* whyNot);

} // namespace plat
