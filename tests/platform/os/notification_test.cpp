#include "platform/os/device_notification.h"
#include "platform/os/hidraw_watch.h"
#include "platform/os/notification_sources.h"
#include "platform/os/session_notification.h"

#include "tests/platform/os/recording_window.h"

#include <gtest/gtest.h>

#include <string>

using namespace plat;

namespace {

constexpr GUID kHid{0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr GUID kMouse{0x378DE44C, 0x56EF, 0x11D1, {0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD}};
const std::u16string kHidPath = u"\\\\?\\HID#VID_2B4C&PID_002F#SER1#{4D1E55B2-F16F-11CF-88CB-001111000030}";

DEV_BROADCAST_DEVICEINTERFACE_W Filter(const GUID& classGuid) {
    DEV_BROADCAST_DEVICEINTERFACE_W f;
    f.dbcc_size = sizeof f;
    f.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    f.dbcc_classguid = classGuid;
    return f;
}

struct Seen {
    WPARAM event = 0;
    GUID classGuid;
    std::u16string name;
    DWORD size = 0;
};

class NotificationTest : public ::testing::Test {
protected:
    void SetUp() override {
        DisableNotificationSources();
        RecordingWindow::Pump();
    }

    // Copies the broadcast while the message is handled, as it is gone afterwards.
    static RecordingWindow::Reader Collect(std::vector<Seen>& out) {
        return [&out](const ReceivedMessage& m) {
            if (m.message != WM_DEVICECHANGE) {
                return;
            }
            const auto* b = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(m.lParam);
            EXPECT_EQ(b->dbcc_devicetype, DBT_DEVTYP_DEVICEINTERFACE);
            out.push_back({m.wParam, b->dbcc_classguid, std::u16string(b->dbcc_name), b->dbcc_size});
        };
    }
};

TEST_F(NotificationTest, DeviceChangesReachTheWindowsOfTheirClassOnly) {
    std::vector<Seen> hidSeen, mouseSeen;
    RecordingWindow hidWindow(Collect(hidSeen)), mouseWindow(Collect(mouseSeen));
    const auto hidFilter = Filter(kHid);
    const auto mouseFilter = Filter(kMouse);

    DeliverDeviceInterfaceChange(kHidPath, true); // before registering: nothing
    const HDEVNOTIFY hid =
        RegisterDeviceNotification(hidWindow.hwnd, &hidFilter, DEVICE_NOTIFY_WINDOW_HANDLE);
    const HDEVNOTIFY mouse = RegisterDeviceNotification(mouseWindow.hwnd, &mouseFilter, 0);
    ASSERT_NE(hid, nullptr);
    ASSERT_NE(mouse, nullptr);
    DeliverDeviceInterfaceChange(kHidPath, true);
    DeliverDeviceInterfaceChange(kHidPath, false);
    DeliverDeviceInterfaceChange(u"\\\\?\\HID#VID_2B4C&PID_002F#SER1", true); // no class

    ASSERT_EQ(hidSeen.size(), 2u);
    EXPECT_EQ(hidSeen[0].event, DBT_DEVICEARRIVAL);
    EXPECT_EQ(hidSeen[1].event, DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(hidSeen[0].classGuid, kHid);
    EXPECT_EQ(hidSeen[0].name, kHidPath);
    EXPECT_EQ(hidSeen[0].size, 12 + 16 + (kHidPath.size() + 1) * 2);
    EXPECT_TRUE(mouseSeen.empty());

    EXPECT_TRUE(UnregisterDeviceNotification(hid));
    EXPECT_FALSE(UnregisterDeviceNotification(hid));
    DeliverDeviceInterfaceChange(kHidPath, true);
    EXPECT_EQ(hidSeen.size(), 2u);
    EXPECT_TRUE(UnregisterDeviceNotification(mouse));
}

TEST_F(NotificationTest, BadDeviceFiltersAreRefused) {
    RecordingWindow window;
    auto wrongType = Filter(kHid);
    wrongType.dbcc_devicetype = 2;
    auto shortFilter = Filter(kHid);
    shortFilter.dbcc_size = 28;
    const auto good = Filter(kHid);
    EXPECT_EQ(RegisterDeviceNotification(nullptr, &good, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotification(window.hwnd, nullptr, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotification(window.hwnd, &wrongType, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotification(window.hwnd, &shortFilter, 0), nullptr);
    EXPECT_EQ(RegisterDeviceNotification(window.hwnd, &good, 1), nullptr); // service handle
    EXPECT_EQ(sizeof good, 32u);
}

TEST_F(NotificationTest, AllClassesSeeEveryPath) {
    std::vector<Seen> seen;
    RecordingWindow window(Collect(seen));
    const auto filter = Filter(GUID{});
    const HDEVNOTIFY h =
        RegisterDeviceNotification(window.hwnd, &filter, DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    DeliverDeviceInterfaceChange(kHidPath, true);
    DeliverDeviceInterfaceChange(u"no class", true);
    EXPECT_EQ(seen.size(), 2u);
    UnregisterDeviceNotification(h);
}

TEST(DeviceInterfaceClassOfPath, ReadsOnlyATrailingGuid) {
    EXPECT_EQ(DeviceInterfaceClassOfPath(kHidPath), kHid);
    for (const std::u16string path : {u"", u"}", u"{", u"#{4D1E55B2-F16F-11CF-88CB-00111100003}",
                                      u"#{4D1E55B2-F16F-11CF-88CB-001111000030}#x", u"{}"}) {
        EXPECT_TRUE(DeviceInterfaceClassOfPath(path).IsNull());
    }
}

TEST_F(NotificationTest, SessionChangesReachRegisteredWindowsUntilTheyUnregister) {
    RecordingWindow registered, bystander;
    EXPECT_FALSE(WTSRegisterSessionNotification(nullptr, NOTIFY_FOR_THIS_SESSION));
    EXPECT_FALSE(WTSRegisterSessionNotification(registered.hwnd, 7));
    ASSERT_TRUE(WTSRegisterSessionNotification(registered.hwnd, NOTIFY_FOR_THIS_SESSION));
    ASSERT_TRUE(WTSRegisterSessionNotification(registered.hwnd, NOTIFY_FOR_THIS_SESSION)); // once only

    for (WPARAM code : {WTS_CONSOLE_CONNECT, WTS_CONSOLE_DISCONNECT, WTS_SESSION_LOGON, WTS_SESSION_LOGOFF,
                        WTS_SESSION_LOCK, WTS_SESSION_UNLOCK}) {
        DeliverSessionChange(code, 3);
    }
    RecordingWindow::Pump();
    ASSERT_EQ(registered.received.size(), 6u);
    EXPECT_EQ(registered.received[4].message, WM_WTSSESSION_CHANGE);
    EXPECT_EQ(registered.received[4].wParam, WTS_SESSION_LOCK);
    EXPECT_EQ(registered.received[4].lParam, 3);
    EXPECT_TRUE(bystander.received.empty());

    EXPECT_TRUE(WTSUnRegisterSessionNotification(registered.hwnd));
    EXPECT_FALSE(WTSUnRegisterSessionNotification(registered.hwnd));
    DeliverSessionChange(WTS_SESSION_UNLOCK, 3);
    RecordingWindow::Pump();
    EXPECT_EQ(registered.received.size(), 6u);
}

} // namespace

TEST(HidrawWatchPath, BuildsTheInterfacePathOfAHidDevice) {
    const std::u16string hid = u"#{4D1E55B2-F16F-11CF-88CB-001111000030}";
    struct Case {
        const char* hidId;
        const char* uniq;
        std::u16string path;
    } cases[] = {
        {"0003:00002B4C:0000002F", "KV002F0001", u"\\\\?\\HID#VID_2B4C&PID_002F#KV002F0001" + hid},
        {"0005:0000046d:0000b01a", "", u"\\\\?\\HID#VID_046D&PID_B01A#hidraw3" + hid},
        {"0003:00002B4C:0000002F", "a#b\n", u"\\\\?\\HID#VID_2B4C&PID_002F#a_b_" + hid},
        {"", "x", u""},
        {"0003:00002B4C", "x", u""},
        {"0003:12345678:0000002F", "x", u""},
        {"0003:00002B4C:0000002Fzz", "x", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HidrawWatch::InterfacePath(c.hidId, c.uniq, "hidraw3"), c.path) << c.hidId << " " << c.uniq;
    }
}
