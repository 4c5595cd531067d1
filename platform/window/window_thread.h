// The window layer's side of one thread: its top-level windows, the input state Windows
// keeps per thread (capture, keyboard focus, active window, key states), and the hooks
// through which the thread's message queue fetches input and produces paints.
//
// Input is translated lazily: events fetched from the window system wait here, and one is
// turned into messages only when no earlier input message is still queued, so that a
// capture taken or a focus moved while handling one message routes the next.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/core/message_queue.h"
#include "platform/window/input_router.h"

#include <array>
#include <deque>
#include <memory>
#include <vector>

namespace plat {

class CWnd;
class TopLevelSurface;

class WindowThread final : public QueueHooks, public MessageFilter {
public:
    // The calling thread's state, created (and hooked into its queue) on first use.
    static WindowThread& Current();
    // Null when the calling thread never used windows.
    static WindowThread* CurrentIfAny();

    WindowThread();
    ~WindowThread() override;

    void FetchEvents() override;
    bool NextPaint(HWND filter, MSG& out) override;
    bool PreTranslateMessage(MSG& msg) override;

    void AddTopLevel(CWnd& window);
    void RemoveTopLevel(CWnd& window);
    const std::vector<CWnd*>& TopLevels() const { return m_topLevels; }
    CWnd* TopLevelOf(const NativeWindow* native) const;
    void Raised(CWnd& window);

    CWnd* Capture() const { return m_capture; }
    CWnd* SetCapture(CWnd* window);
    CWnd* Focus() const { return m_focus; }
    CWnd* SetFocus(CWnd* window);
    CWnd* Active() const { return m_active; }
    // Makes a top-level window the active one (null: none), sending WM_ACTIVATE to the old
    // and the new one; `fromSystem` when the window system already did it.
    CWnd* Activate(CWnd* topLevel, WPARAM how, bool fromSystem);
    // Activation asked of the window system and not yet confirmed: focus events that were
    // already on their way when it was asked are stale and ignored until it arrives (or
    // until the user presses a button, should the system refuse it).
    HWND AwaitedActivation() const { return m_awaitedActivation; }
    void ClearAwaitedActivation() { m_awaitedActivation = nullptr; }

    // A window is going away or hiding: capture, focus, activation and tracking leave it.
    void Forget(CWnd& window, bool destroyed);

    InputRouter& Router() { return m_router; }

    // Keeps a destroyed top-level window's surface alive until its paint has unwound.
    void Retire(std::unique_ptr<TopLevelSurface> surface);

    // Top-level windows of every thread, bottom to top as they were raised, and the
    // window that was activated last in the process.
    static std::vector<HWND> ProcessTopLevels();
    static HWND Foreground();

    // The message that carries a call over to a window's own thread (window_api.h).
    static UINT CallMessage();

    // GetKeyState: bit 15 down, bit 0 toggled.
    short KeyState(int virtualKey) const;
    void SetKeyDown(int virtualKey, bool down);

private:
    bool InputWaiting();

    std::vector<CWnd*> m_topLevels;
    CWnd* m_capture{nullptr};
    CWnd* m_focus{nullptr};
    CWnd* m_active{nullptr};
    HWND m_awaitedActivation{nullptr};
    InputRouter m_router{*this};
    std::deque<NativeEvent> m_pending;
    bool m_fetching{false};
    bool m_painting{false};
    std::array<std::uint8_t, 256> m_keys{};
    std::vector<std::unique_ptr<TopLevelSurface>> m_retired;
};

} // namespace plat
