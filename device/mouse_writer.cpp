// Writing the configuration's changes to the mouse.
#include "device/mouse_writer.h"

#include "device/device_text.h"
#include "device/function_record_table.h"
#include "model/category_id.h"
#include "model/macro_exchange.h"
#include "platform/core/clock.h"
#include "platform/text/compare.h"

namespace {

constexpr plat::DWORD kNameSettleTime = 500;
constexpr int kNameReadTries = 3;
constexpr size_t kMaxApplicationNameUnits = 127;

std::vector<uint8_t> FlagWord(uint32_t flag, bool on) {
    const uint32_t word = (flag & 0xFFFF) | ((on ? 1u : 0u) << 16);
    return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16),
            static_cast<uint8_t>(word >> 24)};
}

std::vector<uint8_t> ApplicationNameBytes(const std::u16string& name) {
    std::vector<uint8_t> bytes(kApplicationNameBytes, 0);
    for (size_t i = 0; i < name.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(name[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(name[i] >> 8);
    }
    return bytes;
}

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> bytes;
    for (uint32_t word : words) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
        }
    }
    return bytes;
}

} // namespace

bool CMouseWriter::PollingCodeOfIndex(tPollingRate index, uint32_t& code) {
    constexpr uint32_t kCodes[] = {kInterval125Hz, kInterval500Hz, kInterval1000Hz};
    if (index < 0 || index > 2) {
        return false;
    }
    code = kCodes[index];
    return true;
}

bool CMouseWriter::Write(uint32_t mask) {
    Begin(mask);
    if (m_c.model.Has(CAP_PROFILES)) {
        WriteProfiles();
    }
    Step(CAP_ACCELERATION, MASK_ACCELERATION, [this] { return WriteAcceleration(); });
    Step(CAP_POLLING, MASK_POLLING, [this] { return WritePolling(); });
    Step(CAP_MACROS, MASK_MACROS, [this] { return WriteMacros(); });
    Step(CAP_POWER_ENTRIES, MASK_POWER_ENTRIES, [this] { return WritePowerEntries(); });
    Step(CAP_POWER_SETTINGS, MASK_POWER_SETTINGS, [this] { return WritePowerSettings(); });
    Step(CAP_SENSOR, MASK_SENSOR, [this] { return WriteSensor(); });
    Step(CAP_PROFILES, MASK_ANY_PROFILE, [this] { return WriteActiveProfile(); });
    m_c.config.CommitAll();
    return Ok();
}

void CMouseWriter::WriteProfiles() {
    const std::u16string prefix = TranslateDeviceText(u"$Profile:");
    std::shared_ptr<IProfileManager> manager;
    if (FAILED(GetDeviceFeature(m_c.device, manager))) {
        Fail();
    }
    if (Ok()) {
        Record(RemoveStaleProfiles(*manager));
    }
    for (int i = 0; i < m_c.config.GetProfileCount(); ++i) {
        IMouseProfile* profile = m_c.config.GetProfile(i);
        if (profile == nullptr) {
            continue;
        }
        if (Ok()) {
            Record(SyncProfile(*manager, *profile));
        }
        std::shared_ptr<IProfile> device;
        if (manager && SUCCEEDED(manager->FindProfile(profile->GetGUID(), device))) {
            WriteOneProfile(*device, *profile, prefix);
        } else {
            profile->CommitAll();
        }
    }
}

bool CMouseWriter::RemoveStaleProfiles(IProfileManager& manager) {
    bool ok = true;
    std::shared_ptr<IProfile> device;
    uint32_t index = 0;
    while (SUCCEEDED(manager.GetProfile(index, device))) {
        GUID id;
        if (SUCCEEDED(device->GetGuid(id)) && m_c.config.FindProfileByGUID(id) != nullptr) {
            ++index;
        } else if (!DeleteProfile(manager, *device)) {
            ok = false;
            ++index;
        }
    }
    return ok && index <= static_cast<uint32_t>(m_c.config.GetProfileCount());
}

