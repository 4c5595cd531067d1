// The device object against the real service on a private bus: full reads, round trips of
// every feature, profile bookkeeping, refused writes, hot-plug and the no-service fallback.
#include "device/dbus/device_enumerator.h"
#include "device/device_choice.h"
#include "device/function_record_table.h"
#include "model/assign_type.h"
#include "model/assignment_payload.h"
#include "model/corvantis_refresh_config.h"
#include "platform/core/clock.h"
#include "platform/text/utf.h"
#include "tests/device/dbus/private_bus.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class DeviceObjectTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_bus.Started()); }

    std::unique_ptr<CCorvantisRefreshConfig> NewConfig() {
        return std::make_unique<CCorvantisRefreshConfig>(tCorvantisModel::Refresh,
                                                         plat::Utf8ToUtf16(m_bus.Folder() + "/save/"));
    }

    static const MouseModelEntry& Refresh() { return MouseModelTable()[0]; }

    std::unique_ptr<CMouse> ReadMouse(IMouseConfig& config) {
        auto mouse = std::make_unique<CMouse>(Refresh(), BusEnumeratorFactory());
        EXPECT_TRUE(mouse->Initialize(&config));
        EXPECT_TRUE(mouse->Transfer(&config, kTransferRead, MASK_FULL_READ));
        return mouse;
    }

    static void WaitIdle(IGenDevice& device) {
        while (device.IsBusy()) {
            plat::Sleep(100);
        }
    }

    static IMouseConfig& Ifc(IMouseConfig& config) { return config; }

    PrivateBus m_bus;
};

TEST_F(DeviceObjectTest, FullReadOfAFactoryMouse) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    ASSERT_EQ(config->GetProfileCount(), 3);
    EXPECT_EQ(config->GetProfile(0)->GetName(), u"Default");
    EXPECT_EQ(config->GetActiveProfile(), config->GetProfile(0));
    EXPECT_EQ(config->GetDPIStageCount(config->GetProfile(2)), 2u);
    EXPECT_EQ(Ifc(*config).GetPollingRate(), 2);
    EXPECT_EQ(config->GetPollingRateValue(0), 1000u);
    EXPECT_EQ(config->GetButtonAssignment(MB_LEFT, config->GetProfile(0)).kind, AT_CLICK);
    EXPECT_FALSE(Ifc(*config).IsAnyModified());
    std::u16string version;
    mouse->GetFirmwareVersion(version);
    EXPECT_NE(version, u"0.00");
    EXPECT_EQ(mouse->GetDeviceProfileCount(), 3);
}

