// An emulator over a throw-away state folder, reached through the contract the way the
// device object reaches it.
#pragma once

#include "service/local_objects.h"
#include "tests/platform/os/temp_folder.h"

#include <gtest/gtest.h>

class EmulatorTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    void Start() {
        CEmulator::Options options;
        options.stateFolder = m_folder.Path() + "/devices/";
        m_emulator = std::make_shared<CEmulator>(options);
        m_enumerator = CreateLocalEnumerator(m_emulator);
    }

    std::shared_ptr<IDevice> Device(uint32_t index = 0) {
        std::shared_ptr<IDevice> device;
        EXPECT_EQ(m_enumerator->GetDevice(index, device), S_OK);
        return device;
    }

    std::shared_ptr<IProfileManager> Profiles(uint32_t index = 0) {
        std::shared_ptr<IProfileManager> manager;
        EXPECT_EQ(GetDeviceFeature(*Device(index), manager), S_OK);
        return manager;
    }

    std::shared_ptr<IProfile> Profile(uint32_t index) {
        std::shared_ptr<IProfile> profile;
        EXPECT_EQ(Profiles()->GetProfile(index, profile), S_OK);
        return profile;
    }

    std::shared_ptr<IMacroManager> Macros() {
        std::shared_ptr<IMacroManager> manager;
        EXPECT_EQ(GetDeviceFeature(*Device(), manager), S_OK);
        return manager;
    }

    std::string FilePath(const char* name) const { return m_folder.Path() + "/" + name; }

    TempFolder m_folder;
    std::shared_ptr<CEmulator> m_emulator;
    std::shared_ptr<IDeviceEnumerator> m_enumerator;
};
