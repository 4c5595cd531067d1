// Device-notification registrations.
#include "device/device_listener.h"

#include "device/contract.h"

CDeviceListener& CDeviceListener::Instance() {
    static CDeviceListener listener;
    return listener;
}

void CDeviceListener::Register(plat::HWND window) {
    plat::DEV_BROADCAST_DEVICEINTERFACE_W filter;
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = plat::DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = GUID_DEVINTERFACE_HID;
    if (const plat::HDEVNOTIFY handle =
            plat::RegisterDeviceNotification(window, &filter, plat::DEVICE_NOTIFY_WINDOW_HANDLE)) {
        m_handles.push_back(handle);
    }
}

void CDeviceListener::UnregisterAll() {
    while (!m_handles.empty()) {
        plat::UnregisterDeviceNotification(m_handles.back());
        m_handles.pop_back();
    }
}
