// Each bus gets its own connection with its own event-loop thread. They stay for the life
// of the process: notifications are wanted until the end, and tearing a bus thread down
// during static destruction would race with the windows it sends to.
#include "platform/os/notification_sources.h"

#include "platform/os/device_notification.h"
#include "platform/os/hidraw_watch.h"
#include "platform/os/session_notification.h"
#include "platform/text/utf.h"

#include <sdbus-c++/sdbus-c++.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace plat {
namespace {

// The device service's well-known name and root object, where its enumerator announces
// devices coming and going.
constexpr const char* kDeviceService = "com.kavox.DeviceService1";
constexpr const char* kDeviceRoot = "/com/kavox/DeviceService1";
constexpr const char* kDeviceEnumerator = "com.kavox.DeviceService1.Enumerator";

struct BusWatch {
    std::unique_ptr<sdbus::IConnection> connection;
    std::vector<std::unique_ptr<sdbus::IProxy>> proxies;
};

std::mutex g_mutex;
bool g_started = false;
bool g_disabled = false;
// Never freed, see above; the list itself is immortal too, so the watches stay reachable.
std::vector<BusWatch*>& Watches() {
    static auto* watches = new std::vector<BusWatch*>;
    return *watches;
}

DWORD CurrentSessionId() {
    const char* id = std::getenv("XDG_SESSION_ID");
    return id != nullptr ? static_cast<DWORD>(std::strtoul(id, nullptr, 10)) : 0;
}

void WatchDeviceService(BusWatch& watch) {
    auto proxy = sdbus::createProxy(*watch.connection, kDeviceService, kDeviceRoot);
    proxy->uponSignal("DeviceArrived").onInterface(kDeviceEnumerator).call([](const std::string& path) {
        DeliverDeviceInterfaceChange(Utf8ToUtf16(path), true);
    });
    proxy->uponSignal("DeviceRemoved").onInterface(kDeviceEnumerator).call([](const std::string& path) {
        DeliverDeviceInterfaceChange(Utf8ToUtf16(path), false);
    });
    proxy->finishRegistration();
    watch.proxies.push_back(std::move(proxy));
}

void WatchScreenSaver(BusWatch& watch) {
    auto proxy =
        sdbus::createProxy(*watch.connection, "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver");
    proxy->uponSignal("ActiveChanged").onInterface("org.freedesktop.ScreenSaver").call([](bool active) {
        DeliverSessionChange(active ? WTS_SESSION_LOCK : WTS_SESSION_UNLOCK, CurrentSessionId());
    });
    proxy->finishRegistration();
    watch.proxies.push_back(std::move(proxy));
}

void WatchLogind(BusWatch& watch) {
    auto manager = sdbus::createProxy(*watch.connection, "org.freedesktop.login1", "/org/freedesktop/login1");
    sdbus::ObjectPath session;
    manager->callMethod("GetSessionByPID")
        .onInterface("org.freedesktop.login1.Manager")
        .withArguments(static_cast<uint32_t>(getpid()))
        .storeResultsTo(session);
    auto proxy = sdbus::createProxy(*watch.connection, "org.freedesktop.login1", session);
    proxy->uponSignal("Lock").onInterface("org.freedesktop.login1.Session").call([]() {
        DeliverSessionChange(WTS_SESSION_LOCK, CurrentSessionId());
    });
    proxy->uponSignal("Unlock").onInterface("org.freedesktop.login1.Session").call([]() {
        DeliverSessionChange(WTS_SESSION_UNLOCK, CurrentSessionId());
    });
    proxy->finishRegistration();
    watch.proxies.push_back(std::move(proxy));
}

// Opens one bus and installs the watches that succeed; null when the bus is unreachable.
BusWatch* OpenWatch(bool systemBus, const std::vector<void (*)(BusWatch&)>& installers) {
    auto watch = std::make_unique<BusWatch>();
    try {
        watch->connection =
            systemBus ? sdbus::createSystemBusConnection() : sdbus::createSessionBusConnection();
    } catch (const sdbus::Error&) {
        return nullptr;
    }
    for (auto install : installers) {
        try {
            install(*watch);
        } catch (const sdbus::Error&) {
            // That peer is absent; the others may still be there.
        }
    }
    if (watch->proxies.empty()) {
        return nullptr;
    }
    // Our own thread rather than the library's, so that a bus going away ends the watch
    // instead of throwing where nobody catches.
    sdbus::IConnection* connection = watch->connection.get();
    std::thread([connection] {
        try {
            connection->enterEventLoop();
        } catch (const sdbus::Error&) {
        }
    }).detach();
    return watch.release();
}

} // namespace

void StartNotificationSources() {
    std::lock_guard lock(g_mutex);
    if (g_started || g_disabled) {
        return;
    }
    g_started = true;
    if (BusWatch* w = OpenWatch(false, {WatchDeviceService, WatchScreenSaver})) {
        Watches().push_back(w);
    }
    if (BusWatch* w = OpenWatch(true, {WatchLogind})) {
        Watches().push_back(w);
    }
    HidrawWatch::Start();
}

void DisableNotificationSources() {
    std::lock_guard lock(g_mutex);
    g_disabled = true;
}

} // namespace plat
