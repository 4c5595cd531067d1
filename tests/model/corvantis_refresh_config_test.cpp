// The configuration: defaults per model, profile list operations, mouse-wide settings,
// change tracking, and the settings file.
#include "model/assign_type.h"
#include "model/corvantis_refresh_config.h"
#include "platform/os/ini_file.h"
#include "platform/text/utf.h"
#include "tests/platform/os/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::u16string FolderOf(const TempFolder& folder) {
    return plat::Utf8ToUtf16(folder.Path() + "/");
}

AssignmentRecord Record(tAssignType kind) {
    AssignmentRecord record;
    record.kind = kind;
    return record;
}

// A configuration whose save folder is a throw-away folder, so no test sees another's files.
class Config : public ::testing::Test {
protected:
    TempFolder folder;
    CCorvantisRefreshConfig config{tCorvantisModel::Refresh, FolderOf(folder)};
    IMouseConfig& mouse = config;
};

} // namespace

TEST(CCorvantisRefreshConfigDefaults, NewProfileDefaultsByModel) {
    struct Case {
        tCorvantisModel model;
        std::array<uint32_t, 5> stages;
        int activeStage;
        uint32_t dpiMax;
    };
    const Case cases[] = {
        {tCorvantisModel::Refresh, {800, 1800, 4000, 5600, 6400}, 2, 6400},
        {tCorvantisModel::Legacy, {800, 1200, 1800, 4000, 5600}, 3, 5600},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        CCorvantisRefreshConfig config(c.model, FolderOf(folder));
        IMouseConfig& mouse = config;
        IMouseProfile* profile = mouse.CreateProfile(u"Profile1");
        ASSERT_NE(profile, nullptr);

        EXPECT_EQ(profile->GetName(), u"Profile1");
        EXPECT_EQ(profile->GetMaxDPIStages(), 5u);
        EXPECT_EQ(profile->GetDPIStageCount(), 5u);
        for (int stage = 1; stage <= 5; ++stage) {
            EXPECT_EQ(profile->GetStageDPI(stage), c.stages[static_cast<size_t>(stage - 1)]) << stage;
            EXPECT_EQ(CCorvantisRefreshConfig::DefaultStageDPI(c.model, stage), profile->GetStageDPI(stage));
            EXPECT_FALSE(profile->GetStageSeparateAxes(stage));
        }
        EXPECT_EQ(profile->GetActiveStage(), c.activeStage);
        EXPECT_EQ(profile->GetStageDPI(profile->GetActiveStage()), 1800u);
        EXPECT_EQ(profile->GetSensitivityDPI(), 1800u);
        uint32_t min = 0, max = 0, step = 0;
        profile->GetDPIRange(min, max, step);
        EXPECT_EQ(std::tie(min, max, step), std::make_tuple(100u, c.dpiMax, 100u));
        EXPECT_TRUE(profile->GetLedState(LED_SCROLLWHEEL));
        EXPECT_TRUE(profile->GetLedState(LED_LOGO));
        EXPECT_TRUE(profile->GetDPIOSD());
        EXPECT_FALSE(profile->IsAnyModified());
        for (const tMouseButton button : CCorvantisRefreshConfig::kResetButtonOrder) {
            EXPECT_EQ(profile->GetButtonAssignment(button).kind,
                      mouse.GetDefaultButtonAssignment(button).kind);
        }
        EXPECT_EQ(mouse.GetPollingRate(), 1);
        EXPECT_FALSE(mouse.GetAccelerationOn());
        EXPECT_EQ(mouse.GetSurfaceCalibration(), c.model == tCorvantisModel::Refresh);
        EXPECT_EQ(mouse.GetLiftOffAutomatic(), c.model == tCorvantisModel::Refresh);
        EXPECT_EQ(mouse.GetLiftOffDistance(), c.model == tCorvantisModel::Refresh ? 2u : 0u);
    }
}

