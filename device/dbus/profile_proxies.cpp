// Proxies of the profile manager, profiles and their property store, DPI and buttons.
#include "device/dbus/bus_client.h"
#include "platform/text/utf.h"

namespace {

using Pair = sdbus::Struct<uint32_t, uint32_t>;

// A sink's events arrive on the bus thread.
template <class Sink>
std::shared_ptr<Sink> SinkOf(const plat::GUID& eventIid, const std::shared_ptr<IEventSink>& sink) {
    return eventIid == Sink::IID ? std::dynamic_pointer_cast<Sink>(sink) : nullptr;
}

class PropertyStoreProxy : public IPropertyStore, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT ReadProperty(uint32_t property, uint32_t capacity, std::vector<uint8_t>& data) override {
        data.clear();
        return Call(bus::kPropertyStore, "ReadProperty", Into(data), property, capacity);
    }
    HRESULT WriteProperty(uint32_t property, const std::vector<uint8_t>& data) override {
        return Call(bus::kPropertyStore, "WriteProperty", Into(), property, data);
    }
};

class DpiProxy : public IDpi, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetSensitivity(DpiPair& sensitivity) override {
        return Call(bus::kDpi, "GetSensitivity", Into(sensitivity.x, sensitivity.y));
    }
    HRESULT SetSensitivity(uint32_t x, uint32_t y) override {
        return Call(bus::kDpi, "SetSensitivity", Into(), x, y);
    }
    HRESULT GetHeader(DpiHeader& header) override {
        return Call(bus::kDpi, "GetHeader", Into(header.version, header.maxStages));
    }
    HRESULT GetActiveStage(uint32_t& index) override {
        return Call(bus::kDpi, "GetActiveStage", Into(index));
    }
    HRESULT SetActiveStage(uint32_t index) override {
        return Call(bus::kDpi, "SetActiveStage", Into(), index);
    }
    HRESULT GetStages(std::vector<DpiPair>& stages) override {
        stages.clear();
        std::vector<Pair> pairs;
        const HRESULT hr = Call(bus::kDpi, "GetStages", Into(pairs));
        for (const Pair& pair : pairs) {
            stages.push_back({pair.get<0>(), pair.get<1>()});
        }
        return hr;
    }
    HRESULT SetStages(const std::vector<DpiPair>& stages) override {
        std::vector<Pair> pairs;
        for (const DpiPair& pair : stages) {
            pairs.emplace_back(pair.x, pair.y);
        }
        return Call(bus::kDpi, "SetStages", Into(), pairs);
    }
    HRESULT GetRange(uint32_t& minimum, uint32_t& maximum, uint32_t& step) override {
        return Call(bus::kDpi, "GetRange", Into(minimum, maximum, step));
    }
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        cookie = 0;
        if (eventIid != _IDPIEvents::IID) {
            return E_NO_CONNECTION;
        }
        auto target = SinkOf<_IDPIEvents>(eventIid, sink);
        if (!target) {
            return E_INVALIDARG;
        }
        return m_client->Subscribe(
            DevicePath(), bus::kDpiEvents, "DpiChanged",
            [target](sdbus::Message& message) {
                int32_t x = 0, y = 0;
                message >> x >> y;
                target->OnDpiChanged(x, y);
            },
            cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return eventIid == _IDPIEvents::IID ? m_client->Unsubscribe(cookie) : E_NO_CONNECTION;
    }
};

class ButtonsProxy : public IButtons, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetFunctions(uint32_t capacity, std::vector<FunctionRecord>& records) override {
        records.clear();
        std::vector<std::vector<uint8_t>> bytes;
        const HRESULT hr = Call(bus::kButtons, "GetFunctions", Into(bytes), capacity);
        if (FAILED(hr)) {
            return hr;
        }
        for (const std::vector<uint8_t>& raw : bytes) {
            if (raw.size() != FunctionRecord::kSize) {
                records.clear();
                return E_UNEXPECTED;
            }
            records.push_back(FunctionRecord::FromBytes(raw.data()));
        }
        return hr;
    }
    HRESULT SetFunctions(const std::vector<FunctionRecord>& records) override {
        std::vector<std::vector<uint8_t>> bytes;
        for (const FunctionRecord& record : records) {
            const auto raw = record.ToBytes();
            bytes.emplace_back(raw.begin(), raw.end());
        }
        return Call(bus::kButtons, "SetFunctions", Into(), bytes);
    }
    HRESULT GetHeader(ButtonHeader& header) override {
        return Call(bus::kButtons, "GetHeader", Into(header.version, header.count, header.flags));
    }
};

class LightingProxy : public ILighting, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetLight(uint32_t index, std::shared_ptr<ILight>& light) override {
        light.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kLighting, "GetLight", Into(path), index);
        if (SUCCEEDED(hr)) {
            light = MakeLightProxy(m_client, path);
        }
        return hr;
    }
};

