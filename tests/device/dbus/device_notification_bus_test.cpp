// An emulated mouse plugged and unplugged through the service reaches a window registered
// for its interface class as WM_DEVICECHANGE.
#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/os/device_notification.h"
#include "tests/device/dbus/private_bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace plat;

namespace {

constexpr GUID kHid{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

TEST(DeviceNotificationOverTheBus, PlugAndUnplugArriveAsDeviceChanges) {
    PrivateBus bus;
    ASSERT_TRUE(bus.Started());
    std::vector<std::pair<WPARAM, std::u16string>> seen;
    FunctionTarget target([&](UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DEVICECHANGE) {
            const auto* b = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
            seen.emplace_back(wParam, b->dbcc_name);
        }
        return 0;
    });
    const HWND window = CreateWindowHandle(&target);
    DEV_BROADCAST_DEVICEINTERFACE_W filter;
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHid;
    const HDEVNOTIFY notify = RegisterDeviceNotification(window, &filter, 0);
    ASSERT_NE(notify, nullptr);

    ASSERT_EQ(bus.DeviceCtl("plug legacy"), 0);
    ASSERT_EQ(bus.DeviceCtl("unplug KV00170001"), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (seen.size() < 2 && std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessage(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::u16string path =
        u"\\\\?\\HID#VID_2B4C&PID_0017#KV00170001#{4D1E55B2-F16F-11CF-88CB-001111000030}";
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], std::make_pair(DBT_DEVICEARRIVAL, path));
    EXPECT_EQ(seen[1], std::make_pair(DBT_DEVICEREMOVECOMPLETE, path));
    UnregisterDeviceNotification(notify);
    DestroyWindowHandle(window);
}

} // namespace
