// A profile's stages, clamping, assignments, lighting and change tracking.
#include "model/assign_type.h"
#include "model/corvantis_refresh_profile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

AssignmentRecord Record(tAssignType kind, uint8_t firstByte = 0) {
    AssignmentRecord record;
    record.kind = kind;
    record.payload[0] = firstByte;
    return record;
}

// Five stages, a range of 100 to 6400, everything committed.
class StagedProfile : public ::testing::Test {
protected:
    StagedProfile() {
        profile.SetMaxDPIStages(5);
        profile.SetDPIRange(100, 6400, 100);
        profile.CommitAll();
    }
    CCorvantisRefreshProfile profile{u"Profile1"};
};

} // namespace

TEST(CMouseProfile, MaxStagesAreClampedAndResetTheStages) {
    struct Case {
        uint32_t requested;
        uint32_t stored;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{5, 5}, Case{10, 10}, Case{25, 10}}) {
        CCorvantisRefreshProfile profile;
        profile.SetDPIRange(0, 10000, 1);
        profile.SetMaxDPIStages(3);
        profile.SetStageDPI(1, 900);
        profile.SetActiveStage(3);
        profile.SetDPIStageCount(2);

        EXPECT_TRUE(profile.SetMaxDPIStages(c.requested));
        EXPECT_EQ(profile.GetMaxDPIStages(), c.stored) << c.requested;
        EXPECT_EQ(profile.GetActiveStage(), 1) << c.requested;
        EXPECT_EQ(profile.GetStageDPI(1), 0u) << c.requested;
        EXPECT_EQ(profile.GetDPIStageCount(), 2u) << "the count in use stays";
        EXPECT_EQ(profile.GetStageDPI(static_cast<int>(c.stored) + 1), 0u);
    }
}

TEST_F(StagedProfile, StageDPIIsClampedToTheRangeButSensitivityIsNot) {
    struct Case {
        uint32_t requested;
        uint32_t stored;
    };
    for (const Case c : {Case{50, 100}, Case{100, 100}, Case{6400, 6400}, Case{9000, 6400}, Case{0, 100},
                         Case{0xFFFFFFFF, 6400}}) {
        profile.SetStageDPI(2, c.requested);
        profile.SetStageDPIX(2, c.requested);
        profile.SetStageDPIY(2, c.requested);
        EXPECT_EQ(profile.GetStageDPI(2), c.stored) << c.requested;
        EXPECT_EQ(profile.GetStageDPIX(2), c.stored) << c.requested;
        EXPECT_EQ(profile.GetStageDPIY(2), c.stored) << c.requested;
    }
    profile.SetSensitivityDPI(9000);
    profile.SetTempDPIX(50);
    EXPECT_EQ(profile.GetSensitivityDPI(), 9000u);
    EXPECT_EQ(profile.GetTempDPIX(), 50u);
    uint32_t min = 0, max = 0, step = 0;
    EXPECT_TRUE(profile.GetDPIRange(min, max, step));
    EXPECT_EQ(std::tie(min, max, step), std::make_tuple(100u, 6400u, 100u));
}

TEST_F(StagedProfile, StageNumbersBeyondTheMaximumAddressTheLastStage) {
    profile.SetStageDPI(9, 800);
    EXPECT_EQ(profile.GetStageDPI(5), 800u);
    EXPECT_EQ(profile.GetStageDPI(9), 800u);
    EXPECT_EQ(profile.GetStageDPI(4), 0u);
    profile.SetStageSeparateAxes(6, true);
    EXPECT_TRUE(profile.GetStageSeparateAxes(5));

    struct Case {
        int requested;
        int active;
    };
    for (const Case c : {Case{9, 5}, Case{5, 5}, Case{2, 2}, Case{1, 1}, Case{0, 1}, Case{-3, 1}}) {
        profile.SetActiveStage(c.requested);
        EXPECT_EQ(profile.GetActiveStage(), c.active) << c.requested;
    }
}

TEST(CMouseProfile, StagesDoNothingBeforeTheMaximumIsSet) {
    CCorvantisRefreshProfile profile;
    profile.SetDPIRange(0, 10000, 1);
    profile.SetStageDPI(1, 800);
    profile.SetStageSeparateAxes(1, true);
    profile.SetActiveStage(3);
    EXPECT_EQ(profile.GetStageDPI(1), 0u);
    EXPECT_FALSE(profile.GetStageSeparateAxes(1));
    EXPECT_EQ(profile.GetActiveStage(), 1);
    EXPECT_TRUE(profile.IsElementModified(8, 0));
}

