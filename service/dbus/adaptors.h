// One function per bus interface: each registers its methods (and signals) on an object and
// forwards them to the in-process service object it is given.
#pragma once

#include "service/dbus/service_bus.h"

#include <sdbus-c++/sdbus-c++.h>

void AddEnumeratorInterface(sdbus::IObject& object, CServiceBus& bus);
void AddEmulatorInterface(sdbus::IObject& object, CServiceBus& bus);
void AddDeviceInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddDeviceInfoInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddDeviceVersionInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddProfileManagerInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddMacroManagerInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddAccelerationInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddPollingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddSensorInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddRecordingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial);
void AddDeviceEventSignals(sdbus::IObject& object);
void AddProfileInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                         const plat::GUID& id);
void AddPropertyStoreInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                               const plat::GUID& id);
void AddDpiInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                     const plat::GUID& id);
void AddButtonsInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                         const plat::GUID& id);
void AddLightingInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                          const plat::GUID& id);
void AddLightInterfaces(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                        const plat::GUID& id, uint32_t index);
void AddMacroInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                       const plat::GUID& id);

// The in-process feature object behind a device or profile interface.
template <class T> std::shared_ptr<T> DeviceFeature(CServiceBus& bus, const std::string& serial) {
    std::shared_ptr<IServiceObject> any;
    if (T::IID == IProfileManager::IID) {
        any = MakeLocalProfileManager(bus.ContextOf(serial));
    } else if (T::IID == IMacroManager::IID) {
        any = MakeLocalMacroManager(bus.ContextOf(serial));
    } else {
        const ModelDescriptor* model = nullptr;
        bus.Emulator().WithMouse(serial, [&model](EmulatedMouse& mouse) {
            model = &mouse.Model();
            return S_OK;
        });
        if (model != nullptr) {
            any = MakeLocalDeviceSetting(bus.ContextOf(serial), T::IID, *model);
        }
    }
    return std::dynamic_pointer_cast<T>(any);
}

template <class T>
std::shared_ptr<T> ProfileFeature(CServiceBus& bus, const std::string& serial, const plat::GUID& id) {
    return std::dynamic_pointer_cast<T>(MakeLocalProfileFeature(bus.ContextOf(serial), id, T::IID));
}
