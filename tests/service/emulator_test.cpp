// Events the mice raise, persistence across restarts, and the memory surviving bad files.
#include "emulator_fixture.h"

#include "platform/os/file_util.h"

#include <filesystem>
#include <fstream>

namespace {

struct Recorder : _IDPIEvents, _IProfileManagerEvents, _IApplicationEvent {
    std::vector<DpiPair> dpi;
    std::vector<plat::GUID> profiles;
    std::vector<std::pair<int32_t, std::u16string>> launches;
    void OnDpiChanged(int32_t x, int32_t y) override {
        dpi.push_back({static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
    }
    void OnActiveProfileChanged(const plat::GUID& id) override { profiles.push_back(id); }
    void OnLaunch(int32_t kind, const std::u16string& path) override { launches.emplace_back(kind, path); }
};

class EmulatorEvents : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        m_recorder = std::make_shared<Recorder>();
        m_serial = m_emulator->AttachedSerials().at(0);
        uint32_t cookie = 0;
        std::shared_ptr<IDpi> dpi;
        ASSERT_EQ(GetProfileFeature(*Profile(2), dpi), S_OK);
        ASSERT_EQ(dpi->Advise(_IDPIEvents::IID, m_recorder, cookie), S_OK);
        ASSERT_EQ(Profiles()->Advise(_IProfileManagerEvents::IID, m_recorder, cookie), S_OK);
        std::shared_ptr<IApplicationLaunchSource> launch;
        ASSERT_EQ(GetDeviceFeature(*Device(), launch), S_OK);
        ASSERT_EQ(launch->Advise(_IApplicationEvent::IID, m_recorder, cookie), S_OK);
    }

    HRESULT Press(HRESULT (EmulatedMouse::*button)()) {
        return m_emulator->WithMouse(m_serial, [button](EmulatedMouse& mouse) { return (mouse.*button)(); });
    }

    std::shared_ptr<Recorder> m_recorder;
    std::string m_serial;
};

TEST_F(EmulatorEvents, StageButtonsRaiseTheActiveProfilesDpi) {
    ASSERT_EQ(Press(&EmulatedMouse::PressDpiUp), S_OK);
    ASSERT_EQ(Press(&EmulatedMouse::PressDpiDown), S_OK);
    EXPECT_EQ(m_recorder->dpi, (std::vector<DpiPair>{{1600, 1600}, {800, 800}}));
}

TEST_F(EmulatorEvents, ChangesToAnInactiveProfileRaiseNothing) {
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(GetProfileFeature(*Profile(1), dpi), S_OK);
    EXPECT_EQ(dpi->SetSensitivity(3200, 3200), S_OK);
    EXPECT_TRUE(m_recorder->dpi.empty());
    ASSERT_EQ(GetProfileFeature(*Profile(0), dpi), S_OK);
    EXPECT_EQ(dpi->SetSensitivity(800, 1600), S_OK);
    EXPECT_EQ(m_recorder->dpi, (std::vector<DpiPair>{{800, 1600}}));
}

TEST_F(EmulatorEvents, ProfileSwitchesRaiseTheNewProfile) {
    plat::GUID second;
    Profile(1)->GetGuid(second);
    ASSERT_EQ(Press(&EmulatedMouse::PressProfileNext), S_OK);
    auto third = Profile(2);
    ASSERT_EQ(Profiles()->SetActiveProfile(*third), S_OK);
    ASSERT_EQ(Profiles()->SetActiveProfile(*third), S_OK); // already active: nothing to tell
    plat::GUID thirdId;
    third->GetGuid(thirdId);
    EXPECT_EQ(m_recorder->profiles, (std::vector<plat::GUID>{second, thirdId}));
    EXPECT_TRUE(m_recorder->dpi.empty());
}

TEST_F(EmulatorEvents, LaunchRequestsReachSinksUntilUnadvised) {
    m_emulator->WithMouse(m_serial, [](EmulatedMouse& mouse) {
        mouse.RequestLaunch(1, u"/home/u/notes.txt");
        return S_OK;
    });
    ASSERT_EQ(m_recorder->launches.size(), 1u);
    EXPECT_EQ(m_recorder->launches[0].second, u"/home/u/notes.txt");

    std::shared_ptr<IApplicationLaunchSource> launch;
    ASSERT_EQ(GetDeviceFeature(*Device(), launch), S_OK);
    EXPECT_EQ(launch->Unadvise(_IApplicationEvent::IID, 99), E_NO_CONNECTION);
    EXPECT_EQ(launch->Advise(_IDPIEvents::IID, m_recorder, *std::make_unique<uint32_t>()), E_NO_CONNECTION);
}

TEST_F(EmulatorTest, MemorySurvivesARestart) {
    ASSERT_EQ(Profile(1)->SetName(u"Renamed"), S_OK);
    std::string serial;
    ASSERT_EQ(m_emulator->Plug(kProductLegacy, serial), S_OK);
    Start();
    EXPECT_EQ(m_emulator->AttachedSerials().size(), 2u);
    std::u16string name;
    Profile(1)->GetName(name);
    EXPECT_EQ(name, u"Renamed");
}

TEST_F(EmulatorTest, ReplugRestoresTheSameMouse) {
    const std::string serial = m_emulator->AttachedSerials().at(0);
    ASSERT_EQ(Profile(0)->SetName(u"Mine"), S_OK);
    ASSERT_EQ(m_emulator->Unplug(serial), S_OK);
    std::shared_ptr<IDevice> none;
    EXPECT_EQ(m_enumerator->GetDevice(0, none), E_NO_MORE_ITEMS);
    std::string again;
    ASSERT_EQ(m_emulator->Plug(kProductRefresh, again), S_OK);
    EXPECT_EQ(again, serial);
    std::u16string name;
    Profile(0)->GetName(name);
    EXPECT_EQ(name, u"Mine");
    EXPECT_EQ(m_emulator->Unplug(serial + "X"), E_NOT_FOUND);
    EXPECT_EQ(m_emulator->Plug(99, again), E_INVALIDARG);
}

TEST_F(EmulatorTest, CorruptMemoryIsSetAsideForFactoryState) {
    ASSERT_EQ(Profile(0)->SetName(u"Mine"), S_OK);
    const std::string folder = m_folder.Path() + "/devices/";
    const std::string document = folder + m_emulator->AttachedSerials().at(0) + ".json";
    std::ofstream(document, std::ios::trunc) << "{\"format\":";
    Start();
    std::u16string name;
    Profile(0)->GetName(name);
    EXPECT_EQ(name, u"Default");
    int setAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        setAside += entry.path().filename().string().find(".corrupt-") != std::string::npos;
    }
    EXPECT_EQ(setAside, 1);
}

TEST_F(EmulatorTest, AChangeThatCannotBeStoredIsRefused) {
    const std::string folder = m_folder.Path() + "/devices";
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "a file where the folder was";
    EXPECT_EQ(Profile(0)->SetName(u"Lost"), E_FAIL);
    std::u16string name;
    Profile(0)->GetName(name);
    EXPECT_EQ(name, u"Default");
}

} // namespace
