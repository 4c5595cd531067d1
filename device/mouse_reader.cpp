// Reading the mouse into the configuration.
#include "device/mouse_reader.h"

#include "device/device_text.h"
#include "device/function_record_table.h"
#include "model/macro_exchange.h"

namespace {

constexpr int kMaxApplicationNameUnits = 127;

uint32_t WordOf(const std::vector<uint8_t>& data) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i) {
        value |= static_cast<uint32_t>(data[i]) << (8 * i);
    }
    return value;
}

// UTF-16LE up to the first zero unit, at most the name limit.
std::u16string TextOf(const std::vector<uint8_t>& data) {
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size() && text.size() < kMaxApplicationNameUnits; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

} // namespace

bool CMouseReader::EventsOfBlock(const MacroEventBlock& block, std::vector<MacroEvent>& events) {
    auto unpacked = UnpackMacroEvents(block);
    if (!unpacked) {
        return false;
    }
    events = std::move(*unpacked);
    return true;
}

tLEDType CMouseReader::ZoneOfLight(uint32_t number) {
    return number >= 1 && number <= 12 ? static_cast<tLEDType>(number - 1) : -1;
}

tLEDEffect CMouseReader::KnownEffect(uint32_t effect) {
    return effect >= 1 && effect <= kMaxLightEffect ? static_cast<tLEDEffect>(effect) : 0;
}

tPollingRate CMouseReader::PollingIndexOfCode(uint32_t code) {
    switch (code) {
    case kInterval125Hz:
        return 0;
    case kInterval500Hz:
        return 1;
    case kInterval1000Hz:
        return 2;
    default:
        return -1;
    }
}

bool CMouseReader::Read(uint32_t mask, const std::function<void()>& readSecondVersion) {
    Begin(mask);
    Step(CAP_MACROS, MASK_MACROS, [this] { return ReadMacros(); });
    if (Wants(CAP_PROFILES, MASK_ANY_PROFILE)) {
        ReadProfiles();
    }
    Step(CAP_ACCELERATION, MASK_ACCELERATION, [this] { return ReadAcceleration(); });
    Step(CAP_POLLING, MASK_POLLING, [this] { return ReadPolling(); });
    Step(CAP_POWER_ENTRIES, MASK_POWER_ENTRIES, [this] { return ReadPowerEntries(); });
    Step(CAP_POWER_READINGS, MASK_POWER_READINGS, [this] { return ReadPowerReadings(); });
    Step(CAP_POWER_SETTINGS, MASK_POWER_SETTINGS, [this] { return ReadPowerSettings(); });
    Step(CAP_SENSOR, MASK_SENSOR, [this] { return ReadSensor(); });
    if (Wants(CAP_SECOND_VERSION, MASK_SECOND_VERSION) && readSecondVersion) {
        readSecondVersion();
    }
    m_c.config.CommitAll();
    return Ok();
}

bool CMouseReader::ReadMacros() {
    std::shared_ptr<IMacroManager> manager;
    if (FAILED(GetDeviceFeature(m_c.device, manager))) {
        return false;
    }
    bool ok = true;
    std::shared_ptr<IMacro> device;
    for (uint32_t index = 0; SUCCEEDED(manager->GetMacro(index, device)); ++index) {
        std::u16string name;
        if (FAILED(device->GetName(name))) {
            continue;
        }
        CMacro* macro = m_c.config.AddMacro(name);
        if (macro == nullptr) {
            continue;
        }
        GUID id;
        if (FAILED(device->GetGuid(id))) {
            m_c.config.RemoveMacro(macro);
            continue;
        }
        MacroEventBlock block;
        std::vector<MacroEvent> events;
        if (FAILED(device->GetEvents(block)) || !EventsOfBlock(block, events)) {
            m_c.config.RemoveMacro(macro);
            ok = false;
            continue;
        }
        macro->SetId(id);
        macro->SetEvents(std::move(events));
    }
    return ok;
}

