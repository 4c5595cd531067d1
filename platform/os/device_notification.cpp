// Registrations under one lock; delivery sends (the broadcast lives on the sender's stack,
// as the receiver reads it only while handling the message) after copying the targets, so
// a window may unregister from its handler.
#include "platform/os/device_notification.h"

#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/os/notification_sources.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace plat {
namespace {

constexpr DWORD kFilterSize = sizeof(DEV_BROADCAST_DEVICEINTERFACE_W);

struct Registration {
    std::uintptr_t id = 0;
    HWND window = nullptr;
    GUID classGuid;
    bool allClasses = false;
};

std::mutex g_mutex;
std::vector<Registration> g_registrations;
std::uintptr_t g_lastId = 0;

} // namespace

HDEVNOTIFY RegisterDeviceNotification(HWND window, const void* filter, DWORD flags) {
    if (window == nullptr || filter == nullptr ||
        (flags & ~DEVICE_NOTIFY_ALL_INTERFACE_CLASSES) != DEVICE_NOTIFY_WINDOW_HANDLE) {
        return nullptr;
    }
    DEV_BROADCAST_HDR header;
    std::memcpy(&header, filter, sizeof header);
    if (header.dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header.dbch_size < kFilterSize) {
        return nullptr;
    }
    DEV_BROADCAST_DEVICEINTERFACE_W f;
    std::memcpy(static_cast<void*>(&f), filter, kFilterSize);
    std::uintptr_t id = 0;
    {
        std::lock_guard lock(g_mutex);
        id = ++g_lastId;
        g_registrations.push_back(
            {id, window, f.dbcc_classguid, (flags & DEVICE_NOTIFY_ALL_INTERFACE_CLASSES) != 0});
    }
    StartNotificationSources();
    return reinterpret_cast<HDEVNOTIFY>(id);
}

bool UnregisterDeviceNotification(HDEVNOTIFY handle) {
    const auto id = reinterpret_cast<std::uintptr_t>(handle);
    std::lock_guard lock(g_mutex);
    return std::erase_if(g_registrations, [&](const Registration& r) { return r.id == id; }) > 0;
}

GUID DeviceInterfaceClassOfPath(const std::u16string& path) {
    const auto open = path.rfind(u'{');
    if (open == std::u16string::npos || path.back() != u'}') {
        return GUID{};
    }
    return GuidFromString(std::u16string_view(path).substr(open)).value_or(GUID{});
}

void DeliverDeviceInterfaceChange(const std::u16string& path, bool arrival) {
    const GUID classGuid = DeviceInterfaceClassOfPath(path);
    std::vector<HWND> targets;
    {
        std::lock_guard lock(g_mutex);
        for (const Registration& r : g_registrations) {
            if (r.allClasses || (!classGuid.IsNull() && r.classGuid == classGuid)) {
                targets.push_back(r.window);
            }
        }
    }
    if (targets.empty()) {
        return;
    }
    const std::size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    const std::size_t bytes = nameOffset + (path.size() + 1) * sizeof(char16_t);
    // Whole structures, so the header is aligned and at least the declared size.
    std::vector<DEV_BROADCAST_DEVICEINTERFACE_W> buffer(bytes / kFilterSize + 1);
    auto* broadcast = buffer.data();
    broadcast->dbcc_size = static_cast<DWORD>(bytes);
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = classGuid;
    auto* name = reinterpret_cast<unsigned char*>(broadcast) + nameOffset;
    std::memcpy(name, path.data(), path.size() * sizeof(char16_t));
    std::memset(name + path.size() * sizeof(char16_t), 0, sizeof(char16_t));
    const WPARAM event = arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    for (HWND w : targets) {
        LRESULT ignored = 0;
        TrySendMessage(w, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(broadcast), &ignored);
    }
}

} // namespace plat
