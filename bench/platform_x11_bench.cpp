// Cost of one frame on the screen: an 800x600 back buffer presented whole, and a small
// damaged area (a button's repaint), on a private Xvfb.
#include "platform/backend/x11/x11_connection.h"
#include "platform/backend/x11/x11_native_window.h"
#include "platform/backend/x11/x11_window_system.h"
#include "tests/platform/x11/xvfb_server.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace plat;

struct Screen {
    std::unique_ptr<testing::XvfbServer> server;
    std::unique_ptr<x11::X11WindowSystem> system;
    std::unique_ptr<NativeWindow> window;
    std::string whyNot;

    explicit Screen(bool shm) {
        if (!testing::XvfbServer::Installed()) {
            whyNot = "Xvfb is not installed";
            return;
        }
        server = std::make_unique<testing::XvfbServer>();
        if (!server->Running()) {
            whyNot = "Xvfb did not start";
            return;
        }
        if (shm)
            unsetenv("KAVOX_X11_SHM");
        else
            setenv("KAVOX_X11_SHM", "0", 1);
        system = x11::X11WindowSystem::Open(server->Display(), &whyNot);
        unsetenv("KAVOX_X11_SHM");
        if (!system)
            return;
        NativeWindowParams params;
        params.kind = NativeWindowKind::Popup;
        params.bounds = Rect::FromSize(100, 100, 800, 600);
        window = system->CreateWindow(params);
        window->Show(false);
        system->ThisThreadConnection()->SyncForError();
    }
};

void Present(benchmark::State& state, bool shm, Rect damage) {
    Screen screen(shm);
    if (!screen.window) {
        state.SkipWithError(screen.whyNot.c_str());
        return;
    }
    Bitmap frame(800, 600, 0xFF336699);
    const plat::Region damaged(damage);
    std::uint32_t tone = 0;
    for (auto _ : state) {
        frame.SetPixelAt(damage.left, damage.top, 0xFF000000u | ++tone);
        screen.window->Present(frame, damaged);
    }
    // The plain path only queues requests; what counts is that the server has them all.
    screen.system->ThisThreadConnection()->SyncForError();
    state.SetLabel(static_cast<x11::X11NativeWindow&>(*screen.window).UsesShm() ? "shared memory" : "plain");
}

void BM_PresentFullFrameShm(benchmark::State& state) {
    Present(state, true, Rect{0, 0, 800, 600});
}
void BM_PresentFullFramePlain(benchmark::State& state) {
    Present(state, false, Rect{0, 0, 800, 600});
}
void BM_PresentButtonShm(benchmark::State& state) {
    Present(state, true, Rect::FromSize(300, 280, 120, 40));
}
void BM_PresentButtonPlain(benchmark::State& state) {
    Present(state, false, Rect::FromSize(300, 280, 120, 40));
}

BENCHMARK(BM_PresentFullFrameShm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentFullFramePlain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentButtonShm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentButtonPlain)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