void CMouseReader::ReadProfiles() {
    const std::u16string prefix = TranslateDeviceText(u"$Profile:");
    std::shared_ptr<IProfileManager> manager;
    if (FAILED(GetDeviceFeature(m_c.device, manager))) {
        Fail();
        return;
    }
    GUID activeId;
    std::shared_ptr<IProfile> active;
    if (SUCCEEDED(manager->GetActiveProfile(active))) {
        active->GetGuid(activeId);
    }
    std::shared_ptr<IProfile> device;
    for (uint32_t index = 0; SUCCEEDED(manager->GetProfile(index, device)); ++index) {
        GUID id;
        if (FAILED(device->GetGuid(id))) {
            continue;
        }
        IMouseProfile* profile = m_c.config.FindProfileByGUID(id);
        if (profile != nullptr) {
            ReadOneProfile(*device, *profile, activeId, prefix);
        }
    }
}

void CMouseReader::ReadOneProfile(IProfile& device, IMouseProfile& profile, const GUID& activeId,
                                  const std::u16string& prefix) {
    m_c.channel.ReportText(prefix + profile.GetName());
    if (!activeId.IsNull() && activeId == profile.GetGUID()) {
        m_c.config.SetActiveProfile(&profile);
    }
    Step(CAP_IDENTITY, MASK_IDENTITY, [&] { return ReadIdentity(device, profile); });
    m_c.channel.ReportProgress(10);
    Step(CAP_DPI, MASK_DPI, [&] { return ReadDpi(device, profile); });
    m_c.channel.ReportProgress(30);
    Step(CAP_BUTTONS, MASK_BUTTONS, [&] { return ReadButtons(device, profile); });
    m_c.channel.ReportProgress(60);
    Step(CAP_KEYS, MASK_KEYS, [&] { return ReadKeys(device, profile); });
    m_c.channel.ReportProgress(80);
    Step(CAP_LIGHTING, MASK_LIGHTING, [&] { return ReadLighting(device, profile); });
    m_c.channel.ReportProgress(100);
    profile.CommitAll();
}

bool CMouseReader::ReadIdentity(IProfile& device, IMouseProfile& profile) {
    std::u16string name;
    GUID id;
    std::shared_ptr<IPropertyStore> store;
    std::vector<uint8_t> data;
    if (FAILED(device.GetName(name)) || FAILED(device.GetGuid(id)) ||
        FAILED(GetProfileFeature(device, store)) ||
        FAILED(store->ReadProperty(kPropertyApplicationName, kApplicationNameBytes, data))) {
        return false;
    }
    profile.SetName(name);
    profile.SetGUID(id);
    const std::u16string application = TextOf(data);
    std::vector<uint8_t> flags;
    if (!application.empty()) {
        profile.SetApplicationName(application);
        if (FAILED(store->ReadProperty(kPropertyProfileFlags, 4, flags))) {
            return false;
        }
        profile.SetApplicationLink((WordOf(flags) & kProfileFlagApplicationLink) != 0);
    }
    if (FAILED(store->ReadProperty(kPropertyProfileFlags, 4, flags))) {
        return false;
    }
    profile.SetDPIOSD((WordOf(flags) & kProfileFlagDpiDisplay) != 0);
    profile.SetProfileOSD((WordOf(flags) & kProfileFlagProfileDisplay) != 0);
    return true;
}

