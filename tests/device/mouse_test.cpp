// The device object against an emulated mouse: preparation, reads, writes and their rules.
#include "mouse_fixture.h"

#include "device/progress_messenger.h"
#include "model/assign_type.h"
#include "model/assignment_payload.h"
#include "model/category_id.h"
#include "platform/core/handle_table.h"
#include "platform/core/thread.h"

TEST_F(MouseTest, InitializePreparesTheConfigurationFromTheMouse) {
    auto config = NewConfig();
    CMouse mouse(Entry(kProductRefresh), Factory());
    ASSERT_TRUE(mouse.Initialize(config.get()));
    EXPECT_EQ(config->GetProfileCount(), 3);
    EXPECT_EQ(config->GetProfile(1)->GetName(), u"Gaming");
    EXPECT_FALSE(config->GetProfile(1)->GetGUID().IsNull());
    EXPECT_EQ(config->GetPollingRateCount(), 3);
    std::u16string version;
    mouse.GetFirmwareVersion(version);
    EXPECT_EQ(version.size(), 4u);
    EXPECT_NE(version, u"0.00");
    EXPECT_FALSE(mouse.ButtonFlags().empty());
    EXPECT_TRUE(mouse.IsConnected());
    EXPECT_EQ(mouse.GetDeviceProfileCount(), 3);
    EXPECT_EQ(mouse.GetProductId(), 47u);
    EXPECT_EQ(mouse.GetDisplayName(), u"Kavox Corvantis Refresh");
}

TEST_F(MouseTest, WithoutServiceNothingOpens) {
    auto config = NewConfig();
    CMouse mouse(Entry(kProductRefresh), NoService());
    EXPECT_FALSE(mouse.Initialize(config.get()));
    EXPECT_EQ(mouse.GetDeviceProfileCount(), 0);
    EXPECT_FALSE(mouse.IsConnected());
    EXPECT_FALSE(mouse.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_FALSE(mouse.Transfer(config.get(), kTransferWrite, MASK_FULL_WRITE));
    std::u16string firmware;
    std::u16string other;
    mouse.GetFirmwareVersion(firmware);
    mouse.GetOtherVersion(other);
    EXPECT_EQ(firmware, u"0.00");
    EXPECT_EQ(other, u"0.00");
}

TEST_F(MouseTest, AbsentModelDoesNotConnect) {
    auto config = NewConfig();
    CMouse legacy(Entry(kProductLegacy), Factory());
    EXPECT_FALSE(legacy.Initialize(config.get()));
    EXPECT_FALSE(legacy.IsConnected());
}

TEST_F(MouseTest, OtherModesDoNothing) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    for (int mode : {-1, 2, 7}) {
        EXPECT_FALSE(mouse->Transfer(config.get(), mode, MASK_FULL_WRITE)) << mode;
        EXPECT_FALSE(mouse->IsBusy());
    }
}

TEST_F(MouseTest, ReadCopiesTheMouseAndLeavesNothingPending) {
    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    ASSERT_EQ(config->GetProfileCount(), 3);
    IMouseProfile* gaming = config->GetProfile(1);
    EXPECT_EQ(config->GetActiveProfile(), config->GetProfile(0));
    EXPECT_EQ(config->GetDPIStageCount(gaming), 3u);
    EXPECT_EQ(config->GetStageDPI(3, gaming), 3200u);
    EXPECT_EQ(config->GetActiveStage(gaming), 2);
    EXPECT_EQ(config->GetSensitivityDPI(gaming), 1600u);
    EXPECT_EQ(config->GetPollingRate(), 2); // 1000 Hz
    EXPECT_TRUE(config->GetDPIOSD(gaming));
    EXPECT_EQ(config->GetButtonAssignment(MB_LEFT, gaming).kind, AT_CLICK);
    EXPECT_FALSE(Ifc(*config).IsAnyModified());
}

// Observes a channel on the calling thread and records what it is told.
class ProgressLog {
public:
    ProgressLog()
        : m_target([this](plat::UINT message, plat::WPARAM, plat::LPARAM lParam) {
              if (message == WM_PROGRESS_PERCENT) {
                  percents.push_back(static_cast<int>(lParam));
              } else if (message == WM_PROGRESS_TEXT) {
                  texts.emplace_back(reinterpret_cast<const char16_t*>(lParam));
              }
              return plat::LRESULT{0};
          }) {
        window = plat::CreateWindowHandle(&m_target);
    }
    ~ProgressLog() { plat::DestroyWindowHandle(window); }