TEST_F(Config, DefaultButtonTable) {
    struct Case {
        tMouseButton button;
        tAssignType kind;
    };
    const Case cases[] = {
        {MB_LEFT, AT_CLICK},
        {MB_RIGHT, AT_MENU},
        {MB_WHEEL, AT_UNIVERSAL_SCROLLING},
        {MB_BUTTON4, AT_BACKWARD},
        {MB_BUTTON5, AT_FORWARD},
        {MB_CENTER_FRONT, AT_DPI_STAGE_UP},
        {MB_CENTER_REAR, AT_DPI_STAGE_DOWN},
        {MB_SCROLL_UP, AT_SCROLL_UP},
        {MB_SCROLL_DOWN, AT_SCROLL_DOWN},
        {MB_NULL, AT_NONE},
        {MB_RIGHTSIDE_FRONT, AT_NONE},
        {static_cast<tMouseButton>(99), AT_NONE},
    };
    for (const Case& c : cases) {
        const AssignmentRecord record = mouse.GetDefaultButtonAssignment(c.button);
        EXPECT_EQ(record.kind, c.kind) << c.button;
        EXPECT_EQ(record.payload, AssignmentRecord{}.payload);
    }
    EXPECT_EQ(mouse.GetEmptyAssignment(), AssignmentRecord{});
}

TEST_F(Config, FindProfileByNameIgnoresCase) {
    IMouseProfile* profile = mouse.CreateProfile(u"Profile1");
    EXPECT_EQ(mouse.FindProfileByName(u"PROFILE1"), profile);
    EXPECT_EQ(mouse.FindProfileByName(u"Profile"), nullptr);
}

TEST_F(Config, RenameToTheSameNameChangesNothingButCaseRenames) {
    IMouseProfile* profile = mouse.CreateProfile(u"Profile1");
    EXPECT_EQ(mouse.RenameProfile(profile, u"Profile1"), nullptr);
    EXPECT_EQ(mouse.GetProfile(0), profile);

    IMouseProfile* renamed = mouse.RenameProfile(profile, u"PROFILE1");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->GetName(), u"PROFILE1");
    EXPECT_EQ(mouse.GetProfile(0), renamed);
    EXPECT_EQ(mouse.GetProfileCount(), 1);
    EXPECT_EQ(mouse.RenameProfile(nullptr, u"x"), nullptr);
}

TEST_F(Config, RenamingTheActiveProfileKeepsItsCopyActiveAndInPlace) {
    mouse.CreateProfile(u"First");
    IMouseProfile* second = mouse.CreateProfile(u"Second");
    mouse.CreateProfile(u"Third");
    second->SetGUID(GUID::FromWords(9, 9, 9, 9));
    mouse.SetActiveProfile(second);
    mouse.CommitAll();
    second->CommitAll();

    IMouseProfile* renamed = mouse.RenameProfile(second, u"Renamed");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(mouse.GetActiveProfile(), renamed);
    EXPECT_EQ(mouse.GetProfile(1), renamed);
    EXPECT_EQ(renamed->GetGUID(), GUID::FromWords(9, 9, 9, 9));
    EXPECT_EQ(renamed->GetStageDPI(2), 1800u);
    EXPECT_TRUE(mouse.IsCategoryModified(21));
    EXPECT_TRUE(renamed->IsAnyModified()); // sent in full
}

TEST_F(Config, CopyProfileAsIsNotOnTheMouseYet) {
    IMouseProfile* source = mouse.CreateProfile(u"Source");
    source->SetGUID(GUID::FromWords(1, 1, 1, 1));
    mouse.CreateProfile(u"Other")->SetGUID(GUID::FromWords(2, 2, 2, 2));

    EXPECT_EQ(mouse.CopyProfileAs(source, u"Source"), nullptr);
    EXPECT_EQ(mouse.CopyProfileAs(nullptr, u"Copy"), nullptr);
    IMouseProfile* copy = mouse.CopyProfileAs(source, u"Copy");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetName(), u"Copy");
    EXPECT_TRUE(copy->GetGUID().IsNull());
    EXPECT_EQ(mouse.GetProfile(2), copy);
    EXPECT_EQ(mouse.FindProfileByGUID(GUID{}), copy);
    EXPECT_EQ(mouse.FindProfileByGUID(GUID::FromWords(1, 1, 1, 1)), source);

    IMouseProfile* plain = mouse.AddCopyOfProfile(source);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetName(), u"Source");
    EXPECT_EQ(mouse.AddCopyOfProfile(nullptr), nullptr);
    EXPECT_EQ(mouse.GetProfileCount(), 4);
}

