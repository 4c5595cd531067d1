// Connections, the write worker and the file operations of a device object.
#include "device/base_device.h"

#include "device/mouse_reader.h"
#include "platform/core/clock.h"
#include "platform/text/format.h"

namespace {

constexpr plat::DWORD kPauseAfterWrite = 500;
constexpr plat::DWORD kWorkerWait = 7500;

// The parameters of the one write the process may run at a time.
struct WriteBlock {
    std::mutex lock;
    bool inUse = false;
    IMouseConfig* config = nullptr;
    uint32_t mask = 0;
};

WriteBlock& TheWriteBlock() {
    static WriteBlock block;
    return block;
}

} // namespace

CBaseDevice::CBaseDevice(const MouseModelEntry& model, DeviceEnumeratorFactory factory)
    : m_model(model), m_factory(std::move(factory)) {}

CBaseDevice::~CBaseDevice() {
    WaitForWorker();
    Disconnect();
}

std::u16string CBaseDevice::UnknownVersion() {
    return plat::Format(u"%.2f", 0.0);
}

std::u16string CBaseDevice::VersionText(uint32_t major, uint32_t minor) {
    return plat::Format(u"%d.%02d", static_cast<int>(major), static_cast<int>(minor));
}

void CBaseDevice::ReleaseConnectionState() {
    Disconnect();
    m_keys.clear();
}

bool CBaseDevice::Connect() {
    if (m_model.productId == 0 || !m_factory) {
        return false;
    }
    {
        std::lock_guard guard(m_connectionLock);
        if (m_device) {
            return false;
        }
    }
    std::shared_ptr<IDeviceEnumerator> enumerator;
    if (FAILED(m_factory(enumerator)) || !enumerator) {
        return false;
    }
    std::lock_guard guard(m_connectionLock);
    if (m_device) {
        return false;
    }
    std::shared_ptr<IDevice> device;
    for (uint32_t index = 0; SUCCEEDED(enumerator->GetDevice(index, device)) && device; ++index) {
        DeviceInformation info;
        if (FAILED(device->GetInformation(info))) {
            continue;
        }
        if (info.productId == m_model.productId) {
            m_device = device;
            break;
        }
    }
    m_enumerator = m_device ? enumerator : nullptr;
    m_connected = m_device != nullptr;
    return m_connected;
}

void CBaseDevice::Disconnect() {
    std::lock_guard guard(m_connectionLock);
    m_device.reset();
    m_enumerator.reset();
}

bool CBaseDevice::StartWrite(IMouseConfig* config, uint32_t mask,
                             std::function<bool(IDevice&, IMouseConfig&, uint32_t)> write) {
    if (config == nullptr) {
        return false;
    }
    WriteBlock& block = TheWriteBlock();
    {
        std::lock_guard guard(block.lock);
        if (block.inUse) {
            return false;
        }
        if (!Connect()) {
            return false;
        }
        block.inUse = true;
        block.config = config;
        block.mask = mask;
    }
    if (m_worker) {
        m_worker.reset(); // the previous write has ended: its block was released
    }
    m_busy = true;
    m_worker = std::make_unique<plat::Thread>();
    const bool started = m_worker->Start([this, write = std::move(write)] {
        WriteBlock& params = TheWriteBlock();
        const bool ok = write(*Device(), *params.config, params.mask);
        plat::Sleep(kPauseAfterWrite);
        Disconnect();
        {
            std::lock_guard guard(params.lock);
            params.inUse = false;
            params.config = nullptr;
        }
        m_busy = false;
        return ok ? 0 : 1;
    });
    if (!started) {
        Disconnect();
        std::lock_guard guard(block.lock);
        block.inUse = false;
        m_busy = false;
    }
    return started;
}

void CBaseDevice::WaitForWorker() {
    if (!m_worker) {
        return;
    }
    if (!m_worker->WaitUntil(plat::DeadlineAfter(kWorkerWait))) {
        m_worker->WaitUntil(std::nullopt);
    }
    m_worker.reset();
    m_busy = false;
}

