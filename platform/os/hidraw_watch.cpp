// The watch keeps the path of every hidraw node it has seen, because by the time a removal
// arrives the parent HID device has left sysfs and its HID_ID can no longer be read.
#include "platform/os/hidraw_watch.h"

#include "platform/os/device_notification.h"
#include "platform/text/guid.h"
#include "platform/text/utf.h"

#include <libudev.h>
#include <poll.h>

#include <cstdio>
#include <map>
#include <mutex>
#include <thread>

namespace plat {
namespace {

constexpr GUID kHidInterfaceClass{
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

std::string Property(udev_device* device, const char* name) {
    const char* value = device != nullptr ? udev_device_get_property_value(device, name) : nullptr;
    return value != nullptr ? value : "";
}

// Path of a hidraw node from its parent HID device; empty when it has none.
std::u16string PathOf(udev_device* hidraw) {
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
    const char* node = udev_device_get_sysname(hidraw);
    return HidrawWatch::InterfacePath(Property(hid, "HID_ID"), Property(hid, "HID_UNIQ"),
                                      node != nullptr ? node : "");
}

class Watcher {
public:
    // Takes ownership of both; they live as long as the process.
    Watcher(udev* context, udev_monitor* monitor) : m_udev(context), m_monitor(monitor) {}

    void RememberPresent() {
        udev_enumerate* list = udev_enumerate_new(m_udev);
        if (list == nullptr) {
            return;
        }
        udev_enumerate_add_match_subsystem(list, "hidraw");
        udev_enumerate_scan_devices(list);
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(list)) {
            const char* syspath = udev_list_entry_get_name(entry);
            if (udev_device* device = udev_device_new_from_syspath(m_udev, syspath)) {
                m_paths[syspath] = PathOf(device);
                udev_device_unref(device);
            }
        }
        udev_enumerate_unref(list);
    }

    void Run() {
        pollfd fd{udev_monitor_get_fd(m_monitor), POLLIN, 0};
        for (;;) {
            if (poll(&fd, 1, -1) <= 0) {
                continue;
            }
            if (udev_device* device = udev_monitor_receive_device(m_monitor)) {
                Handle(device);
                udev_device_unref(device);
            }
        }
    }

private:
    void Handle(udev_device* device) {
        const std::string action =
            udev_device_get_action(device) != nullptr ? udev_device_get_action(device) : "";
        const std::string syspath = udev_device_get_syspath(device);
        if (action == "add") {
            const std::u16string path = PathOf(device);
            m_paths[syspath] = path;
            if (!path.empty()) {
                DeliverDeviceInterfaceChange(path, true);
            }
        } else if (action == "remove") {
            const auto known = m_paths.find(syspath);
            if (known != m_paths.end()) {
                if (!known->second.empty()) {
                    DeliverDeviceInterfaceChange(known->second, false);
                }
                m_paths.erase(known);
            }
        }
    }

    udev* m_udev;
    udev_monitor* m_monitor;
    std::map<std::string, std::u16string> m_paths;
};

} // namespace

void HidrawWatch::Start() {
    static std::once_flag once;
    std::call_once(once, [] {
        udev* context = udev_new();
        if (context == nullptr) {
            return;
        }
        udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
        if (monitor == nullptr ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor) < 0) {
            if (monitor != nullptr) {
                udev_monitor_unref(monitor);
            }
            udev_unref(context);
            return;
        }
        // Lives as long as the process, like the bus watches: no teardown races with the
        // windows it sends to.
        static Watcher* watcher = nullptr;
        watcher = new Watcher(context, monitor);
        watcher->RememberPresent();
        std::thread([] { watcher->Run(); }).detach();
    });
}

std::u16string HidrawWatch::InterfacePath(std::string_view hidId, std::string_view uniq,
                                          std::string_view node) {
    unsigned bus = 0;
    unsigned vendor = 0;
    unsigned product = 0;
    char extra = 0;
    const std::string id(hidId);
    if (std::sscanf(id.c_str(), "%x:%x:%x%c", &bus, &vendor, &product, &extra) != 3 || vendor > 0xFFFF ||
        product > 0xFFFF) {
        return {};
    }
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "\\\\?\\HID#VID_%04X&PID_%04X#", vendor, product);
    std::string instance(uniq.empty() ? node : uniq);
    // '#' separates the path's parts; a serial must not forge another part.
    for (char& c : instance) {
        if (c == '#' || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    return Utf8ToUtf16(prefix + instance + "#") + GuidToString(kHidInterfaceClass);
}

} // namespace plat
