// Picking the attached model, hot-plug between transfers, and the no-device fallback.
#include "mouse_fixture.h"

#include "device/device_choice.h"
#include "device/device_listener.h"
#include "device/path_number.h"
#include "platform/core/handle_table.h"
#include "platform/os/notification_sources.h"

namespace {

struct Arrivals {
    std::vector<IGenDevice*> devices;
    CMousePicker::ArrivalCallback Callback() {
        return [this](IGenDevice* device, void*) { devices.push_back(device); };
    }
};

} // namespace

class PickerTest : public MouseTest {
protected:
    std::string Plug(uint32_t product) {
        std::string serial;
        EXPECT_EQ(m_emulator->Plug(product, serial), S_OK);
        return serial;
    }
    std::string RefreshSerial() { return m_emulator->AttachedSerials().at(0); }
};

TEST_F(PickerTest, BothModelsAttachedChoosesTheRefreshModel) {
    Plug(kProductLegacy);
    auto config = NewConfig();
    Arrivals arrivals;
    CMousePicker picker(Factory(), arrivals.Callback(), nullptr);
    ASSERT_TRUE(picker.Initialize(config.get()));
    EXPECT_EQ(picker.GetProductId(), kProductRefresh);
    ASSERT_EQ(arrivals.devices.size(), 1u);
    EXPECT_EQ(arrivals.devices[0], picker.CurrentMouse());
}