// The active profile cannot be deleted: another profile becomes active first. That is the
// device's first profile, unless the first is the one to delete.
bool CMouseWriter::DeleteProfile(IProfileManager& manager, IProfile& profile) {
    const HRESULT hr = manager.DeleteProfile(profile);
    if (hr != E_ACCESSDENIED) {
        return SUCCEEDED(hr);
    }
    std::shared_ptr<IProfile> other;
    for (uint32_t index = 0; SUCCEEDED(manager.GetProfile(index, other)); ++index) {
        if (other.get() != &profile) {
            GUID otherId;
            GUID id;
            if (SUCCEEDED(other->GetGuid(otherId)) && SUCCEEDED(profile.GetGuid(id)) && otherId != id) {
                break;
            }
        }
        other.reset();
    }
    return other && SUCCEEDED(manager.SetActiveProfile(*other)) && SUCCEEDED(manager.DeleteProfile(profile));
}

// New profiles are created and take the service's GUID; known ones get their name when it
// differs other than in letter case. A profile whose GUID the device no longer knows is
// created again, so its settings are not lost.
bool CMouseWriter::SyncProfile(IProfileManager& manager, IMouseProfile& profile) {
    std::shared_ptr<IProfile> device;
    if (!profile.GetGUID().IsNull() && SUCCEEDED(manager.FindProfile(profile.GetGUID(), device))) {
        std::u16string name;
        bool haveName = false;
        for (int attempt = 0; attempt < kNameReadTries && !haveName; ++attempt) {
            plat::Sleep(kNameSettleTime);
            haveName = SUCCEEDED(device->GetName(name));
        }
        if (haveName && !plat::EqualsNoCase(name, profile.GetName())) {
            return SUCCEEDED(device->SetName(profile.GetName()));
        }
        return true;
    }
    GUID id;
    if (FAILED(manager.CreateProfile(device)) || FAILED(device->GetGuid(id))) {
        return false;
    }
    profile.SetGUID(id);
    return SUCCEEDED(device->SetName(profile.GetName()));
}

void CMouseWriter::WriteOneProfile(IProfile& device, IMouseProfile& profile, const std::u16string& prefix) {
    m_c.channel.ReportText(prefix + profile.GetName());
    m_c.channel.ReportProgress(10);
    Step(CAP_IDENTITY, MASK_IDENTITY, [&] { return WriteIdentity(device, profile); });
    if (m_c.model.productId == kProductLegacy) {
        // The legacy model refuses some DPI writes; the rest of the profile still goes out.
        if (Wants(CAP_DPI, MASK_DPI)) {
            WriteDpi(device, profile);
        }
    } else {
        Step(CAP_DPI, MASK_DPI, [&] { return WriteDpi(device, profile); });
    }
    m_c.channel.ReportProgress(30);
    Step(CAP_BUTTONS, MASK_BUTTONS, [&] { return WriteButtons(device, profile); });
    m_c.channel.ReportProgress(60);
    Step(CAP_KEYS, MASK_KEYS, [&] { return WriteKeys(device, profile); });
    m_c.channel.ReportProgress(90);
    Step(CAP_LIGHTING, MASK_LIGHTING, [&] { return WriteLighting(device, profile); });
    m_c.channel.ReportProgress(100);
    profile.CommitAll();
}

bool CMouseWriter::WriteIdentity(IProfile& device, IMouseProfile& profile) {
    // A name that changed only in letter case stays as the device has it, as in the
    // name check before the feature writes.
    std::u16string name;
    if (FAILED(device.GetName(name)) ||
        (!plat::EqualsNoCase(name, profile.GetName()) && FAILED(device.SetName(profile.GetName())))) {
        return false;
    }
    std::shared_ptr<IPropertyStore> store;
    if (FAILED(GetProfileFeature(device, store))) {
        return false;
    }
    const std::u16string& application = profile.GetApplicationName();
    if (application.size() > kMaxApplicationNameUnits) {
        return false;
    }
    const bool link = !application.empty() && profile.GetApplicationLink();
    if (FAILED(store->WriteProperty(kPropertyApplicationName, ApplicationNameBytes(application))) ||
        FAILED(store->WriteProperty(kPropertyProfileFlags, FlagWord(kProfileFlagApplicationLink, link)))) {
        return false;
    }
    return SUCCEEDED(store->WriteProperty(kPropertyProfileFlags,
                                          FlagWord(kProfileFlagDpiDisplay, profile.GetDPIOSD()))) &&
           SUCCEEDED(store->WriteProperty(kPropertyProfileFlags,
                                          FlagWord(kProfileFlagProfileDisplay, profile.GetProfileOSD())));
}