bool CBaseDevice::ImportMacroFile(std::u16string_view path, IMouseConfig* config) {
    CConnectionScope connection(config != nullptr && Connect(), [this] { Disconnect(); });
    if (!connection) {
        return false;
    }
    std::shared_ptr<IMacroManager> manager;
    std::shared_ptr<IMacro> imported;
    std::u16string name;
    if (FAILED(GetDeviceFeature(*Device(), manager)) ||
        FAILED(manager->ImportMacro(std::u16string(path), imported)) || FAILED(imported->GetName(name))) {
        return false;
    }
    CMacro* macro = config->AddMacro(name);
    if (macro == nullptr) {
        return false;
    }
    macro->SetImportPath(path);
    GUID id;
    MacroEventBlock block;
    std::vector<MacroEvent> events;
    if (FAILED(imported->GetGuid(id)) || FAILED(imported->GetEvents(block)) ||
        !CMouseReader::EventsOfBlock(block, events)) {
        config->RemoveMacro(macro);
        return false;
    }
    macro->SetId(id);
    macro->SetEvents(std::move(events));
    return true;
}

bool CBaseDevice::ExportMacroFile(std::u16string_view path, CMacro* macro) {
    CConnectionScope connection(macro != nullptr && Connect(), [this] { Disconnect(); });
    if (!connection || macro->GetId().IsNull()) {
        return false;
    }
    std::shared_ptr<IMacroManager> manager;
    std::shared_ptr<IMacro> found;
    return SUCCEEDED(GetDeviceFeature(*Device(), manager)) &&
           SUCCEEDED(manager->FindMacro(macro->GetId(), found)) &&
           SUCCEEDED(found->ExportToFile(std::u16string(path)));
}

bool CBaseDevice::MacroPresent(CMacro* macro) {
    CConnectionScope connection(macro != nullptr && Connect(), [this] { Disconnect(); });
    std::shared_ptr<IMacroManager> manager;
    std::shared_ptr<IMacro> found;
    return connection && SUCCEEDED(GetDeviceFeature(*Device(), manager)) &&
           SUCCEEDED(manager->FindMacro(macro->GetId(), found));
}

bool CBaseDevice::ExportProfileFile(std::u16string_view path, IMouseProfile* profile) {
    CConnectionScope connection(profile != nullptr && Connect(), [this] { Disconnect(); });
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> found;
    return connection && SUCCEEDED(GetDeviceFeature(*Device(), manager)) &&
           SUCCEEDED(manager->FindProfile(profile->GetGUID(), found)) &&
           SUCCEEDED(found->ExportToFile(std::u16string(path)));
}

bool CBaseDevice::ProfilePresent(IMouseProfile* profile) {
    CConnectionScope connection(profile != nullptr && Connect(), [this] { Disconnect(); });
    std::shared_ptr<IProfileManager> manager;
    std::shared_ptr<IProfile> found;
    return connection && SUCCEEDED(GetDeviceFeature(*Device(), manager)) &&
           SUCCEEDED(manager->FindProfile(profile->GetGUID(), found));
}

int CBaseDevice::DeviceProfileCount() {
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    std::shared_ptr<IProfileManager> manager;
    if (!connection || FAILED(GetDeviceFeature(*Device(), manager))) {
        return 0;
    }
    int count = 0;
    std::shared_ptr<IProfile> profile;
    while (SUCCEEDED(manager->GetProfile(static_cast<uint32_t>(count), profile))) {
        ++count;
    }
    return count;
}

bool CBaseDevice::OptionalValue() {
    CConnectionScope connection(Connect(), [this] { Disconnect(); });
    std::shared_ptr<IDeviceOption> option;
    bool value = false;
    return connection && SUCCEEDED(QueryAs(*Device(), option)) && SUCCEEDED(option->GetValue(value)) && value;
}