bool CMouseReader::ReadDpi(IProfile& device, IMouseProfile& profile) {
    IMouseConfig& c = m_c.config;
    std::shared_ptr<IDpi> dpi;
    std::vector<DpiPair> stages;
    if (FAILED(GetProfileFeature(device, dpi)) || FAILED(dpi->GetStages(stages))) {
        return false;
    }
    DpiPair sensitivity;
    const bool haveSensitivity = SUCCEEDED(dpi->GetSensitivity(sensitivity));
    for (size_t i = 0; i < stages.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const auto [x, y] = stages[i];
        c.SetStageSeparateAxes(n, x != y, &profile);
        c.SetStageDPIX(n, x, &profile);
        c.SetStageDPIY(n, y, &profile);
        c.SetStageDPI(n, std::min(x, y), &profile);
    }
    uint32_t activeIndex = 0;
    if (haveSensitivity && SUCCEEDED(dpi->GetActiveStage(activeIndex))) {
        // The device counts stages from 0, the configuration from 1.
        c.SetActiveStage(static_cast<int>(activeIndex) + 1, &profile);
    } else {
        c.SetActiveStage(0, &profile);
    }
    c.SetSensitivitySeparateAxes(sensitivity.x != sensitivity.y, &profile);
    c.SetSensitivityDPIX(sensitivity.x, &profile);
    c.SetSensitivityDPIY(sensitivity.y, &profile);
    c.SetSensitivityDPI(std::min(sensitivity.x, sensitivity.y), &profile);
    c.SetDPIStageCount(static_cast<uint32_t>(stages.size()), &profile);
    return haveSensitivity;
}

bool CMouseReader::ReadButtons(IProfile& device, IMouseProfile& profile) {
    std::shared_ptr<IButtons> buttons;
    std::vector<FunctionRecord> records;
    if (FAILED(GetProfileFeature(device, buttons)) ||
        FAILED(buttons->GetFunctions(static_cast<uint32_t>(m_c.buttons.size()), records))) {
        return false;
    }
    const CFunctionRecordTable& table = CFunctionRecordTable::Instance();
    for (const FunctionRecord& record : records) {
        tMouseButton button = MB_NULL;
        AssignmentRecord assignment;
        if (table.AssignmentFromRecord(record, button, assignment)) {
            m_c.config.SetButtonAssignment(button, assignment, &profile);
        }
    }
    return true;
}

bool CMouseReader::ReadKeys(IProfile& device, IMouseProfile& profile) {
    std::shared_ptr<IKeys> keys;
    std::vector<FunctionRecord> records;
    if (FAILED(GetProfileFeature(device, keys)) ||
        FAILED(keys->GetFunctions(static_cast<uint32_t>(m_c.keys.size()), records))) {
        return false;
    }
    const CFunctionRecordTable& table = CFunctionRecordTable::Instance();
    for (FunctionRecord record : records) {
        const auto key = static_cast<int32_t>(record.buttonFlag);
        record.buttonFlag = table.FlagOfButton(MB_LEFT); // keys name themselves by identifier
        tMouseButton unused = MB_NULL;
        AssignmentRecord assignment;
        table.AssignmentFromRecord(record, unused, assignment);
        m_c.config.SetKeyAssignment(key, assignment, &profile);
    }
    m_c.config.SetKeyAssignmentsInUse(!records.empty(), &profile);
    return true;
}

bool CMouseReader::ReadLighting(IProfile& device, IMouseProfile& profile) {
    std::shared_ptr<ILighting> lighting;
    if (FAILED(GetProfileFeature(device, lighting))) {
        return false;
    }
    std::shared_ptr<ILight> light;
    for (uint32_t index = 0; SUCCEEDED(lighting->GetLight(index, light)); ++index) {
        uint32_t number = 0;
        bool on = false;
        if (FAILED(light->GetNumber(number)) || FAILED(light->GetState(on))) {
            return false;
        }
        const tLEDType zone = ZoneOfLight(number);
        m_c.config.SetLedState(zone, on, &profile);
        std::shared_ptr<ILightBrightness> brightness;
        uint32_t percent = 0;
        if (SUCCEEDED(QueryAs(*light, brightness)) && SUCCEEDED(brightness->GetBrightness(percent))) {
            m_c.config.SetLedBrightness(zone, percent, &profile);
        }
        std::shared_ptr<ILightColor> colour;
        uint32_t value = 0;
        if (SUCCEEDED(QueryAs(*light, colour)) && SUCCEEDED(colour->GetColor(value))) {
            m_c.config.SetLedColour(zone, value, &profile);
        }
        std::shared_ptr<ILightEffect> effect;
        uint32_t kind = 0;
        uint32_t first = 0;
        uint32_t second = 0;
        if (SUCCEEDED(QueryAs(*light, effect)) && SUCCEEDED(effect->GetEffect(kind, first, second))) {
            m_c.config.SetLedEffect(zone, KnownEffect(kind), &profile);
        }
    }
    return true;
}

