// Change queries on the largest configuration the refresh model holds: seven profiles with
// every button, key and light set, and fifty macros of two hundred events each. Everything
// is committed, so IsAnyModified has to visit every tracked value before it can say no.
#include "model/assign_type.h"
#include "model/corvantis_refresh_config.h"
#include "platform/text/format.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

constexpr int kProfiles = 7;
constexpr int kMacros = 50;
constexpr int kEventsPerMacro = 200;

std::vector<MacroEvent> MacroEvents(int seed) {
    std::vector<MacroEvent> events;
    events.reserve(kEventsPerMacro);
    for (int i = 0; i < kEventsPerMacro; i += 4) {
        const int32_t key = ((0x41 + (seed + i) % 26) << 16) | (0x10 + i % 40);
        events.push_back({MET_KEY, key, kMacroStatePress});
        events.push_back({MET_DELAY, 20 + i, 20 + i});
        events.push_back({MET_KEY, key, kMacroStateRelease});
        events.push_back({MET_DELAY, 15, 15});
    }
    return events;
}

void FillProfile(IMouseConfig& config, IMouseProfile& profile, int index) {
    for (int32_t key = 1; key <= 8; ++key) {
        AssignmentRecord record;
        record.kind = AT_SINGLE_KEY;
        record.payload[0] = static_cast<uint8_t>(key + index);
        profile.SetKeyAssignment(key, record);
    }
    for (const tLEDType zone : {LED_SCROLLWHEEL, LED_LOGO}) {
        profile.SetLedColour(zone, 0x102030u * static_cast<uint32_t>(index + 1));
        profile.SetLedEffect(zone, 2);
        profile.SetLedBrightness(zone, 80);
    }
    profile.SetApplicationPath(plat::Format(u"/usr/games/game%d", index));
    config.SetButtonAssignment(MB_BUTTON4, config.GetDefaultButtonAssignment(MB_BUTTON4), &profile);
}

class FullConfig {
public:
    FullConfig() : m_config(tCorvantisModel::Refresh, NowhereFolder()) {
        IMouseConfig& config = m_config;
        for (int i = 0; i < kProfiles; ++i) {
            IMouseProfile* profile = config.CreateProfile(plat::Format(u"Profile%d", i + 1));
            profile->SetGUID(GUID::FromWords(1, 2, 3, static_cast<uint32_t>(i)));
            FillProfile(config, *profile, i);
            profile->CommitAll();
        }
        config.SetActiveProfile(config.GetProfile(0));
        for (int i = 0; i < kMacros; ++i) {
            CMacro* macro = config.AddMacro(plat::Format(u"Macro %d", i + 1));
            macro->SetId(GUID::FromWords(9, 8, 7, static_cast<uint32_t>(i)));
            macro->SetEvents(MacroEvents(i));
        }
        config.CommitAll();
    }

    IMouseConfig& Config() { return m_config; }

private:
    static std::u16string NowhereFolder() {
        return plat::Format(u"%s/", (std::filesystem::temp_directory_path() / "kavox-bench").u16string());
    }

    CCorvantisRefreshConfig m_config;
};

void BM_IsAnyModified(benchmark::State& state) {
    FullConfig full;
    IMouseConfig& config = full.Config();
    if (config.IsAnyModified(nullptr)) {
        state.SkipWithError("a change is pending, so the query would stop early");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(config.IsAnyModified(nullptr));
    }
}
BENCHMARK(BM_IsAnyModified);

void BM_CommitAll(benchmark::State& state) {
    FullConfig full;
    IMouseConfig& config = full.Config();
    for (auto _ : state) {
        config.CommitAll();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CommitAll);

} // namespace
