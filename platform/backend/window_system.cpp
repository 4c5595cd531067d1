// Choice of the process's window system: X11 when a display opens and nothing asks for
// headless operation, the in-memory screen otherwise.
#include "platform/backend/window_system.h"

#include "platform/backend/headless/headless_window_system.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace plat {

namespace {

std::mutex g_mutex;
std::unique_ptr<WindowSystem> g_system;

std::unique_ptr<WindowSystem> OpenDefault() {
    const char* wanted = std::getenv("KAVOX_PLATFORM");
    if (!wanted || std::strcmp(wanted, "headless") != 0) {
        std::string whyNot;
        if (auto x11 = OpenX11WindowSystem(&whyNot))
            return x11;
    }
    return std::make_unique<HeadlessWindowSystem>();
}

} // namespace

WindowSystem& CurrentWindowSystem() {
    std::lock_guard lock(g_mutex);
    if (!g_system)
        g_system = OpenDefault();
    return *g_system;
}

std::unique_ptr<WindowSystem> InstallWindowSystem(std::unique_ptr<WindowSystem> system) {
    std::lock_guard lock(g_mutex);
    std::swap(g_system, system);
    return system;
}

} // namespace plat
