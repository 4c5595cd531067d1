// What the programs ask of the desktop beyond their own windows: which process owns the
// active window, and finding another process's top-level window by its class to bring it
// forward (the first instance of a program, when a second one starts). A connection of
// its own, used under a lock, so any thread may ask.
#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace plat::x11 {

class X11Desktop {
public:
    // Null when the display does not open.
    static std::unique_ptr<X11Desktop> Open(const std::string& displayName);
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // The process id of the window _NET_ACTIVE_WINDOW names (_NET_WM_PID); 0 when unknown.
    int ActiveWindowProcess();

    // The top-level client window whose WM_CLASS (instance or class name, ignoring case) is
    // `windowClass`, preferring one of process `pid` when pid is not 0; 0 when none.
    unsigned long FindTopLevel(const std::string& windowClass, int pid);

    // Brings `window` forward: the last of its transient pop-ups when one is shown (the
    // user was busy there), restored when minimised, activated otherwise.
    bool Raise(unsigned long window);

    // Installs the foreground-process source and the instance activator that use this
    // desktop; Uninstall removes them.
    static void Install(std::shared_ptr<X11Desktop> desktop);
    static void Uninstall();

private:
    struct Impl;
    explicit X11Desktop(std::unique_ptr<Impl> impl);

    std::mutex m_mutex;
    std::unique_ptr<Impl> m_impl;
};

} // namespace plat::x11