TEST_F(StagedProfile, StageCountIsLimitedByTheMaximum) {
    profile.SetDPIStageCount(7);
    EXPECT_EQ(profile.GetDPIStageCount(), 5u);
    EXPECT_TRUE(profile.IsCategoryModified(11));
    profile.CommitAll();
    profile.SetDPIStageCount(5);
    EXPECT_FALSE(profile.IsCategoryModified(11));
}

TEST_F(StagedProfile, StageElementsAreTrackedByIndex) {
    profile.SetStageDPI(2, 1800);
    EXPECT_TRUE(profile.IsElementModified(8, 1));
    EXPECT_FALSE(profile.IsElementModified(8, 0));
    for (const int index : {5, 6, -1}) {
        EXPECT_TRUE(profile.IsElementModified(8, index)) << index;
    }
    EXPECT_TRUE(profile.IsCategoryModified(10));
    profile.CommitAll();
    EXPECT_FALSE(profile.IsAnyModified());
}

TEST_F(StagedProfile, TemporaryDPIIsNeverReported) {
    profile.SetTempDPI(400);
    profile.SetTempSeparateAxes(true);
    EXPECT_FALSE(profile.IsAnyModified());
    EXPECT_FALSE(profile.IsCategoryModified(7));
    profile.SetSensitivityDPI(400);
    EXPECT_TRUE(profile.IsCategoryModified(7));
}

TEST_F(StagedProfile, ButtonAssignmentsFollowTheRules) {
    struct Case {
        tMouseButton button;
        tAssignType kind;
        bool accepted;
    };
    const Case cases[] = {
        {MB_SCROLL_UP, AT_TEMPORARY_DPI, false}, {MB_LEFT, AT_TEMPORARY_DPI, true},
        {MB_BUTTON4, AT_MACRO_BY_NAME, true},    {MB_SCROLL_DOWN, AT_MACRO_BY_NAME, true},
        {MB_RIGHT, AT_LAUNCH_PROGRAM2, false},   {MB_RIGHT, AT_NONE, false},
    };
    for (const Case& c : cases) {
        CCorvantisRefreshProfile fresh;
        EXPECT_EQ(fresh.SetButtonAssignment(c.button, Record(c.kind)), c.accepted) << c.kind;
        EXPECT_EQ(fresh.GetButtonAssignment(c.button).kind, c.accepted ? c.kind : AT_NONE) << c.kind;
        EXPECT_EQ(fresh.ButtonAssignments().count(c.button), c.accepted ? 1u : 0u) << c.kind;
    }
}

TEST(CMouseProfile, KeysRefuseWhatNoButtonMenuOffers) {
    CCorvantisRefreshProfile profile;
    EXPECT_FALSE(profile.SetKeyAssignment(30, Record(AT_LAUNCH_PROGRAM2)));
    EXPECT_FALSE(profile.SetKeyAssignment(30, Record(AT_SCROLL_UP + 100)));
    EXPECT_EQ(profile.GetKeyAssignmentCount(), 0);
    EXPECT_TRUE(profile.KeyAssignments().empty());
    EXPECT_TRUE(profile.SetKeyAssignment(30, Record(AT_TEMPORARY_DPI)));
    EXPECT_TRUE(profile.IsKeyAssignmentAllowed(AT_PROFILE_BY_NAME));
}

TEST(CMouseProfile, AllowedAssignmentLists) {
    CCorvantisRefreshProfile profile;
    std::vector<tAssignType> list{99};
    profile.GetAllowedAssignments(list, MB_SCROLL_DOWN);
    EXPECT_EQ(list, (std::vector<tAssignType>{6, 13, 14, 53, 54, 8}));
    profile.GetAllowedAssignments(list, MB_LEFT);
    EXPECT_EQ(list.size(), 15u);
    EXPECT_EQ(std::count(list.begin(), list.end(), AT_TEMPORARY_DPI), 0);
    profile.GetAllowedAssignmentsWithTempDPI(list, MB_LEFT);
    EXPECT_EQ(list.size(), 16u);
    EXPECT_EQ(list[5], AT_TEMPORARY_DPI);
    profile.GetAllowedAssignmentsWithTempDPI(list, MB_SCROLL_UP);
    EXPECT_EQ(list.size(), 6u);
}

