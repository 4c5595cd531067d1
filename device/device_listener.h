// Registration of windows for device-interface notifications of the HID class, so that a
// mouse plugged in or pulled out reaches them as WM_DEVICECHANGE.
#pragma once

#include "platform/core/messages.h"
#include "platform/os/device_notification.h"

#include <vector>

class CDeviceListener {
public:
    CDeviceListener() = default;
    ~CDeviceListener() { UnregisterAll(); }
    CDeviceListener(const CDeviceListener&) = delete;
    CDeviceListener& operator=(const CDeviceListener&) = delete;

    // The process-wide listener.
    static CDeviceListener& Instance();

    // A window the platform refuses (null, destroyed) is left out.
    void Register(plat::HWND window);
    // Unregisters every handle, last first.
    void UnregisterAll();
    size_t HandleCount() const { return m_handles.size(); }

private:
    std::vector<plat::HDEVNOTIFY> m_handles;
};
