// kavox-platform-demo: opens the demo window on the display (or the headless screen).
//   --screenshot FILE  paint on the headless screen, save the window as PNG and exit
//   --exit-after MS    quit after that many milliseconds (for scripted runs)
//   --at X,Y           place the window's top-left corner
#include "platform/backend/headless/headless_window_system.h"
#include "platform/core/message_queue.h"
#include "platform/core/timers.h"
#include "platform/demo/demo_window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string screenshot;
    unsigned exitAfterMs{0};
    plat::Point at{200, 150};
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--screenshot" && hasValue)
            options.screenshot = argv[++i];
        else if (arg == "--exit-after" && hasValue)
            options.exitAfterMs = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--at" && hasValue &&
                 std::sscanf(argv[++i], "%d,%d", &options.at.x, &options.at.y) == 2)
            continue;
        else
            return false;
    }
    return true;
}

// Closes the window system while the rest of the platform is still there.
struct WindowSystemEnd {
    ~WindowSystemEnd() { plat::InstallWindowSystem(nullptr); }
};

void PumpUntilIdle() {
    plat::MSG msg;
    while (plat::PeekMessage(&msg, nullptr, 0, 0, plat::PM_REMOVE))
        plat::PumpMessage(msg);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s [--screenshot FILE] [--exit-after MS] [--at X,Y]\n", argv[0]);
        return 2;
    }
    const WindowSystemEnd end;
    plat::HeadlessWindowSystem* headless = nullptr;
    if (!options.screenshot.empty()) {
        auto system = std::make_unique<plat::HeadlessWindowSystem>();
        headless = system.get();
        plat::InstallWindowSystem(std::move(system));
    }
    plat::demo::DemoWindow window;
    if (!window.Open(options.at)) {
        std::fprintf(stderr, "cannot open the demo window\n");
        return 1;
    }
    if (headless) {
        PumpUntilIdle();
        const bool saved = headless->SaveWindowScreenshot(*window.GetNativeWindow(), options.screenshot);
        window.DestroyWindow();
        return saved ? 0 : 1;
    }
    if (options.exitAfterMs)
        plat::SetTimer(nullptr, 0, options.exitAfterMs); // the thread timer ends the loop below
    plat::MSG msg;
    while (plat::GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.hwnd == nullptr && msg.message == plat::WM_TIMER)
            break;
        plat::PumpMessage(msg);
    }
    return 0;
}
