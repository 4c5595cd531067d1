// The X11 window system: one connection per thread that uses it, opened on the thread's
// first call and closed when the thread ends (or with the system). Everything a thread
// asks goes through its own connection, as Xlib wants one user per connection.
#pragma once

#include "platform/backend/window_system.h"

#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace plat::x11 {

class X11Connection;
class X11RawInput;

class X11WindowSystem final : public WindowSystem {
public:
    // Null with a reason when `displayName` (empty: $DISPLAY) does not open as we need it.
    static std::unique_ptr<X11WindowSystem> Open(const std::string& displayName, std::string* whyNot);
    ~X11WindowSystem() override;

    std::string Name() const override { return "x11"; }
    ScreenInfo Screen() const override;
    std::unique_ptr<NativeWindow> CreateWindow(const NativeWindowParams& params) override;
    void FetchEvents(std::vector<NativeEvent>& out) override;
    Point CursorPos() const override;
    bool IsKeyDown(std::uint16_t virtualKey) const override;
    void SetClipboardText(const std::u16string& text) override;
    std::u16string ClipboardText() override;
    // Opened on first use, on a connection and thread of its own.
    TrayHost& Tray() override;

    // The calling thread's connection, opened on first use; null when it does not open.
    X11Connection* ThisThreadConnection() const;
    // Closes the connection of the thread that is ending.
    void CloseThreadConnection(std::thread::id thread);

private:
    explicit X11WindowSystem(std::string displayName);

    std::string m_displayName;
    mutable std::mutex m_mutex;
    mutable std::map<std::thread::id, std::unique_ptr<X11Connection>> m_connections;
    std::unique_ptr<TrayHost> m_tray;
    bool m_desktopInstalled{false};
    std::unique_ptr<X11RawInput> m_rawInput;
};

} // namespace plat::x11
