// Device-interface notifications: windows register for an interface class and receive
// WM_DEVICECHANGE with DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and a device-interface
// broadcast naming the class and the device path. Sources (the device service's signals,
// tests) call DeliverDeviceInterfaceChange.
#pragma once

#include "platform/core/messages.h"
#include "platform/text/guid.h"

#include <string>

namespace plat {

inline constexpr DWORD DEVICE_NOTIFY_WINDOW_HANDLE = 0x0;
inline constexpr DWORD DEVICE_NOTIFY_ALL_INTERFACE_CLASSES = 0x4;

struct DEV_BROADCAST_HDR {
    DWORD dbch_size = 0;
    DWORD dbch_devicetype = 0;
    DWORD dbch_reserved = 0;
};

// The filter a window registers with and the broadcast it receives; a broadcast's name runs
// past the declared array up to dbcc_size bytes and ends with a zero.
struct DEV_BROADCAST_DEVICEINTERFACE_W {
    DWORD dbcc_size = 0;
    DWORD dbcc_devicetype = 0;
    DWORD dbcc_reserved = 0;
    GUID dbcc_classguid;
    char16_t dbcc_name[1] = {};
};

struct DeviceNotifyTag;
using HDEVNOTIFY = DeviceNotifyTag*;

// Null for a null window, a null or short filter, a filter of another device type, or
// flags other than the window-handle ones.
HDEVNOTIFY RegisterDeviceNotification(HWND window, const void* filter, DWORD flags);
bool UnregisterDeviceNotification(HDEVNOTIFY handle);

// Sends WM_DEVICECHANGE to every window registered for the path's class (the GUID at the
// end of the path). `arrival` picks DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE. A path
// without a class GUID reaches only the windows that asked for every class.
void DeliverDeviceInterfaceChange(const std::u16string& path, bool arrival);

// The class GUID at the end of a device path ("...#{guid}"), null GUID when there is none.
GUID DeviceInterfaceClassOfPath(const std::u16string& path);

} // namespace plat
