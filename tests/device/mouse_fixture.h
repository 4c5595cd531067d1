// Emulated mice reached in-process through the contract, a configuration, and a manual
// clock so the pauses of a write cost no real time.
#pragma once

#include "device/function_record_table.h"
#include "device/mouse.h"
#include "model/corvantis_refresh_config.h"
#include "platform/core/clock.h"
#include "platform/core/manual_clock.h"
#include "service/local_objects.h"
#include "tests/platform/os/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        CEmulator::Options options;
        options.stateFolder = m_folder.Path() + "/devices/";
        m_emulator = std::make_shared<CEmulator>(options);
    }

    DeviceEnumeratorFactory Factory() { return LocalEnumeratorFactory(m_emulator); }

    static DeviceEnumeratorFactory NoService() {
        return [](std::shared_ptr<IDeviceEnumerator>&) { return E_SERVICE_UNAVAILABLE; };
    }

    std::unique_ptr<CCorvantisRefreshConfig> NewConfig() {
        return std::make_unique<CCorvantisRefreshConfig>(tCorvantisModel::Refresh,
                                                         plat_u16(m_folder.Path() + "/save/"));
    }

    // A refresh mouse, initialised and fully read into `config`.
    std::unique_ptr<CMouse> ReadMouse(IMouseConfig& config, uint32_t product = kProductRefresh) {
        auto mouse = std::make_unique<CMouse>(Entry(product), Factory());
        EXPECT_TRUE(mouse->Initialize(&config));
        EXPECT_TRUE(mouse->Transfer(&config, kTransferRead, MASK_FULL_READ));
        return mouse;
    }

    static const MouseModelEntry& Entry(uint32_t product) {
        return product == kProductRefresh ? MouseModelTable()[0] : MouseModelTable()[1];
    }

    // Waits the way the main window does: polling busy every 100 ms.
    static void WaitIdle(IGenDevice& device) {
        while (device.IsBusy()) {
            plat::Sleep(100);
        }
    }

    bool WriteAndWait(IGenDevice& device, IMouseConfig& config, uint32_t mask = MASK_FULL_WRITE) {
        const bool started = device.Transfer(&config, kTransferWrite, mask);
        WaitIdle(device);
        return started;
    }

    std::shared_ptr<IProfileManager> DeviceProfiles() {
        std::shared_ptr<IDevice> device;
        std::shared_ptr<IProfileManager> manager;
        EXPECT_EQ(CreateLocalEnumerator(m_emulator)->GetDevice(0, device), S_OK);
        EXPECT_EQ(GetDeviceFeature(*device, manager), S_OK);
        return manager;
    }

    std::vector<std::u16string> DeviceProfileNames() {
        std::vector<std::u16string> names;
        std::shared_ptr<IProfile> profile;
        auto manager = DeviceProfiles();
        for (uint32_t i = 0; SUCCEEDED(manager->GetProfile(i, profile)); ++i) {
            std::u16string name;
            profile->GetName(name);
            names.push_back(name);
        }
        return names;
    }

    static IMouseConfig& Ifc(IMouseConfig& config) { return config; }

    static std::u16string plat_u16(const std::string& text) {
        return std::u16string(text.begin(), text.end());
    }

    TempFolder m_folder;
    plat::ManualClock m_clock;
    std::shared_ptr<CEmulator> m_emulator;
};
