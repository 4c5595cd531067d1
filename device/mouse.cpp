// The operations of the device object that need the mouse model: preparation, transfers, imports.
#include "device/mouse.h"

#include "device/function_record_table.h"
#include "device/mouse_reader.h"
#include "device/mouse_writer.h"

CMouse::CMouse(const MouseModelEntry& model, DeviceEnumeratorFactory factory)
    : CBaseDevice(model, std::move(factory)) {}

// The worker writes through this object's members; it must be done before they go.
CMouse::~CMouse() {
    WaitForWorker();
}

bool CMouse::Initialize(IMouseConfig* config) {
    CFunctionRecordTable::Instance();
    if (config == nullptr) {
        return false;
    }
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    if (!connection) {
        return false;
    }
    bool ok = true;
    if (Model().Has(CAP_VERSIONS)) {
        ok = ReadVersions();
    }
    if (ok && Model().Has(CAP_PROFILES)) {
        ok = PrepareProfiles(*config);
    }
    if (ok) {
        ok = ReadDeviceLists();
    }
    return PrepareSettings(*config) && ok;
}

bool CMouse::ReadVersions() {
    DeviceInformation info;
    if (FAILED(Device()->GetInformation(info))) {
        return false;
    }
    m_firmwareVersion = VersionText(info.firmwareMajor, info.firmwareMinor);
    m_otherVersion = VersionText(info.otherMajor, info.otherMinor);
    return true;
}

bool CMouse::ReadDpiLimits(IProfile& device, IMouseConfig& config, IMouseProfile& profile) {
    std::shared_ptr<IDpi> dpi;
    DpiHeader header;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t step = 0;
    if (FAILED(GetProfileFeature(device, dpi)) || FAILED(dpi->GetHeader(header)) ||
        FAILED(dpi->GetRange(minimum, maximum, step))) {
        return false;
    }
    config.SetMaxDPIStages(header.maxStages, &profile);
    config.SetDPIRange(minimum, maximum, step, &profile);
    return true;
}

bool CMouse::PrepareProfiles(IMouseConfig& config) {
    config.DeleteAllProfiles();
    std::shared_ptr<IProfileManager> manager;
    if (FAILED(GetDeviceFeature(*Device(), manager))) {
        return false;
    }
    std::shared_ptr<IProfile> device;
    for (uint32_t index = 0; SUCCEEDED(manager->GetProfile(index, device)); ++index) {
        std::u16string name;
        GUID id;
        if (FAILED(device->GetName(name)) || FAILED(device->GetGuid(id))) {
            return false;
        }
        IMouseProfile* profile = config.CreateProfile(name);
        if (profile == nullptr) {
            return false;
        }
        profile->SetGUID(id);
        if (Model().Has(CAP_DPI) && !ReadDpiLimits(*device, config, *profile)) {
            return false;
        }
    }
    return true;
}

bool CMouse::ReadDeviceLists() {
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> active;
    GUID activeId;
    std::shared_ptr<IProfile> device;
    if (FAILED(GetDeviceFeature(*Device(), manager)) || FAILED(manager->GetActiveProfile(active)) ||
        FAILED(active->GetGuid(activeId)) || FAILED(manager->FindProfile(activeId, device))) {
        return false;
    }
    if (Model().Has(CAP_BUTTONS)) {
        std::shared_ptr<IButtons> buttons;
        ButtonHeader header;
        if (FAILED(GetProfileFeature(*device, buttons)) || FAILED(buttons->GetHeader(header))) {
            return false;
        }
        m_buttons.clear();
        for (uint32_t bit = 1; bit != 0 && m_buttons.size() < header.count; bit <<= 1) {
            if (header.flags & bit) {
                m_buttons.push_back(bit);
            }
        }
    }
    if (Model().Has(CAP_KEYS)) {
        std::shared_ptr<IKeys> keys;
        ButtonHeader header;
        std::vector<FunctionRecord> records;
        if (FAILED(GetProfileFeature(*device, keys)) || FAILED(keys->GetHeader(header)) ||
            FAILED(keys->GetFunctions(header.count, records))) {
            return false;
        }
        m_keys.clear();
        for (const FunctionRecord& record : records) {
            m_keys.push_back(static_cast<int32_t>(record.buttonFlag));
        }
    }
    return true;
}

bool CMouse::PrepareSettings(IMouseConfig& config) {
    if (Device() == nullptr) {
        return false;
    }
    if (Model().Has(CAP_ACCELERATION)) {
        config.SetAccelerationRange(kMinAccelerationLevel, kMaxAccelerationLevel);
    }
    if (Model().Has(CAP_POLLING)) {
        std::shared_ptr<IPolling> polling;
        std::vector<uint32_t> rates;
        if (FAILED(GetDeviceFeature(*Device(), polling)) || FAILED(polling->GetRates(rates))) {
            return false;
        }
        config.SetPollingRates(rates);
    }
    if (Model().Has(CAP_POWER_READINGS)) {
        config.SetFlashWarningRangeDefault();
    }
    return true;
}