TEST_F(DeviceObjectTest, EditWriteReadRoundTripOfEveryFeature) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    IMouseProfile* profile = config->GetProfile(1);

    CMacro* macro = config->AddMacro(u"Burst");
    macro->SetEvents({{MET_KEY, 0x1E, 0xFF}, {MET_DELAY, 30, 0}, {MET_KEY, 0x1E, 0x01}});
    ASSERT_TRUE(mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    WaitIdle(*mouse);
    ASSERT_FALSE(macro->GetId().IsNull());

    AssignmentRecord key;
    key.kind = AT_SINGLE_KEY;
    SetKey(key, 69, 19, 0); // Pause
    AssignmentRecord toMacro;
    toMacro.kind = AT_MACRO;
    SetPayloadGuid(toMacro, macro->GetId());
    SetMacroPlayMode(toMacro, MPM_MULTIPLE);
    SetMacroRepeatCount(toMacro, 3);
    AssignmentRecord temp;
    temp.kind = AT_TEMPORARY_DPI;
    SetTempDpi(temp, {1200, 0, 0, 0});
    ASSERT_TRUE(config->SetButtonAssignment(MB_RIGHT, key, profile));
    ASSERT_TRUE(config->SetButtonAssignment(MB_BUTTON4, toMacro, profile));
    ASSERT_TRUE(config->SetButtonAssignment(MB_BUTTON5, temp, profile));
    config->SetStageSeparateAxes(1, true, profile);
    config->SetStageDPIX(1, 600, profile);
    config->SetStageDPIY(1, 900, profile);
    config->SetStageDPI(2, 2400, profile);
    config->SetActiveStage(3, profile);
    config->SetLedColour(LED_LOGO, 0x00FF8000, profile);
    config->SetLedState(LED_SCROLLWHEEL, false, profile);
    config->SetAcceleration(7);
    config->SetAccelerationOn(true);
    Ifc(*config).SetPollingRate(1);
    config->SetLiftOffAutomatic(false);
    config->SetLiftOffDistance(12);
    ASSERT_TRUE(mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    WaitIdle(*mouse);
    EXPECT_FALSE(Ifc(*config).IsAnyModified());

    auto fresh = NewConfig();
    auto reader = ReadMouse(*fresh);
    IMouseProfile* read = fresh->GetProfile(1);
    const AssignmentRecord readKey = fresh->GetButtonAssignment(MB_RIGHT, read);
    EXPECT_EQ(readKey.kind, AT_SINGLE_KEY);
    EXPECT_EQ(GetKeyScanCode(readKey), 69);
    EXPECT_EQ(GetKeyVirtualKey(readKey), 19);
    const AssignmentRecord readMacro = fresh->GetButtonAssignment(MB_BUTTON4, read);
    EXPECT_EQ(GetPayloadGuid(readMacro), macro->GetId());
    EXPECT_EQ(GetMacroRepeatCount(readMacro), 3u);
    EXPECT_EQ(fresh->GetButtonAssignment(MB_BUTTON5, read).kind, AT_TEMPORARY_DPI);
    EXPECT_TRUE(fresh->GetStageSeparateAxes(1, read));
    EXPECT_EQ(fresh->GetStageDPIY(1, read), 900u);
    EXPECT_EQ(fresh->GetStageDPI(2, read), 2400u);
    EXPECT_EQ(fresh->GetActiveStage(read), 3);
    EXPECT_EQ(fresh->GetLedColour(LED_LOGO, read), 0x00FF8000u);
    EXPECT_FALSE(fresh->GetLedState(LED_SCROLLWHEEL, read));
    EXPECT_EQ(fresh->GetAcceleration(), 7u);
    EXPECT_TRUE(fresh->GetAccelerationOn());
    EXPECT_EQ(Ifc(*fresh).GetPollingRate(), 1);
    EXPECT_FALSE(fresh->GetLiftOffAutomatic());
    EXPECT_EQ(fresh->GetLiftOffDistance(), 12u);
    ASSERT_EQ(fresh->GetMacroCount(), 1);
    EXPECT_EQ(fresh->GetMacro(0)->GetEvents().size(), 3u);
}

TEST_F(DeviceObjectTest, UnknownActiveProfileIsDeletedAndNullGuidProfileCreated) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    IMouseProfile* copy = config->CopyProfileAs(config->GetProfile(2), u"Copy");
    config->DeleteProfile(config->GetProfile(0)); // the device's active profile
    config->SetActiveProfile(config->GetProfile(0));
    ASSERT_TRUE(mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    WaitIdle(*mouse);
    EXPECT_FALSE(copy->GetGUID().IsNull());

    auto fresh = NewConfig();
    auto reader = ReadMouse(*fresh);
    ASSERT_EQ(fresh->GetProfileCount(), 3);
    EXPECT_EQ(fresh->GetProfile(0)->GetName(), u"Gaming");
    EXPECT_EQ(fresh->GetProfile(2)->GetName(), u"Copy");
    EXPECT_EQ(fresh->GetProfile(2)->GetGUID(), copy->GetGUID());
    EXPECT_EQ(fresh->GetActiveProfile(), fresh->GetProfile(0));
}

TEST_F(DeviceObjectTest, SecondWriteIsRefusedWhileOneRuns) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    auto other = NewConfig();
    CMouse second(Refresh(), BusEnumeratorFactory());
    ASSERT_TRUE(mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    EXPECT_FALSE(mouse->Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    EXPECT_FALSE(second.Transfer(other.get(), kTransferWrite, MASK_FULL_WRITE)) << "one write per process";
    WaitIdle(*mouse);
    EXPECT_TRUE(second.Transfer(other.get(), kTransferRead, MASK_FULL_READ));
}

TEST_F(DeviceObjectTest, UnplugAndModelChangeBetweenTransfers) {
    auto config = NewConfig();
    std::vector<IGenDevice*> arrivals;
    CMousePicker picker(
        BusEnumeratorFactory(), [&](IGenDevice* device, void*) { arrivals.push_back(device); }, nullptr);
    ASSERT_TRUE(picker.Initialize(config.get()));
    std::string serial;
    ASSERT_EQ(m_bus.DeviceCtl("plug legacy", &serial), 0);
    std::string list;
    ASSERT_EQ(m_bus.DeviceCtl("list", &list), 0);
    const std::string refreshSerial = list.substr(0, list.find_first_of(" \t\n"));
    ASSERT_EQ(m_bus.DeviceCtl("unplug " + refreshSerial), 0);

    EXPECT_FALSE(picker.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(picker.GetProductId(), kProductLegacy);
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_EQ(arrivals[1], picker.CurrentMouse());
    EXPECT_TRUE(picker.Transfer(config.get(), kTransferRead, MASK_FULL_READ));

    serial.erase(serial.find_last_not_of('\n') + 1);
    ASSERT_EQ(m_bus.DeviceCtl("unplug " + serial), 0);
    EXPECT_FALSE(picker.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    ASSERT_EQ(arrivals.size(), 3u);
    EXPECT_EQ(arrivals[2], nullptr);
}

TEST_F(DeviceObjectTest, WithoutServiceTheChoiceIsTheNoDeviceMouse) {
    const std::string saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + m_bus.Folder() + "/no-bus").c_str(), 1);
    auto config = NewConfig();
    IGenDevice* device = ChooseDevice(config.get(), nullptr, BusEnumeratorFactory(), {});
    setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
    EXPECT_EQ(device, ChosenNullMouse());
    EXPECT_EQ(device->GetProductId(), 0u);
    EXPECT_EQ(config->GetProfileCount(), 20);
    DeleteChosenDevice();
}

} // namespace