TEST_F(StagedProfile, ButtonsKeepTheirCommittedValueButKeysDoNot) {
    ASSERT_TRUE(profile.SetButtonAssignment(MB_LEFT, Record(AT_CLICK)));
    ASSERT_TRUE(profile.SetKeyAssignment(30, Record(AT_SINGLE_KEY, 0x1E)));
    EXPECT_TRUE(profile.IsButtonAssignmentModified(false, MB_LEFT));
    EXPECT_TRUE(profile.IsElementModified(1, 30));
    profile.CommitAll();

    ASSERT_TRUE(profile.SetButtonAssignment(MB_LEFT, Record(AT_CLICK)));
    ASSERT_TRUE(profile.SetKeyAssignment(30, Record(AT_SINGLE_KEY, 0x1E)));
    EXPECT_FALSE(profile.IsButtonAssignmentModified(false, MB_LEFT));
    EXPECT_TRUE(profile.IsButtonAssignmentModified(true, MB_LEFT));
    EXPECT_TRUE(profile.IsElementModified(1, 30));
    EXPECT_FALSE(profile.IsCategoryModified(0));
    EXPECT_TRUE(profile.IsCategoryModified(1));
    EXPECT_EQ(profile.GetKeyAssignmentCount(), 1);
}

TEST_F(StagedProfile, ReadingAnAbsentButtonTracksItAsUnassigned) {
    EXPECT_TRUE(profile.IsButtonAssignmentModified(false, MB_CENTER_FRONT));
    const AssignmentRecord record = profile.GetButtonAssignment(MB_CENTER_FRONT);
    EXPECT_EQ(record, AssignmentRecord{});
    EXPECT_FALSE(profile.IsButtonAssignmentModified(false, MB_CENTER_FRONT));
    EXPECT_FALSE(profile.IsAnyModified());
}

TEST(CMouseProfile, ClickAssignmentFromButtonsOrKeysInUse) {
    CCorvantisRefreshProfile profile;
    EXPECT_FALSE(profile.HasClickAssignment());
    profile.SetKeyAssignment(4, Record(AT_CLICK));
    EXPECT_TRUE(profile.HasClickAssignment());
    profile.SetKeyAssignmentsInUse(false);
    EXPECT_FALSE(profile.HasClickAssignment());
    profile.SetButtonAssignment(MB_RIGHT, Record(AT_CLICK));
    EXPECT_TRUE(profile.HasClickAssignment());
}

TEST(CMouseProfile, ElementQueriesOfUnknownTypesReportModified) {
    CCorvantisRefreshProfile profile;
    profile.SetLedState(LED_LOGO, false);
    for (const int type : {0, 2, 3, 7, 9, 12}) {
        EXPECT_TRUE(profile.IsElementModified(type, 0)) << type;
    }
    for (const int type : {0, 1, 2, 7, 8}) {
        EXPECT_TRUE(profile.IsLedModified(type, LED_LOGO)) << type;
    }
    EXPECT_FALSE(profile.IsLedModified(3, LED_LOGO));
}

TEST(CMouseProfile, LightingSetters) {
    CCorvantisRefreshProfile profile;
    profile.SetLedBrightness(LED_SCROLLWHEEL, 250);
    EXPECT_EQ(profile.GetLedBrightness(LED_SCROLLWHEEL), 100u);
    EXPECT_EQ(profile.Lighting().at(LED_SCROLLWHEEL).brightness, 100u);
    EXPECT_TRUE(profile.IsLedModified(5, LED_SCROLLWHEEL));
    EXPECT_TRUE(profile.IsLedModified(3, LED_SCROLLWHEEL)) << "the on/off element was never made";

    EXPECT_EQ(profile.GetLedColour(5), 0u);
    EXPECT_EQ(profile.GetLedState(5), false);
    EXPECT_EQ(profile.Lighting().count(5), 0u);
    EXPECT_TRUE(profile.IsLedModified(4, 5));

    profile.SetLedColour(LED_LOGO, 0x00FF00);
    const LightingRecord& logo = profile.Lighting().at(LED_LOGO);
    EXPECT_EQ(logo, (LightingRecord{false, 0x00FF00, 0, 100}));
    profile.SetLedState(LED_LOGO, false); // equals the zero it was created with
    EXPECT_FALSE(profile.IsLedModified(3, LED_LOGO));
    profile.SetLedEffect(LED_LOGO, 3);
    EXPECT_EQ(profile.GetLedEffect(LED_LOGO), 3);
    EXPECT_TRUE(profile.IsCategoryModified(6));
}

TEST(CMouseProfile, FlagsThatOnlyCopiesTrack) {
    CCorvantisRefreshProfile profile;
    profile.SetProfileOSD(false);
    profile.SetApplicationLink(true);
    EXPECT_FALSE(profile.GetProfileOSD());
    EXPECT_TRUE(profile.GetApplicationLink());
    EXPECT_FALSE(profile.IsCategoryModified(27));
    EXPECT_FALSE(profile.IsCategoryModified(26));
    profile.SetDPIOSD(true);
    EXPECT_TRUE(profile.IsCategoryModified(28));
}