bool CMouse::Transfer(IMouseConfig* config, int mode, uint32_t mask) {
    if (config == nullptr) {
        return false;
    }
    if (mode == kTransferRead) {
        CConnectionScope connection(Connect(), [this] { Disconnect(); });
        if (!connection) {
            return false;
        }
        m_busy = true;
        const bool ok = Read(*config, mask);
        m_busy = false;
        return ok;
    }
    if (mode == kTransferWrite) {
        return StartWrite(config, mask, [this](IDevice& device, IMouseConfig& target, uint32_t bits) {
            const TransferContext context{device, target, Model(), *this, m_buttons, m_keys};
            return CMouseWriter(context).Write(bits);
        });
    }
    return false;
}

bool CMouse::Read(IMouseConfig& config, uint32_t mask) {
    const TransferContext context{*Device(), config, Model(), *this, m_buttons, m_keys};
    return CMouseReader(context).Read(mask, [this] { ReadFirmwareVersionConnected(); });
}

bool CMouse::ImportProfile(std::u16string_view path, IMouseConfig* config) {
    if (config == nullptr || !Model().Has(CAP_PROFILES)) {
        return false;
    }
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> imported;
    std::u16string name;
    GUID id;
    if (!connection || FAILED(GetDeviceFeature(*Device(), manager)) ||
        FAILED(manager->ImportProfile(std::u16string(path), imported)) || FAILED(imported->GetName(name)) ||
        FAILED(imported->GetGuid(id))) {
        return false;
    }
    IMouseProfile* profile = config->CreateProfile(name);
    if (profile == nullptr) {
        return false;
    }
    profile->SetGUID(id);
    std::shared_ptr<IProfile> device;
    if (FAILED(manager->FindProfile(id, device))) {
        return false;
    }
    const TransferContext context{*Device(), *config, Model(), *this, m_buttons, m_keys};
    CMouseReader reader(context);
    bool ok = true;
    if (Model().Has(CAP_DPI)) {
        ok = ReadDpiLimits(*device, *config, *profile) && reader.ReadDpi(*device, *profile);
    }
    if (ok && Model().Has(CAP_IDENTITY)) {
        ok = reader.ReadIdentity(*device, *profile);
    }
    if (ok && Model().Has(CAP_BUTTONS)) {
        ok = reader.ReadButtons(*device, *profile);
    }
    if (ok && Model().Has(CAP_KEYS)) {
        ok = reader.ReadKeys(*device, *profile);
    }
    if (ok && Model().Has(CAP_LIGHTING)) {
        ok = reader.ReadLighting(*device, *profile);
    }
    return ok;
}

bool CMouse::ImportMacro(std::u16string_view path, IMouseConfig* config) {
    return ImportMacroFile(path, config);
}

bool CMouse::ExportMacro(std::u16string_view path, CMacro* macro) {
    return ExportMacroFile(path, macro);
}

bool CMouse::HasMacroOnDevice(CMacro* macro) {
    return MacroPresent(macro);
}

bool CMouse::ExportProfile(std::u16string_view path, IMouseProfile* profile) {
    return ExportProfileFile(path, profile);
}

bool CMouse::HasProfileOnDevice(IMouseProfile* profile) {
    return ProfilePresent(profile);
}

bool CMouse::GetFirmwareVersion(std::u16string& text) {
    text = m_firmwareVersion;
    return true;
}

bool CMouse::GetOtherVersion(std::u16string& text) {
    text = m_otherVersion;
    return true;
}

bool CMouse::HasOptionalInterface(int /*argument*/) {
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    std::shared_ptr<IServiceObject> part;
    return connection && SUCCEEDED(Device()->QueryInterface(IID_IDeviceSecondOption, part));
}

bool CMouse::ReadFirmwareVersion() {
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    if (connection) {
        ReadFirmwareVersionConnected();
    } else {
        m_firmwareVersion = UnknownVersion();
    }
    return true;
}

void CMouse::ReadFirmwareVersionConnected() {
    std::shared_ptr<IDeviceVersion> version;
    uint32_t major = 0;
    uint32_t minor = 0;
    if (Device() != nullptr && SUCCEEDED(QueryAs(*Device(), version)) &&
        SUCCEEDED(version->GetVersion(major, minor))) {
        m_firmwareVersion = VersionText(major, minor);
    } else {
        m_firmwareVersion = UnknownVersion();
    }
}
