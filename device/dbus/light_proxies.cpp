// Proxies of a light and its colour, brightness and effect parts.
#include "device/dbus/bus_client.h"

namespace {

class LightColorProxy : public ILightColor, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetColor(uint32_t color) override { return Call(bus::kLightColor, "SetColor", Into(), color); }
    HRESULT GetColor(uint32_t& color) override { return Call(bus::kLightColor, "GetColor", Into(color)); }
};

class LightBrightnessProxy : public ILightBrightness, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetBrightness(uint32_t percent) override {
        return Call(bus::kLightBrightness, "SetBrightness", Into(), percent);
    }
    HRESULT GetBrightness(uint32_t& percent) override {
        return Call(bus::kLightBrightness, "GetBrightness", Into(percent));
    }
};

class LightEffectProxy : public ILightEffect, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT SetEffect(uint32_t effect, uint32_t first, uint32_t second) override {
        return Call(bus::kLightEffect, "SetEffect", Into(), effect, first, second);
    }
    HRESULT GetEffect(uint32_t& effect, uint32_t& first, uint32_t& second) override {
        return Call(bus::kLightEffect, "GetEffect", Into(effect, first, second));
    }
};

class LightProxy : public ILight, BusObject, public std::enable_shared_from_this<LightProxy> {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid == ILight::IID) {
            out = std::static_pointer_cast<IServiceObject>(shared_from_this());
            return S_OK;
        }
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kLight, "QueryInterface", Into(path), GuidToBytes(iid));
        if (FAILED(hr)) {
            return hr;
        }
        if (iid == ILightColor::IID) {
            out = std::make_shared<LightColorProxy>(m_client, path);
        } else if (iid == ILightBrightness::IID) {
            out = std::make_shared<LightBrightnessProxy>(m_client, path);
        } else if (iid == ILightEffect::IID) {
            out = std::make_shared<LightEffectProxy>(m_client, path);
        }
        return out ? S_OK : E_NOINTERFACE;
    }
    HRESULT TurnOn() override { return Call(bus::kLight, "TurnOn", Into()); }
    HRESULT TurnOff() override { return Call(bus::kLight, "TurnOff", Into()); }
    HRESULT GetState(bool& on) override { return Call(bus::kLight, "GetState", Into(on)); }
    HRESULT GetNumber(uint32_t& number) override { return Call(bus::kLight, "GetNumber", Into(number)); }
};

} // namespace

std::shared_ptr<ILight> MakeLightProxy(const std::shared_ptr<BusClient>& client, const std::string& path) {
    return std::make_shared<LightProxy>(client, path);
}
