// Registration of windows for device-interface notifications of the HID class. The
// platform supplies the notifications; until a registrar is installed, registering
// stores nothing and no notifications arrive.
#pragma once

#include "platform/core/messages.h"
#include "platform/text/guid.h"

#include <cstdint>
#include <functional>
#include <vector>

// The filter a window registers with: device type 5 (device interface) and its class.
struct DeviceInterfaceFilter {
    uint32_t size = 32;
    uint32_t deviceType = 5;
    uint32_t reserved = 0;
    plat::GUID classGuid;
};

using DeviceNotifyHandle = uintptr_t;

// How registrations reach the platform. A zero handle means the registration failed.
struct DeviceNotificationRegistrar {
    std::function<DeviceNotifyHandle(plat::HWND, const DeviceInterfaceFilter&, uint32_t flags)>
        registerWindow;
    std::function<void(DeviceNotifyHandle)> unregister;
};

void SetDeviceNotificationRegistrar(DeviceNotificationRegistrar registrar);

class CDeviceListener {
public:
    CDeviceListener() = default;
    ~CDeviceListener() { UnregisterAll(); }
    CDeviceListener(const CDeviceListener&) = delete;
    CDeviceListener& operator=(const CDeviceListener&) = delete;

    // The process-wide listener.
    static CDeviceListener& Instance();

    // A null window does nothing; a returned handle is kept.
    void Register(plat::HWND window);
    // Unregisters every handle, last first.
    void UnregisterAll();
    size_t HandleCount() const { return m_handles.size(); }

private:
    std::vector<DeviceNotifyHandle> m_handles;
};
