// Choice of the process's window system: X11 when a display opens and nothing asks for
// headless operation, the in-memory screen otherwise.
#include "platform/backend/window_system.h"

#include "platform/backend/headless/headless_window_system.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace plat {

namespace {

// Immortal: a system still installed when the process ends is left to the operating
// system, since destroying it during static destruction would reach into parts of the
// platform that are already gone. Programs that want an orderly end uninstall it first.
std::mutex& Mutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}
std::unique_ptr<WindowSystem>& Installed() {
    static auto* system = new std::unique_ptr<WindowSystem>;
    return *system;
}

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
    std::lock_guard lock(Mutex());
    std::unique_ptr<WindowSystem>& system = Installed();
    if (!system)
        system = OpenDefault();
    return *system;
}

std::unique_ptr<WindowSystem> InstallWindowSystem(std::unique_ptr<WindowSystem> system) {
    std::lock_guard lock(Mutex());
    std::swap(Installed(), system);
    return system;
}

} // namespace plat