bool CMouseReader::ReadAcceleration() {
    std::shared_ptr<IAcceleration> acceleration;
    uint32_t level = 0;
    bool on = false;
    if (FAILED(GetDeviceFeature(m_c.device, acceleration)) || FAILED(acceleration->GetLevel(level)) ||
        FAILED(acceleration->GetState(on))) {
        return false;
    }
    m_c.config.SetAcceleration(level);
    m_c.config.SetAccelerationOn(on);
    return true;
}

bool CMouseReader::ReadPolling() {
    std::shared_ptr<IPolling> polling;
    uint32_t code = 0;
    if (FAILED(GetDeviceFeature(m_c.device, polling)) || FAILED(polling->GetInterval(code))) {
        return false;
    }
    m_c.config.SetPollingRate(PollingIndexOfCode(code));
    return true;
}

// Each power entry is three 32-bit words: value, second value, key.
bool CMouseReader::ReadPowerEntries() {
    std::shared_ptr<IPowerManager> power;
    uint32_t count = 0;
    if (FAILED(GetDeviceFeature(m_c.device, power)) || FAILED(power->GetEntryCount(count))) {
        return false;
    }
    m_c.config.ClearPowerEntries();
    for (uint32_t i = 0; i < count; ++i) {
        std::vector<uint8_t> entry;
        if (FAILED(power->GetEntry(i, entry)) || entry.size() < 12) {
            return false;
        }
        const std::vector<uint8_t> second(entry.begin() + 4, entry.end());
        const std::vector<uint8_t> key(entry.begin() + 8, entry.end());
        m_c.config.AddPowerEntry(WordOf(entry), WordOf(second), WordOf(key));
    }
    std::vector<FunctionRecord> records;
    if (FAILED(
            power->GetAssignments(static_cast<uint32_t>(m_c.config.GetGlobalAssignmentCount()), records))) {
        return false;
    }
    return true;
}

bool CMouseReader::ReadPowerReadings() {
    std::shared_ptr<IPowerReadings> readings;
    uint32_t value = 0;
    uint32_t warning = 0;
    if (FAILED(GetDeviceFeature(m_c.device, readings)) || FAILED(readings->GetPowerValue(value)) ||
        FAILED(readings->GetFlashWarningValue(warning))) {
        return false;
    }
    m_c.config.SetPowerValue(static_cast<int32_t>(value));
    m_c.config.SetSecondFlashWarningValue(warning);
    return true;
}

bool CMouseReader::ReadPowerSettings() {
    std::shared_ptr<IPowerSettings> settings;
    uint32_t brightness = 0;
    uint32_t idle = 0;
    uint32_t stage = 0;
    if (FAILED(GetDeviceFeature(m_c.device, settings)) ||
        FAILED(settings->GetReducedBrightness(brightness)) || FAILED(settings->GetIdleTime(idle)) ||
        FAILED(settings->GetFlashWarningStage(stage))) {
        return false;
    }
    m_c.config.SetReducedBrightness(brightness);
    m_c.config.SetIdleTime(idle);
    m_c.config.SetFlashWarningStage(stage);
    return true;
}

bool CMouseReader::ReadSensor() {
    std::shared_ptr<ISensor> sensor;
    bool calibration = false;
    uint32_t mode = 0;
    uint32_t distance = 0;
    if (FAILED(GetDeviceFeature(m_c.device, sensor)) || FAILED(sensor->GetCalibration(calibration)) ||
        FAILED(sensor->GetLiftOffMode(mode)) || FAILED(sensor->GetLiftOffDistance(distance))) {
        return false;
    }
    m_c.config.SetSurfaceCalibration(calibration);
    m_c.config.SetLiftOffAutomatic(mode != kLiftOffCustom);
    m_c.config.SetLiftOffDistance(distance);
    return true;
}
