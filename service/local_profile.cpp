// In-process profile manager, profile, property store, DPI and buttons.
#include "platform/text/format.h"
#include "service/factory_state.h"
#include "service/guid_source.h"
#include "service/local_mouse_object.h"
#include "service/memory_document.h"

namespace {

class LocalPropertyStore : public IPropertyStore, LocalMouseObject {
public:
    LocalPropertyStore(const LocalContext& context, const plat::GUID& id)
        : LocalMouseObject(context), m_id(id) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT ReadProperty(uint32_t property, uint32_t capacity, std::vector<uint8_t>& data) override {
        data.clear();
        if (capacity == 0) {
            return E_INVALIDARG;
        }
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            if (property == kPropertyApplicationName) {
                return ReadApplication(profile.application, capacity, data);
            }
            if (property == kPropertyProfileFlags) {
                for (uint32_t i = 0; i < 4 && i < capacity; ++i) {
                    data.push_back(static_cast<uint8_t>(profile.flags >> (8 * i)));
                }
                return S_OK;
            }
            return E_INVALIDARG;
        });
    }

    HRESULT WriteProperty(uint32_t property, const std::vector<uint8_t>& data) override {
        if (property == kPropertyApplicationName) {
            std::u16string application;
            if (!DecodeApplication(data, application)) {
                return E_INVALIDARG;
            }
            return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor&) {
                profile.application = application;
                return S_OK;
            });
        }
        if (property == kPropertyProfileFlags) {
            if (data.size() != 4) {
                return E_INVALIDARG;
            }
            const uint32_t mask = static_cast<uint32_t>(data[0] | data[1] << 8);
            const uint32_t value = static_cast<uint32_t>(data[2] | data[3] << 8);
            if (mask == 0 || (mask & ~kKnownProfileFlags) != 0 || value > 1) {
                return E_INVALIDARG;
            }
            return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor&) {
                profile.flags = value ? (profile.flags | mask) : (profile.flags & ~mask);
                return S_OK;
            });
        }
        return E_INVALIDARG;
    }

private:
    static HRESULT ReadApplication(const std::u16string& application, uint32_t capacity,
                                   std::vector<uint8_t>& data) {
        if ((application.size() + 1) * 2 > capacity) {
            return E_INSUFFICIENT_BUFFER;
        }
        for (char16_t unit : application) {
            data.push_back(static_cast<uint8_t>(unit));
            data.push_back(static_cast<uint8_t>(unit >> 8));
        }
        data.push_back(0);
        data.push_back(0);
        return S_OK;
    }

    // UTF-16LE within 256 bytes, ending at its first zero unit, which must be present.
    static bool DecodeApplication(const std::vector<uint8_t>& data, std::u16string& application) {
        if (data.empty() || data.size() > kApplicationNameBytes || data.size() % 2 != 0) {
            return false;
        }
        for (size_t i = 0; i < data.size(); i += 2) {
            const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
            if (unit == 0) {
                return IsValidApplication(application);
            }
            application += unit;
        }
        return false;
    }

    plat::GUID m_id;
};

class LocalDpi : public IDpi, LocalMouseObject {
public:
    LocalDpi(const LocalContext& context, const plat::GUID& id) : LocalMouseObject(context), m_id(id) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT GetSensitivity(DpiPair& sensitivity) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            sensitivity = profile.sensitivity;
            return S_OK;
        });
    }
    HRESULT SetSensitivity(uint32_t x, uint32_t y) override {
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor& model) {
            if (!IsValidPair(model, {x, y})) {
                return E_INVALIDARG;
            }
            profile.sensitivity = {x, y};
            return S_OK;
        });
    }
    HRESULT GetHeader(DpiHeader& header) override {
        return ReadProfile(m_id, [&](const ProfileMemory&, const ModelDescriptor& model) {
            header = {1, model.maxStages};
            return S_OK;
        });
    }
    HRESULT GetActiveStage(uint32_t& index) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            index = profile.activeStage;
            return S_OK;
        });
    }
    // The mouse switches to the stage's DPI, as its stage buttons do.
    HRESULT SetActiveStage(uint32_t index) override {
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor&) {
            if (index >= profile.stages.size()) {
                return E_INVALIDARG;
            }
            profile.activeStage = index;
            profile.sensitivity = profile.stages[index];
            return S_OK;
        });
    }
    HRESULT GetStages(std::vector<DpiPair>& stages) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            stages = profile.stages;
            return S_OK;
        });
    }
    HRESULT SetStages(const std::vector<DpiPair>& stages) override {
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor& model) {
            if (!IsValidStages(model, stages)) {
                return E_INVALIDARG;
            }
            profile.stages = stages;
            profile.activeStage =
                std::min<uint32_t>(profile.activeStage, static_cast<uint32_t>(stages.size() - 1));
            return S_OK;
        });
    }
    HRESULT GetRange(uint32_t& minimum, uint32_t& maximum, uint32_t& step) override {
        return ReadProfile(m_id, [&](const ProfileMemory&, const ModelDescriptor& model) {
            minimum = model.dpiMin;
            maximum = model.dpiMax;
            step = model.dpiStep;
            return S_OK;
        });
    }
    // Sinks hear the DPI of whichever profile is active, so a sink advised before a profile
    // switch keeps hearing the mouse.
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        return AdviseOn(_IDPIEvents::IID, eventIid, std::move(sink), cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return UnadviseOn(_IDPIEvents::IID, eventIid, cookie);
    }

