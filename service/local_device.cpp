// In-process enumerator and device, with the device-level features that are plain settings:
// information, version, acceleration, polling, sensor, launch source and recording.
#include "service/local_mouse_object.h"
#include "service/local_objects.h"

#include <algorithm>

namespace {

class LocalEnumerator : public IDeviceEnumerator {
public:
    explicit LocalEnumerator(std::shared_ptr<CEmulator> emulator) : m_emulator(std::move(emulator)) {}

    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT GetDevice(uint32_t index, std::shared_ptr<IDevice>& device) override {
        device.reset();
        const std::vector<std::string> serials = m_emulator->AttachedSerials();
        if (index >= serials.size()) {
            return E_NO_MORE_ITEMS;
        }
        device = MakeLocalDevice({m_emulator, serials[index]});
        return S_OK;
    }

private:
    std::shared_ptr<CEmulator> m_emulator;
};

class LocalDeviceInfo : public IDeviceInfo, LocalMouseObject {
public:
    explicit LocalDeviceInfo(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetIds(uint32_t& vendorId, uint32_t& productId) override {
        return Read([&](const EmulatedMouse& mouse) {
            vendorId = kKavoxVendorId;
            productId = mouse.Model().productId;
            return S_OK;
        });
    }
};

class LocalVersion : public IDeviceVersion, LocalMouseObject {
public:
    explicit LocalVersion(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetVersion(uint32_t& major, uint32_t& minor) override {
        return Read([&](const EmulatedMouse& mouse) {
            major = mouse.Model().firmwareMajor;
            minor = mouse.Model().firmwareMinor;
            return S_OK;
        });
    }
};

class LocalDevice : public IDevice, LocalMouseObject, public std::enable_shared_from_this<LocalDevice> {
public:
    explicit LocalDevice(const LocalContext& context) : LocalMouseObject(context) {}

    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid == IDevice::IID) {
            return Offer(shared_from_this(), out);
        }
        if (iid == IDeviceInfo::IID) {
            return Offer(std::make_shared<LocalDeviceInfo>(Context()), out);
        }
        if (iid == IDeviceVersion::IID) {
            return Read([&](const EmulatedMouse& mouse) {
                const auto& caps = mouse.Model().capabilities;
                if (std::find(caps.begin(), caps.end(), 16u) == caps.end()) {
                    return E_NOINTERFACE;
                }
                return Offer(std::make_shared<LocalVersion>(Context()), out);
            });
        }
        return E_NOINTERFACE;
    }

    HRESULT GetInformation(DeviceInformation& info) override {
        info = DeviceInformation{};
        return Read([&](const EmulatedMouse& mouse) {
            const ModelDescriptor& model = mouse.Model();
            info.productId = model.productId;
            info.otherMajor = model.otherMajor;
            info.otherMinor = model.otherMinor;
            info.firmwareMajor = model.firmwareMajor;
            info.firmwareMinor = model.firmwareMinor;
            info.text = model.displayName;
            return S_OK;
        });
    }

    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        feature.reset();
        if (iid == IProfileManager::IID) {
            return Read(
                [&](const EmulatedMouse&) { return Offer(MakeLocalProfileManager(Context()), feature); });
        }
        if (iid == IMacroManager::IID) {
            return Read(
                [&](const EmulatedMouse&) { return Offer(MakeLocalMacroManager(Context()), feature); });
        }
        return Read([&](const EmulatedMouse& mouse) {
            feature = MakeLocalDeviceSetting(Context(), iid, mouse.Model());
            return feature ? S_OK : E_NOINTERFACE;
        });
    }
};