bool CMouseWriter::WriteDpi(IProfile& device, IMouseProfile& profile) {
    std::shared_ptr<IDpi> dpi;
    if (FAILED(GetProfileFeature(device, dpi))) {
        return false;
    }
    if (profile.IsCategoryModified(CAT_DPI_STAGES) || profile.IsCategoryModified(CAT_DPI_STAGE_COUNT)) {
        std::vector<DpiPair> stages;
        for (int n = 1; n <= static_cast<int>(profile.GetDPIStageCount()); ++n) {
            const uint32_t joined = profile.GetStageDPI(n);
            stages.push_back(profile.GetStageSeparateAxes(n)
                                 ? DpiPair{profile.GetStageDPIX(n), profile.GetStageDPIY(n)}
                                 : DpiPair{joined, joined});
        }
        if (FAILED(dpi->SetStages(stages))) {
            return false;
        }
    }
    if (profile.IsCategoryModified(CAT_ACTIVE_STAGE)) {
        // The device counts stages from 0, the configuration from 1.
        const auto wanted = static_cast<uint32_t>(std::max(profile.GetActiveStage() - 1, 0));
        uint32_t current = 0;
        if (FAILED(dpi->GetActiveStage(current)) ||
            (current != wanted && FAILED(dpi->SetActiveStage(wanted)))) {
            return false;
        }
    }
    if (profile.IsCategoryModified(CAT_SENSITIVITY)) {
        const bool separate = profile.GetSensitivitySeparateAxes();
        const uint32_t x = separate ? profile.GetSensitivityDPIX() : profile.GetSensitivityDPI();
        const uint32_t y = separate ? profile.GetSensitivityDPIY() : profile.GetSensitivityDPI();
        if (FAILED(dpi->SetSensitivity(x, y))) {
            return false;
        }
    }
    return true;
}

bool CMouseWriter::WriteButtons(IProfile& device, IMouseProfile& profile) {
    const CFunctionRecordTable& table = CFunctionRecordTable::Instance();
    std::vector<FunctionRecord> records;
    for (uint32_t flag : m_c.buttons) {
        const tMouseButton button = table.ButtonOfFlag(flag);
        if (button != MB_NULL && profile.IsButtonAssignmentModified(false, button)) {
            records.push_back(table.RecordFromAssignment(button, profile.GetButtonAssignment(button)));
        }
    }
    if (!profile.IsCategoryModified(CAT_BUTTON_ASSIGNMENTS) || records.empty()) {
        return true;
    }
    std::shared_ptr<IButtons> buttons;
    if (FAILED(GetProfileFeature(device, buttons))) {
        return false;
    }
    for (const FunctionRecord& record : records) {
        if (FAILED(buttons->SetFunctions({record}))) {
            return false;
        }
    }
    return true;
}

bool CMouseWriter::WriteKeys(IProfile& device, IMouseProfile& profile) {
    if (!profile.IsCategoryModified(CAT_KEY_ASSIGNMENTS) || m_c.keys.empty()) {
        return true;
    }
    std::shared_ptr<IKeys> keys;
    if (FAILED(GetProfileFeature(device, keys))) {
        return false;
    }
    const CFunctionRecordTable& table = CFunctionRecordTable::Instance();
    std::vector<FunctionRecord> records;
    for (int32_t key : m_c.keys) {
        FunctionRecord record = table.RecordFromAssignment(MB_LEFT, profile.GetKeyAssignment(key));
        record.buttonFlag = static_cast<uint32_t>(key);
        records.push_back(record);
    }
    return SUCCEEDED(keys->SetFunctions(records));
}