TEST_F(Config, DeletingTheActiveProfileLeavesForwardingWithNothingToDo) {
    IMouseProfile* profile = mouse.CreateProfile(u"Only");
    mouse.SetActiveProfile(profile);
    EXPECT_EQ(mouse.GetStageDPI(1), 800u);

    mouse.DeleteProfile(profile);
    EXPECT_EQ(mouse.GetActiveProfile(), nullptr);
    EXPECT_EQ(mouse.GetProfileCount(), 0);
    mouse.SetStageDPI(1, 1000);
    EXPECT_EQ(mouse.GetStageDPI(1), 0u);
    EXPECT_FALSE(mouse.SetButtonAssignment(MB_LEFT, Record(AT_CLICK)));
    EXPECT_EQ(mouse.GetButtonAssignment(MB_LEFT).kind, AT_NONE);
    EXPECT_FALSE(mouse.GetDPIOSD());
    EXPECT_EQ(mouse.GetActiveStage(), 0);
    EXPECT_EQ(mouse.GetApplicationPath(nullptr), u"");
    mouse.DeleteProfile(nullptr);
}

TEST_F(Config, ForwardingPrefersTheGivenProfile) {
    IMouseProfile* active = mouse.CreateProfile(u"Active");
    IMouseProfile* other = mouse.CreateProfile(u"Other");
    mouse.SetActiveProfile(active);
    mouse.SetStageDPI(1, 1000);
    mouse.SetStageDPI(1, 2000, other);
    EXPECT_EQ(active->GetStageDPI(1), 1000u);
    EXPECT_EQ(other->GetStageDPI(1), 2000u);
    mouse.SetLedColour(LED_LOGO, 0xFF, other);
    EXPECT_EQ(mouse.GetLedColour(LED_LOGO), 0u);
    EXPECT_EQ(mouse.GetLedColour(LED_LOGO, other), 0xFFu);
    EXPECT_FALSE(mouse.SetMaxDPIStages(3, nullptr)); // never the active profile
    EXPECT_FALSE(mouse.SetMaxDPIStages(0, other));
    EXPECT_EQ(other->GetMaxDPIStages(), 5u);
}

TEST_F(Config, OnlyProfilesOfTheListBecomeActive) {
    IMouseProfile* owned = mouse.CreateProfile(u"Owned");
    CCorvantisRefreshProfile stranger(u"Stranger");
    mouse.SetActiveProfile(owned);
    mouse.SetActiveProfile(&stranger);
    EXPECT_EQ(mouse.GetActiveProfile(), owned);
    mouse.SetActiveProfile(nullptr);
    EXPECT_EQ(mouse.GetActiveProfile(), nullptr);
}

TEST_F(Config, DeleteAllProfilesClearsTheActiveProfile) {
    mouse.SetActiveProfile(mouse.CreateProfile(u"One"));
    mouse.DeleteAllProfiles();
    EXPECT_EQ(mouse.GetProfileCount(), 0);
    EXPECT_EQ(mouse.GetActiveProfile(), nullptr);
    EXPECT_EQ(mouse.GetDPIStageCount(), 0u);
}

TEST_F(Config, ResetWithoutProfileTurnsProfileOSDOnEverywhere) {
    IMouseProfile* first = mouse.CreateProfile(u"First");
    IMouseProfile* second = mouse.CreateProfile(u"Second");
    first->SetProfileOSD(false);
    second->SetProfileOSD(false);
    mouse.SetActiveProfile(second);
    mouse.SetApplicationPath(second, u"/usr/bin/game");
    mouse.SetApplicationLink(second, true);

    mouse.ResetProfile(nullptr);
    EXPECT_TRUE(first->GetProfileOSD());
    EXPECT_TRUE(second->GetProfileOSD());
    EXPECT_FALSE(second->GetApplicationLink());
    EXPECT_EQ(second->GetApplicationPath(), u"");
    EXPECT_EQ(second->GetApplicationName(), u"");
}

TEST_F(Config, ResetWithProfileSpreadsTheActiveProfilesOSD) {
    IMouseProfile* active = mouse.CreateProfile(u"Active");
    IMouseProfile* other = mouse.CreateProfile(u"Other");
    mouse.SetActiveProfile(active);
    active->SetProfileOSD(false);
    mouse.ResetProfile(other);
    EXPECT_FALSE(other->GetProfileOSD());
}