class LocalAcceleration : public IAcceleration, LocalMouseObject {
public:
    explicit LocalAcceleration(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT TurnOn() override { return Switch(true); }
    HRESULT TurnOff() override { return Switch(false); }
    HRESULT GetState(bool& on) override {
        return Read([&](const EmulatedMouse& mouse) {
            on = mouse.Memory().accelerationOn;
            return S_OK;
        });
    }
    HRESULT SetLevel(uint32_t level) override {
        if (level < kMinAccelerationLevel || level > kMaxAccelerationLevel) {
            return E_INVALIDARG;
        }
        return Change([level](MouseMemory& memory, const ModelDescriptor&) {
            memory.accelerationLevel = level;
            return S_OK;
        });
    }
    HRESULT GetLevel(uint32_t& level) override {
        return Read([&](const EmulatedMouse& mouse) {
            level = mouse.Memory().accelerationLevel;
            return S_OK;
        });
    }

private:
    HRESULT Switch(bool on) {
        return Change([on](MouseMemory& memory, const ModelDescriptor&) {
            memory.accelerationOn = on;
            return S_OK;
        });
    }
};

class LocalPolling : public IPolling, LocalMouseObject {
public:
    explicit LocalPolling(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetInterval(uint32_t& code) override {
        return Read([&](const EmulatedMouse& mouse) {
            code = mouse.Memory().pollingInterval;
            return S_OK;
        });
    }
    HRESULT SetInterval(uint32_t code) override {
        if (code != kInterval1000Hz && code != kInterval500Hz && code != kInterval125Hz) {
            return E_INVALIDARG;
        }
        return Change([code](MouseMemory& memory, const ModelDescriptor&) {
            memory.pollingInterval = code;
            return S_OK;
        });
    }
    HRESULT GetRates(std::vector<uint32_t>& rates) override {
        return Read([&](const EmulatedMouse& mouse) {
            rates = mouse.Model().pollingRates;
            return S_OK;
        });
    }
};

class LocalSensor : public ISensor, LocalMouseObject {
public:
    explicit LocalSensor(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetCalibration(bool& on) override {
        return Read([&](const EmulatedMouse& mouse) {
            on = mouse.Memory().calibrationOn;
            return S_OK;
        });
    }
    HRESULT CalibrationOn() override { return SetCalibration(true); }
    HRESULT CalibrationOff() override { return SetCalibration(false); }
    HRESULT GetLiftOffMode(uint32_t& mode) override {
        return Read([&](const EmulatedMouse& mouse) {
            mode = mouse.Memory().liftOffMode;
            return S_OK;
        });
    }
    HRESULT SetLiftOffMode(uint32_t mode) override {
        if (mode != kLiftOffAutomatic && mode != kLiftOffCustom) {
            return E_INVALIDARG;
        }
        return Change([mode](MouseMemory& memory, const ModelDescriptor&) {
            memory.liftOffMode = mode;
            return S_OK;
        });
    }
    HRESULT GetLiftOffDistance(uint32_t& distance) override {
        return Read([&](const EmulatedMouse& mouse) {
            distance = mouse.Memory().liftOffDistance;
            return S_OK;
        });
    }
    HRESULT SetLiftOffDistance(uint32_t distance) override {
        if (distance > kMaxLiftOffDistance) {
            return E_INVALIDARG;
        }
        return Change([distance](MouseMemory& memory, const ModelDescriptor&) {
            memory.liftOffDistance = distance;
            return S_OK;
        });
    }

private:
    HRESULT SetCalibration(bool on) {
        return Change([on](MouseMemory& memory, const ModelDescriptor&) {
            memory.calibrationOn = on;
            return S_OK;
        });
    }
};

class LocalLaunchSource : public IApplicationLaunchSource, LocalMouseObject {
public:
    explicit LocalLaunchSource(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT Advise(const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        return AdviseOn(_IApplicationEvent::IID, eventIid, std::move(sink), cookie);
    }
    HRESULT Unadvise(const plat::GUID& eventIid, uint32_t cookie) override {
        return UnadviseOn(_IApplicationEvent::IID, eventIid, cookie);
    }
};

class LocalRecording : public IOnTheFlyRecording, LocalMouseObject {
public:
    explicit LocalRecording(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetMode(uint32_t& mode) override {
        return Read([&](const EmulatedMouse& mouse) {
            mode = mouse.Memory().recordingMode;
            return S_OK;
        });
    }
    HRESULT SetMode(uint32_t mode) override {
        if (mode != kRecordingOff && mode != kRecordingOn) {
            return E_INVALIDARG;
        }
        return Change([mode](MouseMemory& memory, const ModelDescriptor&) {
            memory.recordingMode = mode;
            return S_OK;
        });
    }
};

} // namespace

std::shared_ptr<IDevice> MakeLocalDevice(const LocalContext& context) {
    return std::make_shared<LocalDevice>(context);
}

std::shared_ptr<IServiceObject> MakeLocalDeviceSetting(const LocalContext& context, const plat::GUID& iid,
                                                       const ModelDescriptor& model) {
    if (iid == IAcceleration::IID) {
        return std::make_shared<LocalAcceleration>(context);
    }
    if (iid == IPolling::IID) {
        return std::make_shared<LocalPolling>(context);
    }
    if (iid == ISensor::IID && model.hasSensor) {
        return std::make_shared<LocalSensor>(context);
    }
    if (iid == IApplicationLaunchSource::IID) {
        return std::make_shared<LocalLaunchSource>(context);
    }
    if (iid == IOnTheFlyRecording::IID) {
        return std::make_shared<LocalRecording>(context);
    }
    return nullptr;
}

std::shared_ptr<IDeviceEnumerator> CreateLocalEnumerator(std::shared_ptr<CEmulator> emulator) {
    return std::make_shared<LocalEnumerator>(std::move(emulator));
}

DeviceEnumeratorFactory LocalEnumeratorFactory(std::shared_ptr<CEmulator> emulator) {
    return [emulator](std::shared_ptr<IDeviceEnumerator>& out) {
        out = CreateLocalEnumerator(emulator);
        return S_OK;
    };
}