private:
    plat::GUID m_id;
};

class LocalButtons : public IButtons, LocalMouseObject {
public:
    LocalButtons(const LocalContext& context, const plat::GUID& id) : LocalMouseObject(context), m_id(id) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT GetFunctions(uint32_t capacity, std::vector<FunctionRecord>& records) override {
        records.clear();
        if (capacity == 0) {
            return E_INVALIDARG;
        }
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            for (size_t i = 0; i < profile.functions.size() && i < capacity; ++i) {
                records.push_back(FunctionRecord::FromBytes(profile.functions[i].data()));
            }
            return S_OK;
        });
    }
    HRESULT SetFunctions(const std::vector<FunctionRecord>& records) override {
        if (records.empty()) {
            return E_INVALIDARG;
        }
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor& model) {
            for (const FunctionRecord& record : records) {
                if (!IsValidFunction(model, record)) {
                    return E_INVALIDARG;
                }
                for (size_t i = 0; i < model.buttonFlags.size(); ++i) {
                    if (model.buttonFlags[i] == record.buttonFlag) {
                        profile.functions[i] = record.ToBytes();
                    }
                }
            }
            return S_OK;
        });
    }
    HRESULT GetHeader(ButtonHeader& header) override {
        return ReadProfile(m_id, [&](const ProfileMemory&, const ModelDescriptor& model) {
            header = {1, static_cast<uint32_t>(model.buttonFlags.size()), model.ButtonFlagSet()};
            return S_OK;
        });
    }

private:
    plat::GUID m_id;
};

class LocalProfile : public IProfile, LocalMouseObject, public std::enable_shared_from_this<LocalProfile> {
public:
    LocalProfile(const LocalContext& context, const plat::GUID& id) : LocalMouseObject(context), m_id(id) {}

    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return iid == IProfile::IID ? Offer(shared_from_this(), out) : E_NOINTERFACE;
    }
    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        feature.reset();
        return ReadProfile(m_id, [&](const ProfileMemory&, const ModelDescriptor&) {
            feature = MakeLocalProfileFeature(Context(), m_id, iid);
            return feature ? S_OK : E_NOINTERFACE;
        });
    }
    HRESULT GetGuid(plat::GUID& id) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            id = profile.id;
            return S_OK;
        });
    }
    HRESULT GetName(std::u16string& name) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor&) {
            name = profile.name;
            return S_OK;
        });
    }
    HRESULT SetName(const std::u16string& name) override {
        if (!IsValidName(name)) {
            return E_INVALIDARG;
        }
        return ChangeProfile(m_id, [&](ProfileMemory& profile, const ModelDescriptor&) {
            profile.name = name;
            return S_OK;
        });
    }
    HRESULT IsActive(bool& active) override {
        return Read([&](const EmulatedMouse& mouse) {
            if (mouse.Memory().FindProfile(m_id) == nullptr) {
                return E_NOT_FOUND;
            }
            active = mouse.Memory().activeProfile == m_id;
            return S_OK;
        });
    }
    HRESULT ExportToFile(const std::u16string& path) override {
        return ReadProfile(m_id, [&](const ProfileMemory& profile, const ModelDescriptor& model) {
            return WriteExportFile(path, ProfileFileText(profile, model));
        });
    }

private:
    plat::GUID m_id;
};