TEST_F(Config, MouseWideSettingsAreClamped) {
    mouse.SetAccelerationRange(1, 10);
    mouse.SetAcceleration(50);
    EXPECT_EQ(mouse.GetAcceleration(), 10u);
    mouse.SetAcceleration(0);
    EXPECT_EQ(mouse.GetAcceleration(), 1u);

    struct Case {
        uint32_t requested;
        uint32_t stored;
    };
    for (const Case c : {Case{300, 255}, Case{256, 255}, Case{255, 255}, Case{0, 0}}) {
        mouse.SetReducedBrightness(c.requested);
        EXPECT_EQ(mouse.GetReducedBrightness(), c.stored) << c.requested;
    }

    mouse.SetLiftOffRange(1, 30);
    mouse.SetLiftOffDistance(31);
    EXPECT_EQ(mouse.GetLiftOffDistance(), 30u);

    EXPECT_EQ(mouse.GetFlashWarningMax(), 1u);
    mouse.SetFlashWarningRangeDefault();
    EXPECT_EQ(std::make_pair(mouse.GetFlashWarningMin(), mouse.GetFlashWarningMax()), std::make_pair(0u, 3u));
    mouse.SetFlashWarningStage(7);
    mouse.SetSecondFlashWarningValue(9);
    EXPECT_EQ(mouse.GetFlashWarningStage(), 3u);
    EXPECT_EQ(mouse.GetSecondFlashWarningValue(), 3u);
    EXPECT_EQ(mouse.GetPowerValue(), -1);
}

TEST_F(Config, PollingRatesKeepFiveAndLeaveOlderEntriesReadable) {
    EXPECT_EQ(mouse.GetPollingRate(), -1);
    mouse.SetPollingRates({1000, 500, 250, 125, 100, 50, 10});
    EXPECT_EQ(mouse.GetPollingRateCount(), 5);
    EXPECT_EQ(mouse.GetPollingRateValue(4), 100u);
    EXPECT_EQ(mouse.GetPollingRateValue(5), 0u);

    mouse.SetPollingRates({1000, 500});
    EXPECT_EQ(mouse.GetPollingRateCount(), 2);
    EXPECT_EQ(mouse.GetPollingRateValue(3), 125u);
    EXPECT_EQ(mouse.GetPollingRateValue(-1), 0u);
}

TEST_F(Config, GlobalAssignmentsAcceptOnlyTheirKind) {
    EXPECT_FALSE(mouse.SetGlobalAssignment(3, Record(AT_CLICK)));
    EXPECT_FALSE(mouse.SetGlobalAssignment(3, Record(AT_NONE)));
    EXPECT_EQ(mouse.GetGlobalAssignmentCount(), 0);
    EXPECT_FALSE(mouse.IsCategoryModified(2));

    EXPECT_TRUE(mouse.SetGlobalAssignment(9, Record(77)));
    EXPECT_TRUE(mouse.SetGlobalAssignment(4, Record(77)));
    EXPECT_EQ(mouse.GetGlobalAssignmentCount(), 2);
    EXPECT_EQ(mouse.GetGlobalAssignmentKey(0), 4);
    EXPECT_EQ(mouse.GetGlobalAssignmentKey(1), 9);
    EXPECT_EQ(mouse.GetGlobalAssignmentKey(2), 0);
    EXPECT_TRUE(mouse.IsCategoryModified(2));
    EXPECT_EQ(mouse.GetGlobalAssignment(4).kind, 77);
}

TEST_F(Config, PowerEntriesAreUniqueByKey) {
    EXPECT_TRUE(mouse.AddPowerEntry(10, 20, 1));
    EXPECT_FALSE(mouse.AddPowerEntry(11, 21, 1));
    EXPECT_TRUE(mouse.AddPowerEntry(30, 40, 2));
    EXPECT_EQ(mouse.GetPowerEntryCount(), 2);

    uint32_t value = 0, second = 0, key = 0;
    EXPECT_TRUE(mouse.SetPowerEntryValue(1, 31));
    EXPECT_TRUE(mouse.GetPowerEntryValue(1, value));
    EXPECT_EQ(value, 31u);
    EXPECT_TRUE(mouse.SetPowerEntryValues(0, 22, 5));
    EXPECT_TRUE(mouse.GetPowerEntryValues(0, second, key));
    EXPECT_EQ(std::make_pair(second, key), std::make_pair(22u, 5u));
    for (const int index : {-1, 2}) {
        EXPECT_FALSE(mouse.SetPowerEntryValue(index, 1));
        EXPECT_FALSE(mouse.SetPowerEntryValues(index, 1, 1));
        EXPECT_FALSE(mouse.GetPowerEntryValue(index, value));
        EXPECT_FALSE(mouse.GetPowerEntryValues(index, second, key));
    }
    mouse.ClearPowerEntries();
    EXPECT_EQ(mouse.GetPowerEntryCount(), 0);
}

