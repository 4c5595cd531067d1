// The transfers of the main window against the real service: a full read (mask 0x3B7D)
// and a full write (mask 0x2FFF) of a seven-profile configuration in which every profile
// changed. Reported per transfer: the time beyond the pauses a write must make (one name
// check per known profile and the pause after the write), and the number of calls the
// service received, counted by watching the bus.
#include "device/dbus/device_enumerator.h"
#include "device/mouse.h"
#include "model/corvantis_refresh_config.h"
#include "platform/text/format.h"
#include "platform/text/utf.h"
#include "tests/device/dbus/private_bus.h"

#include <benchmark/benchmark.h>
#include <sdbus-c++/sdbus-c++.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

namespace {

constexpr int kProfiles = 7;
constexpr double kPauseMs = 500.0;

// Counts the method calls the service receives, by watching the bus with dbus-monitor.
class CallCounter {
public:
    CallCounter() {
        const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        const std::string addressArg = address ? address : "";
        const std::string filter = "type='method_call',destination='com.kavox.DeviceService1'";
        int output = -1;
        m_monitor = SpawnReadingOutput({"dbus-monitor", "--address", addressArg, filter}, output);
        if (m_monitor == 0) {
            return;
        }
        m_pipe = fdopen(output, "r");
        m_reader = std::thread([this] { ReadLines(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    ~CallCounter() {
        if (m_monitor > 0) {
            kill(m_monitor, SIGTERM);
            waitpid(m_monitor, nullptr, 0);
            m_reader.join();
            fclose(m_pipe);
        }
    }
    CallCounter(const CallCounter&) = delete;
    CallCounter& operator=(const CallCounter&) = delete;

    // The calls seen so far, once the monitor has caught up.
    uint32_t Count() {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return m_calls;
    }

private:
    void ReadLines() {
        char line[4096];
        while (fgets(line, sizeof line, m_pipe) != nullptr) {
            if (std::strncmp(line, "method call", 11) == 0) {
                ++m_calls;
            }
        }
    }

    pid_t m_monitor = 0;
    FILE* m_pipe = nullptr;
    std::thread m_reader;
    std::atomic<uint32_t> m_calls{0};
};

struct Setup {
    PrivateBus bus;
    CallCounter calls;
    std::unique_ptr<CCorvantisRefreshConfig> config;
    std::unique_ptr<CMouse> mouse;

    Setup() {
        config = std::make_unique<CCorvantisRefreshConfig>(tCorvantisModel::Refresh,
                                                           plat::Utf8ToUtf16(bus.Folder() + "/save/"));
        mouse = std::make_unique<CMouse>(MouseModelTable()[0], BusEnumeratorFactory());
        mouse->Initialize(config.get());
        mouse->Transfer(config.get(), kTransferRead, MASK_FULL_READ);
        while (config->GetProfileCount() < kProfiles) {
            config->CopyProfileAs(config->GetProfile(0), plat::Format(u"Extra%d", config->GetProfileCount()));
        }
        Write();
    }

    // Waits for the worker finely, so the wait adds no polling slack to the figure.
    void Write() {
        mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE);
        while (mouse->IsBusy()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void ChangeEveryProfile(int round) {
        IMouseConfig& c = *config;
        for (int i = 0; i < c.GetProfileCount(); ++i) {
            IMouseProfile* profile = c.GetProfile(i);
            c.SetStageDPI(1, round % 2 ? 900 : 1000, profile);
            c.SetActiveStage(round % 2 ? 1 : 2, profile);
            c.SetSensitivityDPI(round % 2 ? 900 : 1000, profile);
            c.SetLedColour(LED_LOGO, static_cast<uint32_t>(round * 77 + i), profile);
            AssignmentRecord record;
            record.kind = round % 2 ? 45 : 46;
            c.SetButtonAssignment(MB_BUTTON4, record, profile);
            c.SetDPIOSD(round % 2 != 0, profile);
        }
        c.SetAcceleration(round % 2 ? 4 : 6);
        c.SetLiftOffDistance(round % 2 ? 10 : 20);
    }
};

Setup& Shared() {
    static Setup setup;
    return setup;
}

void BM_FullRead(benchmark::State& state) {
    Setup& s = Shared();
    uint32_t calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto fresh = std::make_unique<CCorvantisRefreshConfig>(tCorvantisModel::Refresh,
                                                               plat::Utf8ToUtf16(s.bus.Folder() + "/save/"));
        s.mouse->Initialize(fresh.get());
        const uint32_t start = s.calls.Count();
        state.ResumeTiming();
        benchmark::DoNotOptimize(s.mouse->Transfer(fresh.get(), kTransferRead, MASK_FULL_READ));
        state.PauseTiming();
        calls = s.calls.Count() - start;
        state.ResumeTiming();
    }
    state.counters["bus_calls"] = calls;
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FullWriteOverhead(benchmark::State& state) {
    Setup& s = Shared();
    uint32_t calls = 0;
    double overhead = 0;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        s.ChangeEveryProfile(++round);
        const uint32_t before = s.calls.Count();
        const auto start = std::chrono::steady_clock::now();
        s.Write();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        calls = s.calls.Count() - before;
        overhead = ms - (kProfiles * kPauseMs + kPauseMs);
        state.SetIterationTime(overhead / 1000.0);
        state.ResumeTiming();
    }
    state.counters["bus_calls"] = calls;
    state.counters["overhead_ms"] = overhead;
}
BENCHMARK(BM_FullWriteOverhead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