bool CMouseWriter::WriteLighting(IProfile& device, IMouseProfile& profile) {
    std::shared_ptr<ILighting> lighting;
    if (FAILED(GetProfileFeature(device, lighting))) {
        return false;
    }
    std::shared_ptr<ILight> light;
    for (uint32_t index = 0; SUCCEEDED(lighting->GetLight(index, light)); ++index) {
        uint32_t number = 0;
        if (FAILED(light->GetNumber(number))) {
            return false;
        }
        const tLEDType zone = CMouseReader::ZoneOfLight(number);
        if (profile.IsLedModified(CAT_LED_STATE, zone) &&
            FAILED(profile.GetLedState(zone) ? light->TurnOn() : light->TurnOff())) {
            return false;
        }
        std::shared_ptr<ILightColor> colour;
        if (profile.IsLedModified(CAT_LED_COLOUR, zone) &&
            (FAILED(QueryAs(*light, colour)) || FAILED(colour->SetColor(profile.GetLedColour(zone))))) {
            return false;
        }
        std::shared_ptr<ILightBrightness> brightness;
        if (profile.IsLedModified(CAT_LED_BRIGHTNESS, zone) &&
            (FAILED(QueryAs(*light, brightness)) ||
             FAILED(brightness->SetBrightness(profile.GetLedBrightness(zone))))) {
            return false;
        }
        std::shared_ptr<ILightEffect> effect;
        if (profile.IsLedModified(CAT_LED_EFFECT, zone)) {
            const auto kind = static_cast<uint32_t>(
                CMouseReader::KnownEffect(static_cast<uint32_t>(profile.GetLedEffect(zone))));
            if (FAILED(QueryAs(*light, effect)) || FAILED(effect->SetEffect(kind, 0, 0))) {
                return false;
            }
        }
    }
    return true;
}

bool CMouseWriter::WriteAcceleration() {
    std::shared_ptr<IAcceleration> acceleration;
    if (FAILED(GetDeviceFeature(m_c.device, acceleration))) {
        return false;
    }
    if (m_c.config.IsCategoryModified(CAT_ACCELERATION) &&
        FAILED(acceleration->SetLevel(m_c.config.GetAcceleration()))) {
        return false;
    }
    if (m_c.config.IsCategoryModified(CAT_ACCELERATION_ON)) {
        return SUCCEEDED(m_c.config.GetAccelerationOn() ? acceleration->TurnOn() : acceleration->TurnOff());
    }
    return true;
}

bool CMouseWriter::WritePolling() {
    if (!m_c.config.IsCategoryModified(CAT_POLLING_RATE)) {
        return true;
    }
    uint32_t code = 0;
    std::shared_ptr<IPolling> polling;
    return PollingCodeOfIndex(m_c.config.GetPollingRate(), code) &&
           SUCCEEDED(GetDeviceFeature(m_c.device, polling)) && SUCCEEDED(polling->SetInterval(code));
}

bool CMouseWriter::WriteMacros() {
    std::shared_ptr<IMacroManager> manager;
    if (FAILED(GetDeviceFeature(m_c.device, manager))) {
        return false;
    }
    bool ok = true;
    std::shared_ptr<IMacro> device;
    uint32_t index = 0;
    while (SUCCEEDED(manager->GetMacro(index, device))) {
        GUID id;
        if (SUCCEEDED(device->GetGuid(id)) && m_c.config.FindMacroByGUID(id) != nullptr) {
            ++index;
        } else if (FAILED(manager->DeleteMacro(*device))) {
            ok = false;
            ++index;
        }
    }
    for (int i = 0; ok && i < m_c.config.GetMacroCount(); ++i) {
        CMacro* macro = m_c.config.GetMacro(i);
        if (macro != nullptr && m_c.config.IsElementModified(CAT_MACRO, i)) {
            ok = WriteOneMacro(*manager, *macro);
        }
    }
    return ok;
}