    plat::HWND window = nullptr;
    std::vector<int> percents;
    std::vector<std::u16string> texts;

private:
    plat::FunctionTarget m_target;
};

TEST_F(MouseTest, ReadReportsEachProfileAndItsSteps) {
    auto config = NewConfig();
    CMouse mouse(Entry(kProductRefresh), Factory());
    ASSERT_TRUE(mouse.Initialize(config.get()));
    ProgressLog log;
    mouse.AddProgressObserver(log.window);
    mouse.AddProgressObserver(log.window);
    ASSERT_TRUE(mouse.Transfer(config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(log.texts,
              (std::vector<std::u16string>{u"$Profile:Default", u"$Profile:Gaming", u"$Profile:Office"}));
    const std::vector<int> steps{10, 30, 60, 80, 100};
    ASSERT_EQ(log.percents.size(), 15u);
    EXPECT_TRUE(std::equal(steps.begin(), steps.end(), log.percents.begin() + 10));
}

TEST_F(MouseTest, StageReadAsPairBecomesSeparateOrJoined) {
    auto manager = DeviceProfiles();
    std::shared_ptr<IProfile> profile;
    std::shared_ptr<IDpi> dpi;
    ASSERT_EQ(manager->GetProfile(0, profile), S_OK);
    ASSERT_EQ(GetProfileFeature(*profile, dpi), S_OK);
    ASSERT_EQ(dpi->SetStages({{800, 1600}, {1800, 1800}}), S_OK);

    auto config = NewConfig();
    auto mouse = ReadMouse(*config);
    IMouseProfile* first = config->GetProfile(0);
    EXPECT_TRUE(config->GetStageSeparateAxes(1, first));
    EXPECT_EQ(config->GetStageDPIX(1, first), 800u);
    EXPECT_EQ(config->GetStageDPIY(1, first), 1600u);
    EXPECT_EQ(config->GetStageDPI(1, first), 800u);
    EXPECT_FALSE(config->GetStageSeparateAxes(2, first));
    EXPECT_EQ(config->GetStageDPI(2, first), 1800u);
    EXPECT_EQ(config->GetDPIStageCount(first), 2u);
}

// Writes an edit, then reads the mouse into a fresh configuration.
class RoundTripTest : public MouseTest {
protected:
    void SetUp() override {
        MouseTest::SetUp();
        m_config = NewConfig();
        m_mouse = ReadMouse(*m_config);
    }

    std::unique_ptr<CCorvantisRefreshConfig> WriteAndReadBack() {
        EXPECT_TRUE(WriteAndWait(*m_mouse, *m_config));
        EXPECT_FALSE(Ifc(*m_config).IsAnyModified());
        auto fresh = NewConfig();
        m_readBack = ReadMouse(*fresh);
        return fresh;
    }

    std::unique_ptr<CCorvantisRefreshConfig> m_config;
    std::unique_ptr<CMouse> m_mouse;
    std::unique_ptr<CMouse> m_readBack;
};

TEST_F(RoundTripTest, ButtonsOfEveryTranslatedKind) {
    IMouseProfile* profile = m_config->GetProfile(0);
    std::vector<tMouseButton> buttons;
    for (uint32_t flag : m_mouse->ButtonFlags()) {
        buttons.push_back(CFunctionRecordTable::Instance().ButtonOfFlag(flag));
    }
    std::erase(buttons, MB_LEFT);
    std::erase(buttons, MB_SCROLL_UP);
    std::erase(buttons, MB_SCROLL_DOWN);
    ASSERT_GE(buttons.size(), 4u);

    AssignmentRecord key;
    key.kind = AT_SINGLE_KEY;
    SetKey(key, 0x1E, 0x41, kKeyModCtrl);
    AssignmentRecord temp;
    temp.kind = AT_TEMPORARY_DPI;
    SetTempDpi(temp, {0, 400, 1600, 1});
    AssignmentRecord toProfile;
    toProfile.kind = AT_PROFILE;
    SetPayloadGuid(toProfile, m_config->GetProfile(2)->GetGUID());
    CMacro* macro = m_config->AddMacro(u"Burst");
    macro->SetEvents({{MET_MOUSE, MB_LEFT, 0xFF}, {MET_MOUSE, MB_LEFT, 0x01}});
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    AssignmentRecord toMacro;
    toMacro.kind = AT_MACRO;
    SetPayloadGuid(toMacro, macro->GetId());
    SetMacroPlayMode(toMacro, MPM_UNTIL_PRESSED);
    const AssignmentRecord edits[] = {key, temp, toProfile, toMacro};
    for (size_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(m_config->SetButtonAssignment(buttons[i], edits[i], profile)) << i;
    }
    auto fresh = WriteAndReadBack();
    for (size_t i = 0; i < 4; ++i) {
        const AssignmentRecord read = fresh->GetButtonAssignment(buttons[i], fresh->GetProfile(0));
        EXPECT_EQ(read.kind, edits[i].kind) << i;
    }
    const AssignmentRecord readKey = fresh->GetButtonAssignment(buttons[0], fresh->GetProfile(0));
    EXPECT_EQ(GetKeyScanCode(readKey), 0x1E);
    EXPECT_EQ(GetKeyModifiers(readKey), kKeyModCtrl);
    const AssignmentRecord readTemp = fresh->GetButtonAssignment(buttons[1], fresh->GetProfile(0));
    EXPECT_EQ(GetTempDpi(readTemp).dpiY, 1600u);
    const AssignmentRecord readProfile = fresh->GetButtonAssignment(buttons[2], fresh->GetProfile(0));
    EXPECT_EQ(GetPayloadGuid(readProfile), fresh->GetProfile(2)->GetGUID());
    const AssignmentRecord readMacro = fresh->GetButtonAssignment(buttons[3], fresh->GetProfile(0));
    EXPECT_EQ(GetPayloadGuid(readMacro), macro->GetId());
    EXPECT_EQ(GetMacroPlayMode(readMacro), MPM_UNTIL_PRESSED);
}

TEST_F(RoundTripTest, DpiStagesLightsAndMouseWideSettings) {
    IMouseProfile* profile = m_config->GetProfile(2);
    m_config->SetDPIStageCount(4, profile);
    m_config->SetStageSeparateAxes(1, true, profile);
    m_config->SetStageDPIX(1, 400, profile);
    m_config->SetStageDPIY(1, 1200, profile);
    m_config->SetStageDPI(1, 400, profile);
    for (int n = 2; n <= 4; ++n) {
        m_config->SetStageSeparateAxes(n, false, profile);
        m_config->SetStageDPI(n, 1000u * static_cast<uint32_t>(n), profile);
    }
    m_config->SetActiveStage(4, profile);
    m_config->SetSensitivitySeparateAxes(false, profile);
    m_config->SetSensitivityDPI(4000, profile);
    m_config->SetLedColour(LED_LOGO, 0x00123456, profile);
    m_config->SetLedEffect(LED_LOGO, 3, profile);
    m_config->SetLedBrightness(LED_LOGO, 40, profile);
    m_config->SetLedState(LED_SCROLLWHEEL, false, profile);
    m_config->SetAcceleration(8);
    m_config->SetAccelerationOn(true);
    Ifc(*m_config).SetPollingRate(0);
    m_config->SetLiftOffAutomatic(false);
    m_config->SetLiftOffDistance(30);
    m_config->SetSurfaceCalibration(false);

    auto fresh = WriteAndReadBack();
    IMouseProfile* read = fresh->GetProfile(2);
    EXPECT_EQ(fresh->GetDPIStageCount(read), 4u);
    EXPECT_TRUE(fresh->GetStageSeparateAxes(1, read));
    EXPECT_EQ(fresh->GetStageDPIY(1, read), 1200u);
    EXPECT_EQ(fresh->GetStageDPI(4, read), 4000u);
    EXPECT_EQ(fresh->GetActiveStage(read), 4);
    EXPECT_EQ(fresh->GetSensitivityDPI(read), 4000u);
    EXPECT_EQ(fresh->GetLedColour(LED_LOGO, read), 0x00123456u);
    EXPECT_EQ(fresh->GetLedEffect(LED_LOGO, read), 3);
    EXPECT_EQ(fresh->GetLedBrightness(LED_LOGO, read), 40u);
    EXPECT_FALSE(fresh->GetLedState(LED_SCROLLWHEEL, read));
    EXPECT_EQ(fresh->GetAcceleration(), 8u);
    EXPECT_TRUE(fresh->GetAccelerationOn());
    EXPECT_EQ(fresh->GetPollingRate(), 0);
    EXPECT_FALSE(fresh->GetLiftOffAutomatic());
    EXPECT_EQ(fresh->GetLiftOffDistance(), 30u);
    EXPECT_FALSE(fresh->GetSurfaceCalibration());
}

TEST_F(RoundTripTest, IdentityAndActiveProfile) {
    IMouseProfile* profile = m_config->GetProfile(1);
    m_config->SetApplicationPath(profile, u"/usr/bin/game");
    profile->SetApplicationName(u"game");
    m_config->SetApplicationLink(profile, true);
    m_config->SetDPIOSD(false, profile);
    m_config->SetActiveProfile(profile);
    auto fresh = WriteAndReadBack();
    IMouseProfile* read = fresh->GetProfile(1);
    EXPECT_EQ(read->GetApplicationName(), u"game");
    EXPECT_TRUE(read->GetApplicationLink());
    EXPECT_FALSE(read->GetDPIOSD());
    EXPECT_EQ(fresh->GetActiveProfile(), read);
}

TEST_F(RoundTripTest, MacrosAreCreatedReplacedAndEmptyOnesDropped) {
    CMacro* kept = m_config->AddMacro(u"Combo");
    kept->SetEvents({{MET_KEY, 0x1E, 0xFF}, {MET_DELAY, 50, 0}, {MET_KEY, 0x1E, 0x01}});
    CMacro* empty = m_config->AddMacro(u"Nothing");
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    EXPECT_FALSE(kept->GetId().IsNull());
    EXPECT_TRUE(empty->GetId().IsNull());

    kept->Events().push_back({MET_MOUSE, MB_RIGHT, 0xFF});
    auto fresh = WriteAndReadBack();
    ASSERT_EQ(fresh->GetMacroCount(), 1);
    EXPECT_EQ(fresh->GetMacro(0)->GetId(), kept->GetId());
    EXPECT_EQ(fresh->GetMacro(0)->GetEvents().size(), 4u);
}

TEST_F(RoundTripTest, MacroEmptiedLaterIsDeletedFromTheMouse) {
    CMacro* macro = m_config->AddMacro(u"Short");
    macro->SetEvents({{MET_DELAY, 10, 0}});
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    macro->SetEvents({});
    auto fresh = WriteAndReadBack();
    EXPECT_EQ(fresh->GetMacroCount(), 0);
    EXPECT_TRUE(macro->GetId().IsNull());
}

TEST_F(RoundTripTest, StaleDeviceProfilesAreDeletedEvenTheActiveOne) {
    // The configuration drops the device's active first profile and its third.
    m_config->DeleteProfile(m_config->GetProfile(2));
    m_config->DeleteProfile(m_config->GetProfile(0));
    ASSERT_EQ(m_config->GetProfileCount(), 1);
    m_config->SetActiveProfile(m_config->GetProfile(0));
    auto fresh = WriteAndReadBack();
    EXPECT_EQ(DeviceProfileNames(), std::vector<std::u16string>{u"Gaming"});
    EXPECT_EQ(fresh->GetActiveProfile(), fresh->GetProfile(0));
}

TEST_F(RoundTripTest, NullGuidProfileIsCreatedAndCaseOnlyRenameKeepsTheName) {
    IMouseProfile* copy = m_config->CopyProfileAs(m_config->GetProfile(1), u"Extra");
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->GetGUID().IsNull());
    m_config->GetProfile(2)->SetName(u"OFFICE");
    m_config->GetProfile(0)->SetName(u"Home");
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    EXPECT_FALSE(copy->GetGUID().IsNull());
    EXPECT_EQ(DeviceProfileNames(), (std::vector<std::u16string>{u"Home", u"Gaming", u"Office", u"Extra"}));
}

TEST_F(RoundTripTest, SecondWriteIsRefusedWhileOneRuns) {
    ASSERT_TRUE(m_mouse->Transfer(m_config.get(), kTransferWrite, MASK_FULL_WRITE));
    EXPECT_TRUE(m_mouse->IsBusy());
    EXPECT_FALSE(m_mouse->Transfer(m_config.get(), kTransferWrite, MASK_FULL_WRITE));
    EXPECT_FALSE(m_mouse->Transfer(m_config.get(), kTransferRead, MASK_FULL_READ));
    EXPECT_EQ(m_mouse->GetDeviceProfileCount(), 0);
    WaitIdle(*m_mouse);
    EXPECT_TRUE(WriteAndWait(*m_mouse, *m_config));
}

TEST_F(RoundTripTest, WriteTakesTheMandatedPausesOnly) {
    const auto start = m_clock.Elapsed();
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    // One name check per known profile and the pause after the write; the wait polls
    // every 100 ms.
    const auto elapsed = (m_clock.Elapsed() - start).count();
    EXPECT_GE(elapsed, 3 * 500 + 500);
    EXPECT_LE(elapsed, 3 * 500 + 500 + 100);
}

TEST_F(RoundTripTest, PollingIndexOutsideTheListFailsButCommits) {
    m_config->SetPollingRates({125, 500, 1000, 2000});
    Ifc(*m_config).SetPollingRate(3);
    m_config->SetLiftOffDistance(55);
    ASSERT_TRUE(m_mouse->Transfer(m_config.get(), kTransferWrite, MASK_FULL_WRITE));
    WaitIdle(*m_mouse);
    EXPECT_FALSE(Ifc(*m_config).IsAnyModified());
    auto fresh = NewConfig();
    auto reader = ReadMouse(*fresh);
    EXPECT_NE(fresh->GetLiftOffDistance(), 55u) << "steps after the failure are skipped";
}

TEST_F(RoundTripTest, DestructionWaitsForTheWorker) {
    m_config->SetAcceleration(9);
    ASSERT_TRUE(m_mouse->Transfer(m_config.get(), kTransferWrite, MASK_FULL_WRITE));
    m_mouse.reset();
    auto fresh = NewConfig();
    auto reader = ReadMouse(*fresh);
    EXPECT_EQ(fresh->GetAcceleration(), 9u);
}

TEST_F(RoundTripTest, ProfileAndMacroFiles) {
    const std::u16string profilePath = plat_u16(m_folder.Path() + "/gaming.kvp");
    ASSERT_TRUE(m_mouse->ExportProfile(profilePath, m_config->GetProfile(1)));
    ASSERT_TRUE(m_mouse->ImportProfile(profilePath, m_config.get()));
    ASSERT_EQ(m_config->GetProfileCount(), 4);
    IMouseProfile* imported = m_config->GetProfile(3);
    EXPECT_EQ(imported->GetName(), u"Gaming");
    EXPECT_NE(imported->GetGUID(), m_config->GetProfile(1)->GetGUID());
    EXPECT_EQ(m_config->GetStageDPI(3, imported), 3200u);
    EXPECT_TRUE(m_mouse->HasProfileOnDevice(imported));

    CMacro* macro = m_config->AddMacro(u"Saved");
    macro->SetEvents({{MET_DELAY, 25, 0}});
    ASSERT_TRUE(WriteAndWait(*m_mouse, *m_config));
    EXPECT_TRUE(m_mouse->HasMacroOnDevice(macro));
    const std::u16string macroPath = plat_u16(m_folder.Path() + "/saved.kvm");
    ASSERT_TRUE(m_mouse->ExportMacro(macroPath, macro));
    m_config->RemoveMacro(macro);
    ASSERT_TRUE(m_mouse->ImportMacro(macroPath, m_config.get()));
    CMacro* back = m_config->FindMacroByName(u"Saved");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetImportPath(), macroPath);
    EXPECT_EQ(back->GetEvents().size(), 1u);
    EXPECT_FALSE(m_mouse->ImportMacro(plat_u16(m_folder.Path() + "/missing.kvm"), m_config.get()));
}

TEST_F(RoundTripTest, ProfileTheMouseNoLongerKnowsIsCreatedAgain) {
    std::shared_ptr<IProfile> office;
    ASSERT_EQ(DeviceProfiles()->FindProfile(m_config->GetProfile(2)->GetGUID(), office), S_OK);
    ASSERT_EQ(DeviceProfiles()->DeleteProfile(*office), S_OK);
    m_config->SetLedColour(LED_LOGO, 0x00010203, m_config->GetProfile(2));
    auto fresh = WriteAndReadBack();
    ASSERT_EQ(fresh->GetProfileCount(), 3);
    EXPECT_EQ(fresh->GetProfile(2)->GetName(), u"Office");
    EXPECT_EQ(fresh->GetProfile(2)->GetGUID(), m_config->GetProfile(2)->GetGUID());
}
