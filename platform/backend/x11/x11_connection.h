// One thread's connection to the X server. Xlib is used by the owning thread only; a
// watcher thread polls the connection's socket and, when the server has sent something,
// wakes the owner's message loop (WakeThread), which then drains the connection through
// FetchEvents. The watcher sleeps again only after the owner has drained, so one burst of
// events costs one wake. Xlib can also read events into its queue during any round trip
// of the owner; every round trip therefore ends with WakeIfQueued.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/backend/x11/x11_atoms.h"
#include "platform/core/messages.h"

#include "platform/backend/x11/x11_xlib.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace plat::x11 {

class X11Clipboard;
class X11NativeWindow;

class X11Connection {
public:
    // Null with a reason when the display does not open or cannot show our pixels.
    static std::unique_ptr<X11Connection> Open(const std::string& displayName, std::string* whyNot);
    ~X11Connection();

    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return m_display; }
    Window Root() const { return m_root; }
    Visual* visual() const { return m_visual; }
    int Depth() const { return m_depth; }
    const X11Atoms& atoms() const { return m_atoms; }
    bool HasShm() const { return m_hasShm; }
    bool HasShape() const { return m_hasShape; }
    DWORD Thread() const { return m_thread; }
    X11Clipboard& Clipboard() { return *m_clipboard; }

    void Register(Window window, X11NativeWindow* native);
    void Unregister(Window window);
    X11NativeWindow* Find(Window window) const;

    // Drains the connection into native events of this connection's windows.
    void Fetch(std::vector<NativeEvent>& out);
    // After a round trip: wakes the owner's loop when events wait in Xlib's queue.
    void WakeIfQueued();
    // Flushes requests and reports the first X error they caused (0 when none).
    int SyncForError();

    // Whether a window manager runs and announces `feature` in _NET_SUPPORTED.
    bool WindowManagerSupports(Atom feature);
    // The server time of the last event with one, for requests that want a timestamp.
    Time LastEventTime() const { return m_lastTime; }
    void NoteEventTime(Time time);

    // Pointer and key state the translation of events needs.
    std::set<unsigned>& KeysDown() { return m_keysDown; }
    unsigned& ExtraButtons() { return m_extraButtons; }

    Cursor CursorFor(unsigned fontShape);

private:
    X11Connection(Display* display, DWORD thread);
    bool Initialise(std::string* whyNot);
    void StartWatcher();
    void StopWatcher();
    void Watch();
    void Arm();

    Display* m_display;
    DWORD m_thread;
    Window m_root{};
    Visual* m_visual{nullptr};
    int m_depth{0};
    X11Atoms m_atoms;
    bool m_hasShm{false};
    bool m_hasShape{false};
    Time m_lastTime{CurrentTime};
    std::map<Window, X11NativeWindow*> m_windows;
    std::set<unsigned> m_keysDown;
    unsigned m_extraButtons{0};
    std::map<unsigned, Cursor> m_cursors;
    std::unique_ptr<X11Clipboard> m_clipboard;

    // The watcher.
    std::mutex m_watchMutex;
    std::condition_variable m_watchCv;
    bool m_armed{true};
    bool m_stop{false};
    int m_stopFd{-1};
    std::thread m_watcher;
};

} // namespace plat::x11