TEST_F(PickerTest, ChosenModelStaysWhileAnotherIsPluggedIn) {
    auto config = NewConfig();
    Arrivals arrivals;
    CMousePicker picker(Factory(), arrivals.Callback(), nullptr);
    ASSERT_TRUE(picker.Initialize(config.get()));
    CMouse* chosen = picker.CurrentMouse();
    Plug(kProductLegacy);
    EXPECT_TRUE(picker.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(picker.CurrentMouse(), chosen);
    EXPECT_EQ(arrivals.devices.size(), 1u);
}

TEST_F(PickerTest, UnpluggedModelIsReplacedByTheOtherWithoutTransferring) {
    auto config = NewConfig();
    Arrivals arrivals;
    CMousePicker picker(Factory(), arrivals.Callback(), nullptr);
    ASSERT_TRUE(picker.Initialize(config.get()));
    Plug(kProductLegacy);
    ASSERT_EQ(m_emulator->Unplug(RefreshSerial()), S_OK);
    EXPECT_FALSE(picker.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(picker.GetProductId(), kProductLegacy);
    ASSERT_EQ(arrivals.devices.size(), 2u);
    EXPECT_EQ(arrivals.devices[1], picker.CurrentMouse());
    EXPECT_EQ(config->GetProfileCount(), 3) << "the new mouse prepared the configuration";
}

TEST_F(PickerTest, UnpluggedWithNothingElseReportsNone) {
    auto config = NewConfig();
    Arrivals arrivals;
    CMousePicker picker(Factory(), arrivals.Callback(), nullptr);
    ASSERT_TRUE(picker.Initialize(config.get()));
    ASSERT_EQ(m_emulator->Unplug(RefreshSerial()), S_OK);
    EXPECT_FALSE(picker.Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    ASSERT_EQ(arrivals.devices.size(), 2u);
    EXPECT_EQ(arrivals.devices[1], nullptr);
    EXPECT_EQ(picker.CurrentMouse(), nullptr);
    EXPECT_EQ(picker.GetProductId(), 0u);
    EXPECT_FALSE(picker.IsBusy());
}

TEST_F(PickerTest, ChoiceFallsBackToTheNoDeviceMouse) {
    auto config = NewConfig();
    Arrivals arrivals;
    IGenDevice* device = ChooseDevice(config.get(), nullptr, NoService(), arrivals.Callback());
    ASSERT_EQ(device, ChosenNullMouse());
    EXPECT_EQ(ChosenPicker(), nullptr);
    EXPECT_EQ(device->GetProductId(), 0u);
    EXPECT_TRUE(device->IsConnected());
    EXPECT_EQ(device->GetDisplayName(), u"NullMouse");
    EXPECT_EQ(device->GetDeviceProfileCount(), 20);
    std::u16string firmware;
    std::u16string other;
    device->GetFirmwareVersion(firmware);
    device->GetOtherVersion(other);
    EXPECT_EQ(firmware, u"1.00");
    EXPECT_EQ(other, u"1.00");
    EXPECT_FALSE(device->Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_TRUE(arrivals.devices.empty());

    ASSERT_EQ(config->GetProfileCount(), 20);
    EXPECT_EQ(config->GetActiveProfile(), config->GetProfile(0));
    for (int i : {0, 19}) {
        IMouseProfile* profile = config->GetProfile(i);
        EXPECT_EQ(profile->GetName(), i == 0 ? u"PROFILE01" : u"PROFILE20");
        EXPECT_EQ(config->GetActiveStage(profile), 3);
        EXPECT_EQ(config->GetDPIStageCount(profile), 5u);
        EXPECT_EQ(config->GetStageDPI(4, profile), 4000u);
        EXPECT_EQ(config->GetButtonAssignment(MB_BUTTON4, profile).kind, 45);
    }
    EXPECT_EQ(plat::GuidToString(config->GetProfile(9)->GetGUID()),
              u"{00A98AC7-15B3-15B3-0505-050505050505}");
    DeleteChosenDevice();
    EXPECT_EQ(ChosenNullMouse(), nullptr);
}

TEST_F(PickerTest, ChoiceKeepsThePickerWhenAMouseAnswers) {
    auto config = NewConfig();
    Arrivals arrivals;
    IGenDevice* device = ChooseDevice(config.get(), nullptr, Factory(), arrivals.Callback());
    EXPECT_EQ(device, ChosenPicker());
    EXPECT_EQ(device->GetProductId(), kProductRefresh);
    DeleteChosenDevice();
}

TEST(PathNumber, ReadsHexadecimalAfterTheKey) {
    const std::u16string path = u"\\\\?\\hid#vid_2b4c&pid_002f#1234#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_EQ(ReadPathNumber(path, u"VID_"), 0x2B4Cu);
    EXPECT_EQ(ReadPathNumber(path, u"PID_"), 47u);
    EXPECT_EQ(ReadPathNumber(u"\\\\?\\HID#VID_2B4C#x", u"PID_"), 0u);
    EXPECT_EQ(ReadPathNumber(u"PID_zz12", u"PID_"), 0u);
    EXPECT_EQ(ReadPathNumber(u"PID_2F", u"PID_"), 0x2Fu);
}

TEST(DeviceListener, HidChangesReachRegisteredWindowsUntilUnregistered) {
    plat::DisableNotificationSources();
    std::vector<plat::WPARAM> seen;
    plat::FunctionTarget target([&](plat::UINT message, plat::WPARAM wParam, plat::LPARAM) -> plat::LRESULT {
        if (message == plat::WM_DEVICECHANGE) {
            seen.push_back(wParam);
        }
        return 0;
    });
    const plat::HWND window = plat::CreateWindowHandle(&target);
    const std::u16string hid = u"\\\\?\\HID#VID_2B4C&PID_002F#1#{4D1E55B2-F16F-11CF-88CB-001111000030}";
    const std::u16string otherClass = u"\\\\?\\USB#VID_1#2#{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
    {
        CDeviceListener listener;
        listener.Register(nullptr);
        listener.Register(window);
        EXPECT_EQ(listener.HandleCount(), 1u);
        plat::DeliverDeviceInterfaceChange(hid, true);
        plat::DeliverDeviceInterfaceChange(otherClass, true);
        plat::DeliverDeviceInterfaceChange(hid, false);
    }
    plat::DeliverDeviceInterfaceChange(hid, true);
    EXPECT_EQ(seen, (std::vector<plat::WPARAM>{plat::DBT_DEVICEARRIVAL, plat::DBT_DEVICEREMOVECOMPLETE}));
    plat::DestroyWindowHandle(window);
}
