// Raw keyboard and mouse input from the X server: XInput2 raw events selected on the root
// window, so key and button transitions arrive whichever window has the focus. A
// connection and thread of its own listen only while some window wants raw input (the
// source hook of platform/os/raw_input.h says when) and hand every transition to the
// raw input store.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace plat::x11 {

class X11RawInput {
public:
    // Null when the display does not open or has no XInput 2.0.
    static std::unique_ptr<X11RawInput> Open(const std::string& displayName);
    ~X11RawInput();

    X11RawInput(const X11RawInput&) = delete;
    X11RawInput& operator=(const X11RawInput&) = delete;

private:
    struct Impl;
    explicit X11RawInput(std::unique_ptr<Impl> impl);

    void Run();
    void Want(bool keyboard, bool mouse);

    std::unique_ptr<Impl> m_impl;
    std::thread m_thread;
};

} // namespace plat::x11
