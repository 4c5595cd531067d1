// What the x11 tests share: a fixture with a private Xvfb, the X11 window system on it
// and a second, plain Xlib connection to look at the server from outside; and a collector
// of native events whose waits sleep until the connection's watcher wakes the thread.
#pragma once

// GoogleTest first: Xlib's macros (None, Bool, Status) would rewrite its names.
#include <gtest/gtest.h>

#include "platform/backend/x11/x11_window_system.h"
#include "platform/backend/x11/x11_xlib.h"
#include "platform/core/message_queue.h"
#include "platform/gfx/bitmap.h"
#include "tests/platform/x11/xvfb_server.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat::testing {

using namespace std::chrono_literals;

// Runs the thread's loop until `done` or `limit`; a thread timer ticks so that paints,
// which come without a message of their own, are looked at too.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s);
// Lets every paint and present of the moment happen.
void Settle();

class EventCollector final : public QueueHooks {
public:
    explicit EventCollector(WindowSystem& system);
    ~EventCollector() override;

    void FetchEvents() override;
    // Runs the thread's message loop until `done(events)` holds or `limit` passes. No
    // timer ticks in between: only the X connection's watcher (or the time-out) wakes it.
    bool WaitFor(const std::function<bool(const std::vector<NativeEvent>&)>& done,
                 std::chrono::milliseconds limit = 5s);
    bool WaitForKind(NativeEventKind kind, std::chrono::milliseconds limit = 5s);

    std::vector<NativeEvent> events;

private:
    WindowSystem& m_system;
};

class X11Fixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The fixture's window system, also while it is lent.
    x11::X11WindowSystem& System() { return *m_x11; }
    Display* Probe() const { return m_probe; }
    const std::string& DisplayName() const { return m_server->Display(); }
    // xdotool with the test's display; false when it fails or is not installed.
    bool Xdotool(const std::vector<std::string>& args);

    // Looking from outside.
    // 32-bit items, as the server holds them.
    std::vector<unsigned long> Property32(Window window, const char* name, Atom type);
    std::string PropertyText(Window window, const char* name);
    std::vector<Rect> ShapeRects(Window window, int kind);
    // What the screen shows in `area` (root coordinates), opaque BGRA.
    Bitmap ScreenPixels(const Rect& area);
    // Both connections' requests handled, ours first.
    void SyncProbe();
    // Waits until the server has handled every request of the test thread's connection.
    void SyncOurs();

    // Makes the fixture's window system the process's current one, so that windows created
    // by the code under test land on this server; TearDown takes it back.
    void LendSystem();

    std::unique_ptr<XvfbServer> m_server;
    std::unique_ptr<x11::X11WindowSystem> m_system;
    x11::X11WindowSystem* m_x11{nullptr};
    Display* m_probe{nullptr};

private:
    std::unique_ptr<WindowSystem> m_previous;
    bool m_lent{false};
};

} // namespace plat::testing