bool CMouseWriter::WriteOneMacro(IMacroManager& manager, CMacro& macro) {
    std::shared_ptr<IMacro> device;
    const bool known = !macro.GetId().IsNull() && SUCCEEDED(manager.FindMacro(macro.GetId(), device));
    if (macro.GetEvents().empty()) {
        // An empty macro is never kept on the mouse.
        const bool deleted = !known || SUCCEEDED(manager.DeleteMacro(*device));
        macro.SetId(GUID{});
        return deleted;
    }
    if (!known) {
        GUID id;
        if (FAILED(manager.CreateMacro(device)) || FAILED(device->GetGuid(id))) {
            return false;
        }
        macro.SetId(id);
        return SUCCEEDED(device->SetEvents(PackMacroEvents(macro.GetEvents()))) &&
               SUCCEEDED(device->SetName(macro.GetName()));
    }
    CMacro stored;
    std::u16string name;
    MacroEventBlock block;
    std::vector<MacroEvent> events;
    if (SUCCEEDED(device->GetName(name)) && SUCCEEDED(device->GetEvents(block)) &&
        CMouseReader::EventsOfBlock(block, events)) {
        stored.SetName(name);
        stored.SetId(macro.GetId());
        stored.SetEvents(std::move(events));
        if (stored == macro) {
            return true;
        }
    }
    if (FAILED(device->SetEvents(PackMacroEvents(macro.GetEvents())))) {
        return false;
    }
    return plat::EqualsNoCase(name, macro.GetName()) || SUCCEEDED(device->SetName(macro.GetName()));
}

bool CMouseWriter::WritePowerEntries() {
    std::shared_ptr<IPowerManager> power;
    if (FAILED(GetDeviceFeature(m_c.device, power))) {
        return false;
    }
    std::vector<std::vector<uint8_t>> entries;
    for (int i = 0; i < m_c.config.GetPowerEntryCount(); ++i) {
        uint32_t value = 0;
        uint32_t second = 0;
        uint32_t key = 0;
        m_c.config.GetPowerEntryValue(i, value);
        m_c.config.GetPowerEntryValues(i, second, key);
        entries.push_back(Words({value, second, key}));
    }
    return SUCCEEDED(power->SetEntries(entries));
}

bool CMouseWriter::WritePowerSettings() {
    std::shared_ptr<IPowerSettings> settings;
    if (FAILED(GetDeviceFeature(m_c.device, settings))) {
        return false;
    }
    IMouseConfig& c = m_c.config;
    return (!c.IsCategoryModified(CAT_REDUCED_BRIGHTNESS) ||
            SUCCEEDED(settings->SetReducedBrightness(c.GetReducedBrightness()))) &&
           (!c.IsCategoryModified(CAT_IDLE_TIME) || SUCCEEDED(settings->SetIdleTime(c.GetIdleTime()))) &&
           (!c.IsCategoryModified(CAT_FLASH_WARNING_STAGE) ||
            SUCCEEDED(settings->SetFlashWarningStage(c.GetFlashWarningStage())));
}

bool CMouseWriter::WriteSensor() {
    std::shared_ptr<ISensor> sensor;
    if (FAILED(GetDeviceFeature(m_c.device, sensor))) {
        return false;
    }
    IMouseConfig& c = m_c.config;
    if (c.IsCategoryModified(CAT_SURFACE_CALIBRATION) &&
        FAILED(c.GetSurfaceCalibration() ? sensor->CalibrationOn() : sensor->CalibrationOff())) {
        return false;
    }
    if (c.IsCategoryModified(CAT_LIFT_OFF_AUTOMATIC) &&
        FAILED(sensor->SetLiftOffMode(c.GetLiftOffAutomatic() ? kLiftOffAutomatic : kLiftOffCustom))) {
        return false;
    }
    return !c.IsCategoryModified(CAT_LIFT_OFF_DISTANCE) ||
           SUCCEEDED(sensor->SetLiftOffDistance(c.GetLiftOffDistance()));
}

bool CMouseWriter::WriteActiveProfile() {
    IMouseProfile* active = m_c.config.GetActiveProfile();
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> device;
    if (active == nullptr) {
        return true;
    }
    return SUCCEEDED(GetDeviceFeature(m_c.device, manager)) &&
           SUCCEEDED(manager->FindProfile(active->GetGUID(), device)) &&
           SUCCEEDED(manager->SetActiveProfile(*device));
}
