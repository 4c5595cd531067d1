// Proxies of the device-level features: acceleration, polling, sensor, on-the-fly recording
// and the application-launch source; and the choice of proxy by interface id.
#include "device/dbus/bus_client.h"
#include "platform/text/utf.h"

std::shared_ptr<IServiceObject> MakeProfileManagerProxy(const std::shared_ptr<BusClient>& client,
                                                        const std::string& path);
std::shared_ptr<IServiceObject> MakeMacroManagerProxy(const std::shared_ptr<BusClient>& client,
                                                      const std::string& path);

namespace {

class AccelerationProxy : public IAcceleration, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT TurnOn() override { return Call(bus::kAcceleration, "TurnOn", Into()); }
    HRESULT TurnOff() override { return Call(bus::kAcceleration, "TurnOff", Into()); }
    HRESULT GetState(bool& on) override { return Call(bus::kAcceleration, "GetState", Into(on)); }
    HRESULT SetLevel(uint32_t level) override { return Call(bus::kAcceleration, "SetLevel", Into(), level); }
    HRESULT GetLevel(uint32_t& level) override { return Call(bus::kAcceleration, "GetLevel", Into(level)); }
};

class PollingProxy : public IPolling, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetInterval(uint32_t& code) override { return Call(bus::kPolling, "GetInterval", Into(code)); }
    HRESULT SetInterval(uint32_t code) override { return Call(bus::kPolling, "SetInterval", Into(), code); }
    HRESULT GetRates(std::vector<uint32_t>& rates) override {
        rates.clear();
        return Call(bus::kPolling, "GetRates", Into(rates));
    }
};

class SensorProxy : public ISensor, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetCalibration(bool& on) override { return Call(bus::kSensor, "GetCalibration", Into(on)); }
    HRESULT CalibrationOn() override { return Call(bus::kSensor, "CalibrationOn", Into()); }
    HRESULT CalibrationOff() override { return Call(bus::kSensor, "CalibrationOff", Into()); }
    HRESULT GetLiftOffMode(uint32_t& mode) override {
        return Call(bus::kSensor, "GetLiftOffMode", Into(mode));
    }
    HRESULT SetLiftOffMode(uint32_t mode) override {
        return Call(bus::kSensor, "SetLiftOffMode", Into(), mode);
    }
    HRESULT GetLiftOffDistance(uint32_t& distance) override {
        return Call(bus::kSensor, "GetLiftOffDistance", Into(distance));
    }
    HRESULT SetLiftOffDistance(uint32_t distance) override {
        return Call(bus::kSensor, "SetLiftOffDistance", Into(), distance);
    }
};

class RecordingProxy : public IOnTheFlyRecording, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetMode(uint32_t& mode) override { return Call(bus::kOnTheFlyRecording, "GetMode", Into(mode)); }
    HRESULT SetMode(uint32_t mode) override { return Call(bus::kOnTheFlyRecording, "SetMode", Into(), mode); }
};

class LaunchSourceProxy : public IApplicationLaunchSource, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        cookie = 0;
        if (eventIid != _IApplicationEvent::IID) {
            return E_NO_CONNECTION;
        }
        auto target = std::dynamic_pointer_cast<_IApplicationEvent>(sink);
        if (!target) {
            return E_INVALIDARG;
        }
        return m_client->Subscribe(
            DevicePath(), bus::kApplicationLaunch, "Launch",
            [target](sdbus::Message& message) {
                int32_t kind = 0;
                std::string path;
                message >> kind >> path;
                target->OnLaunch(kind, plat::Utf8ToUtf16(path));
            },
            cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return eventIid == _IApplicationEvent::IID ? m_client->Unsubscribe(cookie) : E_NO_CONNECTION;
    }
};

} // namespace

std::shared_ptr<IServiceObject> MakeDeviceFeatureProxy(const std::shared_ptr<BusClient>& client,
                                                       const plat::GUID& iid, const std::string& path) {
    if (iid == IProfileManager::IID) {
        return MakeProfileManagerProxy(client, path);
    }
    if (iid == IMacroManager::IID) {
        return MakeMacroManagerProxy(client, path);
    }
    if (iid == IAcceleration::IID) {
        return std::make_shared<AccelerationProxy>(client, path);
    }
    if (iid == IPolling::IID) {
        return std::make_shared<PollingProxy>(client, path);
    }
    if (iid == ISensor::IID) {
        return std::make_shared<SensorProxy>(client, path);
    }
    if (iid == IOnTheFlyRecording::IID) {
        return std::make_shared<RecordingProxy>(client, path);
    }
    if (iid == IApplicationLaunchSource::IID) {
        return std::make_shared<LaunchSourceProxy>(client, path);
    }
    return nullptr;
}