class LocalProfileManager : public IProfileManager, LocalMouseObject {
public:
    explicit LocalProfileManager(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT GetProfile(uint32_t index, std::shared_ptr<IProfile>& profile) override {
        profile.reset();
        return Read([&](const EmulatedMouse& mouse) {
            if (index >= mouse.Memory().profiles.size()) {
                return E_NO_MORE_ITEMS;
            }
            profile = MakeLocalProfile(Context(), mouse.Memory().profiles[index].id);
            return S_OK;
        });
    }
    HRESULT FindProfile(const plat::GUID& id, std::shared_ptr<IProfile>& profile) override {
        profile.reset();
        return Read([&](const EmulatedMouse& mouse) {
            if (id.IsNull() || mouse.Memory().FindProfile(id) == nullptr) {
                return E_NOT_FOUND;
            }
            profile = MakeLocalProfile(Context(), id);
            return S_OK;
        });
    }
    HRESULT SetActiveProfile(IProfile& profile) override {
        plat::GUID id;
        const HRESULT hr = profile.GetGuid(id);
        if (FAILED(hr)) {
            return hr;
        }
        return Change([&](MouseMemory& memory, const ModelDescriptor&) {
            if (memory.FindProfile(id) == nullptr) {
                return E_NOT_FOUND;
            }
            memory.activeProfile = id;
            return S_OK;
        });
    }
    HRESULT GetActiveProfile(std::shared_ptr<IProfile>& profile) override {
        profile.reset();
        return Read([&](const EmulatedMouse& mouse) {
            profile = MakeLocalProfile(Context(), mouse.Memory().activeProfile);
            return S_OK;
        });
    }
    HRESULT CreateProfile(std::shared_ptr<IProfile>& profile) override {
        profile.reset();
        plat::GUID id;
        const HRESULT hr = Change([&](MouseMemory& memory, const ModelDescriptor& model) {
            if (memory.profiles.size() >= model.maxProfiles) {
                return E_LIMIT_REACHED;
            }
            ProfileMemory created = MakeFactoryProfile(
                model, plat::Format(u"Profile %d", static_cast<int>(memory.profiles.size() + 1)));
            id = created.id;
            memory.profiles.push_back(std::move(created));
            return S_OK;
        });
        if (SUCCEEDED(hr)) {
            profile = MakeLocalProfile(Context(), id);
        }
        return hr;
    }
    HRESULT DeleteProfile(IProfile& profile) override {
        plat::GUID id;
        const HRESULT hr = profile.GetGuid(id);
        if (FAILED(hr)) {
            return hr;
        }
        return Change([&](MouseMemory& memory, const ModelDescriptor&) {
            if (memory.FindProfile(id) == nullptr) {
                return E_NOT_FOUND;
            }
            if (memory.activeProfile == id) {
                return E_ACCESSDENIED;
            }
            std::erase_if(memory.profiles, [&id](const ProfileMemory& p) { return p.id == id; });
            return S_OK;
        });
    }
    HRESULT GetProfileCount(uint32_t& count) override {
        return Read([&](const EmulatedMouse& mouse) {
            count = static_cast<uint32_t>(mouse.Memory().profiles.size());
            return S_OK;
        });
    }
    HRESULT ImportProfile(const std::u16string& path, std::shared_ptr<IProfile>& profile) override {
        profile.reset();
        std::string text;
        HRESULT hr = ReadImportFile(path, text);
        if (FAILED(hr)) {
            return hr;
        }
        plat::GUID id;
        hr = Change([&](MouseMemory& memory, const ModelDescriptor& model) {
            ProfileMemory imported;
            if (!ParseProfileFile(text, model, imported)) {
                return E_INVALID_DATA;
            }
            if (memory.profiles.size() >= model.maxProfiles) {
                return E_LIMIT_REACHED;
            }
            imported.id = NewRandomGuid();
            id = imported.id;
            memory.profiles.push_back(std::move(imported));
            return S_OK;
        });
        if (SUCCEEDED(hr)) {
            profile = MakeLocalProfile(Context(), id);
        }
        return hr;
    }
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        return AdviseOn(_IProfileManagerEvents::IID, eventIid, std::move(sink), cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return UnadviseOn(_IProfileManagerEvents::IID, eventIid, cookie);
    }
};

} // namespace

std::shared_ptr<IProfileManager> MakeLocalProfileManager(const LocalContext& context) {
    return std::make_shared<LocalProfileManager>(context);
}

std::shared_ptr<IProfile> MakeLocalProfile(const LocalContext& context, const plat::GUID& id) {
    return std::make_shared<LocalProfile>(context, id);
}

std::shared_ptr<IServiceObject> MakeLocalProfileLighting(const LocalContext& context, const plat::GUID& id);

std::shared_ptr<IServiceObject> MakeLocalProfileFeature(const LocalContext& context, const plat::GUID& id,
                                                        const plat::GUID& iid) {
    if (iid == IPropertyStore::IID) {
        return std::make_shared<LocalPropertyStore>(context, id);
    }
    if (iid == IDpi::IID) {
        return std::make_shared<LocalDpi>(context, id);
    }
    if (iid == IButtons::IID) {
        return std::make_shared<LocalButtons>(context, id);
    }
    if (iid == ILighting::IID) {
        return MakeLocalProfileLighting(context, id);
    }
    return nullptr;
}
