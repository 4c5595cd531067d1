// How long a sender waits for a window on another thread to handle a message and answer:
// the cost the transfer worker pays for each progress report.
#include "platform/core/event.h"
#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/core/thread.h"

#include <benchmark/benchmark.h>

#include <atomic>

namespace {

using namespace plat;

void CrossThreadSendRoundTrip(benchmark::State& state) {
    CEvent ready(false, true);
    std::atomic<HWND> window = nullptr;
    Thread receiver;
    receiver.Start([&] {
        FunctionTarget target([](UINT, WPARAM w, LPARAM) -> LRESULT { return static_cast<LRESULT>(w) + 1; });
        window = CreateWindowHandle(&target);
        ready.SetEvent();
        return RunMessageLoop();
    });
    ready.Lock();
    WPARAM i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendMessage(window, WM_USER + 30, ++i, 0));
    }
    PostThreadMessage(receiver.ThreadId(), WM_QUIT, 0, 0);
    receiver.WaitUntil(std::nullopt);
}
BENCHMARK(CrossThreadSendRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond);

void SameThreadSend(benchmark::State& state) {
    FunctionTarget target([](UINT, WPARAM w, LPARAM) -> LRESULT { return static_cast<LRESULT>(w); });
    const HWND window = CreateWindowHandle(&target);
    WPARAM i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SendMessage(window, WM_USER, ++i, 0));
    }
    DestroyWindowHandle(window);
}
BENCHMARK(SameThreadSend)->Unit(benchmark::kNanosecond);

void PostAndRetrieve(benchmark::State& state) {
    FunctionTarget target([](UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    const HWND window = CreateWindowHandle(&target);
    MSG msg;
    for (auto _ : state) {
        PostMessage(window, WM_USER, 0, 0);
        PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        DispatchMessage(&msg);
    }
    DestroyWindowHandle(window);
}
BENCHMARK(PostAndRetrieve)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