class ProfileProxy : public IProfile, BusObject, public std::enable_shared_from_this<ProfileProxy> {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid != IProfile::IID) {
            return E_NOINTERFACE;
        }
        out = std::static_pointer_cast<IServiceObject>(shared_from_this());
        return S_OK;
    }
    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        feature.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kProfile, "GetFeature", Into(path), GuidToBytes(iid));
        if (FAILED(hr)) {
            return hr;
        }
        feature = MakeProfileFeatureProxy(m_client, iid, path);
        return feature ? S_OK : E_NOINTERFACE;
    }
    HRESULT GetGuid(plat::GUID& id) override {
        std::vector<uint8_t> bytes;
        const HRESULT hr = Call(bus::kProfile, "GetGuid", Into(bytes));
        return FAILED(hr) ? hr : GuidFromBytes(bytes, id);
    }
    HRESULT GetName(std::u16string& name) override {
        std::string text;
        const HRESULT hr = Call(bus::kProfile, "GetName", Into(text));
        name = plat::Utf8ToUtf16(text);
        return hr;
    }
    HRESULT SetName(const std::u16string& name) override {
        return Call(bus::kProfile, "SetName", Into(), plat::Utf16ToUtf8(name));
    }
    HRESULT IsActive(bool& active) override { return Call(bus::kProfile, "IsActive", Into(active)); }
    HRESULT ExportToFile(const std::u16string& path) override {
        return Call(bus::kProfile, "ExportToFile", Into(), plat::Utf16ToUtf8(path));
    }
};

class ProfileManagerProxy : public IProfileManager, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetProfile(uint32_t index, std::shared_ptr<IProfile>& profile) override {
        return Hand(profile, "GetProfile", index);
    }
    HRESULT FindProfile(const plat::GUID& id, std::shared_ptr<IProfile>& profile) override {
        return Hand(profile, "FindProfile", GuidToBytes(id));
    }
    HRESULT SetActiveProfile(IProfile& profile) override { return ByGuid(profile, "SetActiveProfile"); }
    HRESULT GetActiveProfile(std::shared_ptr<IProfile>& profile) override {
        return Hand(profile, "GetActiveProfile");
    }
    HRESULT CreateProfile(std::shared_ptr<IProfile>& profile) override {
        return Hand(profile, "CreateProfile");
    }
    HRESULT DeleteProfile(IProfile& profile) override { return ByGuid(profile, "DeleteProfile"); }
    HRESULT GetProfileCount(uint32_t& count) override {
        return Call(bus::kProfileManager, "GetProfileCount", Into(count));
    }
    HRESULT ImportProfile(const std::u16string& path, std::shared_ptr<IProfile>& profile) override {
        return Hand(profile, "ImportProfile", plat::Utf16ToUtf8(path));
    }
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        cookie = 0;
        if (eventIid != _IProfileManagerEvents::IID) {
            return E_NO_CONNECTION;
        }
        auto target = SinkOf<_IProfileManagerEvents>(eventIid, sink);
        if (!target) {
            return E_INVALIDARG;
        }
        return m_client->Subscribe(
            DevicePath(), bus::kProfileManager, "ActiveProfileChanged",
            [target](sdbus::Message& message) {
                std::vector<uint8_t> bytes;
                message >> bytes;
                plat::GUID id;
                if (SUCCEEDED(GuidFromBytes(bytes, id))) {
                    target->OnActiveProfileChanged(id);
                }
            },
            cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return eventIid == _IProfileManagerEvents::IID ? m_client->Unsubscribe(cookie) : E_NO_CONNECTION;
    }

private:
    template <class... In>
    HRESULT Hand(std::shared_ptr<IProfile>& profile, const char* method, const In&... in) {
        profile.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kProfileManager, method, Into(path), in...);
        if (SUCCEEDED(hr)) {
            profile = MakeProfileProxy(m_client, path);
        }
        return hr;
    }
    HRESULT ByGuid(IProfile& profile, const char* method) {
        plat::GUID id;
        const HRESULT hr = profile.GetGuid(id);
        return FAILED(hr) ? hr : Call(bus::kProfileManager, method, Into(), GuidToBytes(id));
    }
};

} // namespace

std::shared_ptr<IProfile> MakeProfileProxy(const std::shared_ptr<BusClient>& client,
                                           const std::string& path) {
    return std::make_shared<ProfileProxy>(client, path);
}

std::shared_ptr<IServiceObject> MakeProfileFeatureProxy(const std::shared_ptr<BusClient>& client,
                                                        const plat::GUID& iid, const std::string& path) {
    if (iid == IPropertyStore::IID) {
        return std::make_shared<PropertyStoreProxy>(client, path);
    }
    if (iid == IDpi::IID) {
        return std::make_shared<DpiProxy>(client, path);
    }
    if (iid == IButtons::IID) {
        return std::make_shared<ButtonsProxy>(client, path);
    }
    if (iid == ILighting::IID) {
        return std::make_shared<LightingProxy>(client, path);
    }
    return nullptr;
}

std::shared_ptr<IServiceObject> MakeProfileManagerProxy(const std::shared_ptr<BusClient>& client,
                                                        const std::string& path) {
    return std::make_shared<ProfileManagerProxy>(client, path);
}
