// Figures of the device service: the calls and time of a whole-configuration read over the
// bus (7 profiles with identity, properties, DPI, 9 function records and lights with their
// parts; 20 macros; mouse-wide settings), and the idle daemon's resident memory and
// wake-ups.
#include "device/dbus/device_enumerator.h"
#include "tests/device/dbus/private_bus.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

// Counts the calls that cross the bus.
struct Counter {
    int calls = 0;
    HRESULT operator()(HRESULT hr) {
        ++calls;
        return hr;
    }
};

void ReadProfile(IProfile& profile, Counter& count) {
    std::u16string name;
    plat::GUID id;
    count(profile.GetName(name));
    count(profile.GetGuid(id));
    std::shared_ptr<IPropertyStore> store;
    std::shared_ptr<IDpi> dpi;
    std::shared_ptr<IButtons> buttons;
    std::shared_ptr<ILighting> lighting;
    count(GetProfileFeature(profile, store));
    std::vector<uint8_t> data;
    count(store->ReadProperty(kPropertyApplicationName, 256, data));
    count(store->ReadProperty(kPropertyProfileFlags, 4, data));
    count(store->ReadProperty(kPropertyProfileFlags, 4, data));
    count(GetProfileFeature(profile, dpi));
    DpiHeader header;
    uint32_t a = 0, b = 0, c = 0;
    std::vector<DpiPair> stages;
    DpiPair sensitivity;
    count(dpi->GetHeader(header));
    count(dpi->GetRange(a, b, c));
    count(dpi->GetStages(stages));
    count(dpi->GetSensitivity(sensitivity));
    count(dpi->GetActiveStage(a));
    count(GetProfileFeature(profile, buttons));
    std::vector<FunctionRecord> records;
    count(buttons->GetFunctions(9, records));
    count(GetProfileFeature(profile, lighting));
    std::shared_ptr<ILight> light;
    for (uint32_t i = 0; SUCCEEDED(count(lighting->GetLight(i, light))); ++i) {
        bool on = false;
        count(light->GetNumber(a));
        count(light->GetState(on));
        std::shared_ptr<ILightColor> color;
        std::shared_ptr<ILightBrightness> brightness;
        std::shared_ptr<ILightEffect> effect;
        count(QueryAs(*light, color));
        count(color->GetColor(a));
        count(QueryAs(*light, brightness));
        count(brightness->GetBrightness(a));
        count(QueryAs(*light, effect));
        count(effect->GetEffect(a, b, c));
    }
}

int ReadConfiguration() {
    Counter count;
    std::shared_ptr<IDeviceEnumerator> enumerator;
    std::shared_ptr<IDevice> device;
    count(CreateDeviceEnumerator(enumerator));
    count(enumerator->GetDevice(0, device));
    DeviceInformation info;
    count(device->GetInformation(info));
    std::shared_ptr<IMacroManager> macros;
    count(GetDeviceFeature(*device, macros));
    std::shared_ptr<IMacro> macro;
    for (uint32_t i = 0; SUCCEEDED(count(macros->GetMacro(i, macro))); ++i) {
        std::u16string name;
        plat::GUID id;
        MacroEventBlock events;
        count(macro->GetName(name));
        count(macro->GetGuid(id));
        count(macro->GetEvents(events));
    }
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> profile;
    plat::GUID active;
    count(GetDeviceFeature(*device, manager));
    count(manager->GetActiveProfile(profile));
    count(profile->GetGuid(active));
    for (uint32_t i = 0; SUCCEEDED(count(manager->GetProfile(i, profile))); ++i) {
        ReadProfile(*profile, count);
    }
    std::shared_ptr<IAcceleration> acceleration;
    std::shared_ptr<IPolling> polling;
    std::shared_ptr<ISensor> sensor;
    std::shared_ptr<IDeviceVersion> version;
    uint32_t a = 0, b = 0;
    bool on = false;
    count(GetDeviceFeature(*device, acceleration));
    count(acceleration->GetLevel(a));
    count(acceleration->GetState(on));
    count(GetDeviceFeature(*device, polling));
    count(polling->GetInterval(a));
    count(GetDeviceFeature(*device, sensor));
    count(sensor->GetCalibration(on));
    count(sensor->GetLiftOffMode(a));
    count(sensor->GetLiftOffDistance(a));
    count(QueryAs(*device, version));
    count(version->GetVersion(a, b));
    return count.calls;
}

// Seven profiles and twenty macros of twenty events each.
void Fill() {
    std::shared_ptr<IDeviceEnumerator> enumerator;
    std::shared_ptr<IDevice> device;
    CreateDeviceEnumerator(enumerator);
    enumerator->GetDevice(0, device);
    std::shared_ptr<IProfileManager> manager;
    GetDeviceFeature(*device, manager);
    std::shared_ptr<IProfile> profile;
    for (int i = 0; i < 4; ++i) {
        manager->CreateProfile(profile);
    }
    std::shared_ptr<IMacroManager> macros;
    GetDeviceFeature(*device, macros);
    MacroEventBlock events = {0, 0, 0, 0, 20, 0, 0, 0};
    for (int i = 0; i < 20; ++i) {
        events.insert(events.end(), {3, 0, 0, 0, 10, 0, 0, 0});
    }
    std::shared_ptr<IMacro> macro;
    for (int i = 0; i < 20; ++i) {
        macros->CreateMacro(macro);
        macro->SetEvents(events);
    }
}

// CPU time (user and system) a process has used, in milliseconds.
double CpuMilliseconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const size_t end = text.rfind(')');
    if (end == std::string::npos) {
        return 0;
    }
    std::istringstream fields(text.substr(end + 2));
    std::string skip;
    for (int i = 0; i < 11; ++i) {
        fields >> skip;
    }
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Besides the wall time (which a loaded machine stretches), the CPU time the service and
// the bus daemon spent per read: with the client's CPU time, the cost on an idle machine.
void BM_WholeConfigurationRead(benchmark::State& state) {
    PrivateBus bus;
    Fill();
    int calls = ReadConfiguration();
    const pid_t service = bus.ServicePid();
    const double serviceBefore = CpuMilliseconds(service);
    const double busBefore = CpuMilliseconds(bus.BusPid());
    for (auto _ : state) {
        calls = ReadConfiguration();
    }
    const auto reads = static_cast<double>(state.iterations());
    state.counters["calls"] = calls;
    state.counters["service_cpu_ms"] = (CpuMilliseconds(service) - serviceBefore) / reads;
    state.counters["bus_cpu_ms"] = (CpuMilliseconds(bus.BusPid()) - busBefore) / reads;
}
BENCHMARK(BM_WholeConfigurationRead)->Unit(benchmark::kMillisecond)->UseRealTime();

long StatusField(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stol(line.substr(field.size() + 1));
        }
    }
    return -1;
}

long Switches(pid_t pid) {
    return StatusField(pid, "voluntary_ctxt_switches") + StatusField(pid, "nonvoluntary_ctxt_switches");
}

// Resident memory once the daemon has served a whole read, and its wake-ups over the
// next five idle seconds.
void BM_IdleDaemon(benchmark::State& state) {
    PrivateBus bus;
    Fill();
    ReadConfiguration();
    const pid_t pid = bus.ServicePid();
    long rss = 0, wakeups = 0;
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const long before = Switches(pid);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        wakeups = Switches(pid) - before;
        rss = StatusField(pid, "VmRSS");
    }
    state.counters["rss_kB"] = static_cast<double>(rss);
    state.counters["wakeups_5s"] = static_cast<double>(wakeups);
}
BENCHMARK(BM_IdleDaemon)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
