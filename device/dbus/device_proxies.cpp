// Proxies of the enumerator and the device with its base-query interfaces.
#include "device/dbus/bus_client.h"
#include "device/dbus/device_enumerator.h"
#include "platform/text/utf.h"

namespace {

class DeviceInfoProxy : public IDeviceInfo, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetIds(uint32_t& vendorId, uint32_t& productId) override {
        return Call(bus::kDeviceInfo, "GetIds", Into(vendorId, productId));
    }
};

class DeviceVersionProxy : public IDeviceVersion, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetVersion(uint32_t& major, uint32_t& minor) override {
        return Call(bus::kDeviceVersion, "GetVersion", Into(major, minor));
    }
};

class DeviceProxy : public IDevice, BusObject, public std::enable_shared_from_this<DeviceProxy> {
public:
    using BusObject::BusObject;

    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid == IDevice::IID) {
            out = std::static_pointer_cast<IServiceObject>(shared_from_this());
            return S_OK;
        }
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kDevice, "QueryInterface", Into(path), GuidToBytes(iid));
        if (FAILED(hr)) {
            return hr;
        }
        if (iid == IDeviceInfo::IID) {
            out = std::make_shared<DeviceInfoProxy>(m_client, path);
        } else if (iid == IDeviceVersion::IID) {
            out = std::make_shared<DeviceVersionProxy>(m_client, path);
        }
        return out ? S_OK : E_NOINTERFACE;
    }

    HRESULT GetInformation(DeviceInformation& info) override {
        info = DeviceInformation{};
        std::string text;
        const HRESULT hr = Call(bus::kDevice, "GetInformation",
                                Into(info.reserved, info.productId, info.otherMajor, info.otherMinor,
                                     info.firmwareMajor, info.firmwareMinor, text));
        info.text = plat::Utf8ToUtf16(text);
        return hr;
    }

    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        feature.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kDevice, "GetFeature", Into(path), GuidToBytes(iid));
        if (FAILED(hr)) {
            return hr;
        }
        feature = MakeDeviceFeatureProxy(m_client, iid, path);
        return feature ? S_OK : E_NOINTERFACE;
    }
};

class EnumeratorProxy : public IDeviceEnumerator, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetDevice(uint32_t index, std::shared_ptr<IDevice>& device) override {
        device.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kEnumerator, "GetDevice", Into(path), index);
        if (SUCCEEDED(hr)) {
            device = std::make_shared<DeviceProxy>(m_client, path);
        }
        return hr;
    }
    // Asks the service something, which also starts it through activation.
    HRESULT Ping() {
        uint32_t count = 0;
        return Call(bus::kEnumerator, "GetDeviceCount", Into(count));
    }
};

} // namespace

HRESULT CreateDeviceEnumerator(std::shared_ptr<IDeviceEnumerator>& enumerator) {
    enumerator.reset();
    try {
        auto client = std::make_shared<BusClient>();
        auto proxy = std::make_shared<EnumeratorProxy>(client, bus::kRootPath);
        if (FAILED(proxy->Ping())) {
            return E_SERVICE_UNAVAILABLE;
        }
        enumerator = proxy;
        return S_OK;
    } catch (...) {
        return E_SERVICE_UNAVAILABLE;
    }
}

DeviceEnumeratorFactory BusEnumeratorFactory() {
    return CreateDeviceEnumerator;
}