TEST(CMouseProfile, ApplicationPathGivesTheApplicationName) {
    struct Case {
        std::u16string path;
        std::u16string name;
    };
    const Case cases[] = {
        {u"/usr/games/quake.x86_64", u"quake.x86_64"},
        {u"C:\\Games\\Quake\\quake.exe", u"quake.exe"},
        {u"quake.exe", u"quake.exe"},
        {u"/usr/bin/firefox", u"firefox"},
        {u"/opt/game/", u""},
        {u"", u""},
        {u"/x/" + std::u16string(300, u'n') + u".exe", std::u16string(256, u'n') + u".exe"},
    };
    for (const Case& c : cases) {
        CCorvantisRefreshProfile profile;
        profile.SetApplicationPath(c.path);
        EXPECT_EQ(profile.GetApplicationPath(), c.path);
        EXPECT_EQ(profile.GetApplicationName(), c.name) << profile.GetApplicationPath().size();
    }
}

TEST(CMouseProfile, ProfilesAreNotStoredInFiles) {
    CCorvantisRefreshProfile profile;
    EXPECT_FALSE(profile.SaveToFile(u"p", u"/tmp/", u"kvp"));
    EXPECT_FALSE(profile.LoadFromFile(u"p", u"/tmp/", u"kvp"));
    EXPECT_FALSE(profile.HasFilePath());
}

TEST(CMouseProfile, NewProfileReportsItsNameUntilCommitted) {
    CCorvantisRefreshProfile profile(u"Game");
    EXPECT_EQ(profile.GetName(), u"Game");
    EXPECT_TRUE(profile.IsCategoryModified(24));
    profile.CommitAll();
    EXPECT_FALSE(profile.IsAnyModified());
}

TEST(CMouseProfile, CopyIsEqualButReportsEverythingAnEmptyProfileLacks) {
    CCorvantisRefreshProfile source(u"Source");
    source.SetGUID(GUID::FromWords(1, 2, 3, 4));
    source.SetApplicationPath(u"/usr/bin/game");
    source.SetApplicationLink(true);
    source.SetProfileOSD(false);
    source.SetDPIOSD(true);
    source.SetKeyAssignmentsInUse(false);
    source.SetDPIRange(100, 6400, 50);
    source.SetMaxDPIStages(4);
    source.SetStageDPI(4, 3200);
    source.SetStageSeparateAxes(2, true);
    source.SetStageDPIX(2, 400);
    source.SetActiveStage(3);
    source.SetDPIStageCount(3);
    source.SetSensitivityDPI(1600);
    source.SetTempDPI(800);
    source.SetButtonAssignment(MB_LEFT, Record(AT_CLICK));
    source.SetKeyAssignment(7, Record(AT_SINGLE_KEY, 0x1E));
    source.SetLedColour(LED_LOGO, 0x123456);
    source.SetLedBrightness(LED_LOGO, 40);
    source.CommitAll();

    CCorvantisRefreshProfile copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.GetName(), u"Source");
    EXPECT_EQ(copy.GetGUID(), source.GetGUID());
    EXPECT_EQ(copy.GetApplicationPath(), u"/usr/bin/game");
    EXPECT_EQ(copy.GetApplicationName(), u"game");
    EXPECT_TRUE(copy.GetApplicationLink());
    EXPECT_FALSE(copy.GetProfileOSD());
    EXPECT_TRUE(copy.GetDPIOSD());
    EXPECT_FALSE(copy.GetKeyAssignmentsInUse());
    EXPECT_EQ(copy.GetMaxDPIStages(), 4u);
    EXPECT_EQ(copy.GetStageDPI(4), 3200u);
    EXPECT_TRUE(copy.GetStageSeparateAxes(2));
    EXPECT_EQ(copy.GetStageDPIX(2), 400u);
    EXPECT_EQ(copy.GetActiveStage(), 3);
    EXPECT_EQ(copy.GetDPIStageCount(), 3u);
    EXPECT_EQ(copy.GetSensitivityDPI(), 1600u);
    EXPECT_EQ(copy.GetTempDPI(), 800u);
    EXPECT_EQ(copy.ButtonAssignments(), source.ButtonAssignments());
    EXPECT_EQ(copy.KeyAssignments(), source.KeyAssignments());
    EXPECT_EQ(copy.Lighting(), source.Lighting());
    EXPECT_EQ(copy.GetLedColour(LED_LOGO), 0x123456u);
    EXPECT_EQ(copy.GetLedBrightness(LED_LOGO), 40u);

    for (const tCategoryId id : {0, 1, 4, 5, 7, 9, 10, 11, 23, 24, 25, 28}) {
        EXPECT_TRUE(copy.IsCategoryModified(id)) << id;
    }
    EXPECT_TRUE(copy.IsButtonAssignmentModified(false, MB_LEFT));
}
