// A window system without a display: windows live in memory on a virtual 1920x1080
// screen at 96 DPI. It behaves like a simple window manager (stacking with a topmost
// layer, click-to-activate, pointer grabs, shapes and click-through honoured when finding
// the window under the pointer), and it is what tests drive: they move the pointer, press
// buttons and keys, read what any window presented, compose the screen and save it as PNG.
// Thread-safe: input may be injected from any thread; events reach each window's thread.
#pragma once

#include "platform/backend/headless/headless_tray_host.h"
#include "platform/backend/window_system.h"

#include <deque>
#include <map>
#include <mutex>
#include <set>

namespace plat {

class HeadlessNativeWindow;

class HeadlessWindowSystem final : public WindowSystem {
public:
    static constexpr int kScreenWidth = 1920;
    static constexpr int kScreenHeight = 1080;
    static constexpr std::uint32_t kDesktopPixel = 0xFF204060;

    HeadlessWindowSystem();
    ~HeadlessWindowSystem() override;

    std::string Name() const override { return "headless"; }
    ScreenInfo Screen() const override;
    std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowParams& params) override;
    void FetchEvents(std::vector<NativeEvent>& out) override;
    Point CursorPos() const override;
    bool IsKeyDown(std::uint16_t virtualKey) const override;
    void SetClipboardText(const std::u16string& text) override;
    std::u16string ClipboardText() override;
    TrayHost& Tray() override { return m_tray; }
    HeadlessTrayHost& TrayArea() { return m_tray; }

    // Input, as a user would give it. Pointer events go to the grabbing window, else to
    // the window that took the press of a held button, else to the topmost shown window
    // whose shape holds the point and that is not click-through.
    void MoveMouse(Point screen);
    void PressButton(MouseButton button);
    void ReleaseButton(MouseButton button);
    void Click(Point screen, MouseButton button = MouseButton::Left);
    // The same at a point of a window (window coordinates; for a point of a child window,
    // CWnd::ClientToScreen gives the screen point).
    void MoveMouse(const NativeWindow& window, Point windowPoint);
    void Click(const NativeWindow& window, Point windowPoint, MouseButton button = MouseButton::Left);
    void Wheel(int delta);
    // Key events go to the active window; the key state is kept for IsKeyDown.
    void PressKey(const NativeKey& key);
    void ReleaseKey(const NativeKey& key);
    void SetModifiers(unsigned modifiers);
    // What a window manager's close button does.
    void RequestClose(const NativeWindow& window);

    // What tests read back.
    struct WindowInfo {
        const NativeWindow* window;
        NativeWindowKind kind;
        std::u16string title;
        std::string className;
        Rect bounds;
        bool shown;
        bool topmost;
        std::uint8_t opacity;
        CursorShape cursor;
    };
    // Bottom to top.
    std::vector<WindowInfo> TopLevelWindows() const;
    // The topmost shown window that would take a click at the point, or null.
    const NativeWindow* WindowAt(Point screen) const;
    const NativeWindow* ActiveWindow() const;
    // What the window presented last (its size), without shape or opacity applied.
    Bitmap WindowPixels(const NativeWindow& window) const;
    // The screen as a user would see it: windows bottom to top, cut by their shapes and
    // blended by their opacity over the desktop.
    Bitmap ComposeScreen() const;
    bool SaveScreenshot(const std::string& path) const;
    bool SaveWindowScreenshot(const NativeWindow& window, const std::string& path) const;
    // Number of Present calls so far (all windows).
    int PresentCount() const;

private:
    friend class HeadlessNativeWindow;

    // All with m_mutex held.
    void Queue(HeadlessNativeWindow& window, NativeEvent event);
    HeadlessNativeWindow* PointerTarget();
    HeadlessNativeWindow* HitTest(Point screen) const;
    void UpdateHover();
    void SetFocus(HeadlessNativeWindow* window);
    void WakeOwners();
    unsigned ModifiersNow() const;
    void RaiseLocked(HeadlessNativeWindow& window);
    void Forget(HeadlessNativeWindow& window);

    mutable std::mutex m_mutex;
    std::vector<HeadlessNativeWindow*> m_stack; // bottom to top
    std::map<DWORD, std::deque<NativeEvent>> m_events;
    std::set<DWORD> m_toWake;
    Point m_pointer{kScreenWidth / 2, kScreenHeight / 2};
    unsigned m_buttons{0};
    unsigned m_modifiers{0};
    std::set<std::uint16_t> m_keysDown;
    HeadlessNativeWindow* m_focus{nullptr};
    HeadlessNativeWindow* m_grab{nullptr};
    HeadlessNativeWindow* m_pressTarget{nullptr};
    HeadlessNativeWindow* m_hover{nullptr};
    std::u16string m_clipboard;
    int m_presents{0};
    HeadlessTrayHost m_tray;
};

} // namespace plat