TEST_F(Config, ApplicationsAndMacrosAreTrackedByIndex) {
    CKvApp* app = mouse.AddApplication(u"Game.exe");
    ASSERT_NE(app, nullptr);
    EXPECT_TRUE(app->profileGuid.IsNull());
    EXPECT_EQ(mouse.AddApplication(u"GAME.EXE"), nullptr);
    EXPECT_EQ(mouse.FindApplicationByName(u"game.exe"), app);
    EXPECT_EQ(mouse.FindApplicationByGUID(GUID{}), app);
    EXPECT_EQ(mouse.GetApplication(1), nullptr);

    CMacro* macro = mouse.AddMacro(u"Combo");
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(mouse.GetMacroCount(), 1);
    EXPECT_EQ(mouse.GetMacro(0), macro);
    EXPECT_EQ(mouse.FindMacroByName(u"COMBO"), macro);
    EXPECT_TRUE(mouse.IsElementModified(12, 0));
    EXPECT_TRUE(mouse.IsElementModified(14, 0));
    mouse.CommitAll();
    for (const auto& [type, index] :
         {std::pair{12, 1}, std::pair{14, 1}, std::pair{8, 0}, std::pair{13, 0}}) {
        EXPECT_TRUE(mouse.IsElementModified(type, index)) << type << "/" << index;
    }
    EXPECT_FALSE(mouse.IsElementModified(12, 0));
    EXPECT_FALSE(mouse.IsElementModified(14, 0));

    mouse.RemoveMacro(macro);
    mouse.RemoveApplication(app);
    EXPECT_EQ(mouse.GetMacroCount(), 0);
    EXPECT_EQ(mouse.GetApplicationCount(), 0);
    EXPECT_FALSE(mouse.IsAnyModified());
}

TEST_F(Config, IsAnyModifiedAsksProfilesButCommitAllLeavesThemAlone) {
    IMouseProfile* first = mouse.CreateProfile(u"First");
    IMouseProfile* second = mouse.CreateProfile(u"Second");
    mouse.SetActiveProfile(first);
    mouse.CommitAll();
    EXPECT_FALSE(mouse.IsAnyModified());
    EXPECT_TRUE(mouse.IsCategoryModified(22)); // nothing registered under it

    mouse.SetStageDPI(3, 900, second);
    EXPECT_TRUE(mouse.IsAnyModified());
    EXPECT_TRUE(mouse.IsAnyModified(second));
    EXPECT_FALSE(mouse.IsAnyModified(first));
    mouse.CommitAll();
    EXPECT_TRUE(mouse.IsAnyModified()) << "profiles commit themselves";
    second->CommitAll();
    EXPECT_FALSE(mouse.IsAnyModified());

    mouse.SetPollingRate(2);
    EXPECT_TRUE(mouse.IsCategoryModified(18));
    EXPECT_TRUE(mouse.IsAnyModified());
}

TEST_F(Config, SettingsFileRemembersTheActiveProfile) {
    EXPECT_FALSE(mouse.SaveSettings()) << "no active profile";
    IMouseProfile* profile = mouse.CreateProfile(u"Game Profile");
    mouse.SetActiveProfile(profile);
    ASSERT_TRUE(mouse.SaveSettings());
    EXPECT_EQ(plat::GetPrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"", 4096,
                                            config.GetSettingsFilePath()),
              u"Game Profile");
    EXPECT_EQ(config.GetSettingsFilePath(), FolderOf(folder) + u"CorvantisRefresh.kvc");
    EXPECT_EQ(config.GetProfileFilePattern(), FolderOf(folder) + u"*.kvp");

    EXPECT_FALSE(mouse.SaveProfilesToFiles(profile));
    EXPECT_TRUE(mouse.SaveProfilesToFiles(nullptr));

    mouse.LoadSettings(); // no profile files: the list stays as it is
    EXPECT_EQ(mouse.GetProfileCount(), 1);
    EXPECT_EQ(mouse.GetActiveProfile(), profile);
}

TEST_F(Config, StrayProfileFilesEmptyTheListWithoutLeavingADanglingActiveProfile) {
    mouse.SetActiveProfile(mouse.CreateProfile(u"Active"));
    std::ofstream(folder.Path() + "/Old.kvp") << "not a profile";
    EXPECT_EQ(mouse.LoadProfilesFromFiles(), 0);
    EXPECT_EQ(mouse.GetProfileCount(), 0);
    EXPECT_EQ(mouse.GetActiveProfile(), nullptr);
    mouse.LoadSettings();
    EXPECT_EQ(mouse.GetActiveProfile(), nullptr);
    EXPECT_FALSE(mouse.SaveSettings());
}
