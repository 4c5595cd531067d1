// Device-notification registrations.
#include "device/device_listener.h"

#include "device/contract.h"

namespace {

DeviceNotificationRegistrar& Registrar() {
    static DeviceNotificationRegistrar registrar;
    return registrar;
}

} // namespace

void SetDeviceNotificationRegistrar(DeviceNotificationRegistrar registrar) {
    Registrar() = std::move(registrar);
}

CDeviceListener& CDeviceListener::Instance() {
    static CDeviceListener listener;
    return listener;
}

void CDeviceListener::Register(plat::HWND window) {
    if (window == nullptr || !Registrar().registerWindow) {
        return;
    }
    DeviceInterfaceFilter filter;
    filter.classGuid = GUID_DEVINTERFACE_HID;
    const DeviceNotifyHandle handle = Registrar().registerWindow(window, filter, 0);
    if (handle != 0) {
        m_handles.push_back(handle);
    }
}

void CDeviceListener::UnregisterAll() {
    while (!m_handles.empty()) {
        const DeviceNotifyHandle handle = m_handles.back();
        m_handles.pop_back();
        if (Registrar().unregister) {
            Registrar().unregister(handle);
        }
    }
}
