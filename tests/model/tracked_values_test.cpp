// Change tracking of single values, composites and the category registry.
#include "model/cat_assnmnt.h"
#include "model/cat_dpi_stage.h"
#include "model/cat_kv_app.h"
#include "model/cat_map.h"
#include "model/cat_string.h"
#include "model/cat_vec.h"
#include "model/category_registry.h"

#include <gtest/gtest.h>

namespace {

AssignmentRecord Record(tAssignType kind, size_t payloadByte = 0, uint8_t value = 0) {
    AssignmentRecord record;
    record.kind = kind;
    record.payload[payloadByte] = value;
    return record;
}

} // namespace

TEST(CCatAssnmnt, NoAssignmentIsTheAgreedStartingPoint) {
    EXPECT_FALSE(CCatAssnmnt().IsModified());
    EXPECT_FALSE(CCatAssnmnt(AssignmentRecord{}).IsModified());

    for (const AssignmentRecord& value : {Record(0), Record(1), Record(-1, 527, 1), Record(-1, 0, 0x80)}) {
        CCatAssnmnt fromValue(value);
        EXPECT_TRUE(fromValue.IsModified());
        fromValue.Commit();
        EXPECT_FALSE(fromValue.IsModified());
    }
}

TEST(CCatAssnmnt, EveryPayloadByteCounts) {
    CCatAssnmnt element(Record(5));
    element.Commit();
    element.Set(Record(5, 527, 1)); // the last byte, which no kind uses
    EXPECT_TRUE(element.IsModified());
    element.Set(Record(5));
    EXPECT_FALSE(element.IsModified());
}

TEST(CCatDPIStage, OnlyTheFieldsInUseCount) {
    struct Case {
        const char* what;
        StageRecord committed;
        StageRecord current;
        bool modified;
    };
    const Case cases[] = {
        {"joined, X and Y drift", {800, 800, 800, 0}, {800, 400, 1600, 0}, false},
        {"joined, DPI changes", {800, 800, 800, 0}, {900, 800, 800, 0}, true},
        {"separate, DPI drifts", {800, 400, 1600, 1}, {100, 400, 1600, 1}, false},
        {"separate, X changes", {800, 400, 1600, 1}, {800, 401, 1600, 1}, true},
        {"separate, Y changes", {800, 400, 1600, 1}, {800, 400, 1601, 1}, true},
        {"flag alone switches on", {800, 800, 800, 0}, {800, 800, 800, 1}, true},
        {"flag alone switches off", {800, 800, 800, 1}, {800, 800, 800, 0}, true},
        {"flag neither 0 nor 1", {800, 800, 800, 2}, {800, 800, 800, 2}, true},
    };
    for (const Case& c : cases) {
        CCatDPIStage stage;
        stage.Set(c.committed);
        stage.Commit();
        stage.Set(c.current);
        EXPECT_EQ(stage.IsModified(), c.modified) << c.what;
    }
    EXPECT_FALSE(CCatDPIStage().IsModified());
}

TEST(CCatString, LetterCaseIsAChange) {
    CCatString name(u"Profile");
    EXPECT_FALSE(name.IsModified());
    name.Set(u"profile");
    EXPECT_TRUE(name.IsModified());
}

TEST(CCatKvApp, ComparesNameWithCaseAndGuid) {
    CKvApp app{u"Game.exe", GUID::FromWords(1, 2, 3, 4)};
    CCatKvApp tracked(&app);
    EXPECT_TRUE(tracked.IsModified()); // a new record differs from the empty one
    tracked.Commit();
    EXPECT_FALSE(tracked.IsModified());

    app.name = u"game.exe";
    EXPECT_TRUE(tracked.IsModified());
    app.name = u"Game.exe";
    app.profileGuid = GUID::FromWords(1, 2, 3, 5);
    EXPECT_TRUE(tracked.IsModified());
}

TEST(CCatMap, AsksOnlyTheElementsItHolds) {
    CCatLedStateMap map;
    EXPECT_FALSE(map.IsModified());
    EXPECT_TRUE(map.IsElementModified(LED_LOGO)); // absent

    map[LED_LOGO].Set(false); // created at zero, set to zero
    EXPECT_FALSE(map.IsModified());
    map[LED_SCROLLWHEEL].Set(true);
    EXPECT_TRUE(map.IsModified());
    EXPECT_TRUE(map.IsElementModified(LED_SCROLLWHEEL));
    EXPECT_FALSE(map.IsElementModified(LED_LOGO));

    map.erase(LED_SCROLLWHEEL); // removal is not a change by itself
    EXPECT_FALSE(map.IsModified());

    map[LED_LOGO].Set(true);
    map.Commit();
    EXPECT_FALSE(map.IsModified());
}

TEST(CCatVec, IndexesOutsideTheVectorReportModified) {
    CCatDPIStagesVec stages;
    stages.resize(2);
    for (const int index : {-1, 2, 100}) {
        EXPECT_TRUE(stages.IsElementModified(index)) << index;
    }
    EXPECT_FALSE(stages.IsElementModified(1));
    stages[1].Current().dpi = 800;
    EXPECT_TRUE(stages.IsModified());
    stages.Commit();
    EXPECT_FALSE(stages.IsModified());
}

TEST(CCategoryRegistry, IgnoresOutOfRangeIdsAndKeepsTheFirstRegistration) {
    CCategoryRegistry registry;
    CCatInt first;
    CCatInt second;
    CCatInt outOfRange;
    registry.Register(7, &first);
    registry.Register(7, &second);
    registry.Register(-1, &outOfRange);
    registry.Register(33, &outOfRange);

    EXPECT_EQ(registry.Find(7), &first);
    for (const tCategoryId unregistered : {22, -1, 33, 1000}) {
        EXPECT_TRUE(registry.IsCategoryModified(unregistered)) << unregistered;
    }

    second.Set(5);
    outOfRange.Set(5);
    EXPECT_FALSE(registry.IsAnyModified());
    registry.CommitAll();
    EXPECT_TRUE(second.IsModified()); // never committed: it is not in the registry

    first.Set(1);
    EXPECT_TRUE(registry.IsAnyModified());
    EXPECT_TRUE(registry.IsCategoryModified(7));
    registry.CommitAll();
    EXPECT_FALSE(registry.IsAnyModified());
}

TEST(CCatPollingRate, StartsUnknown) {
    CCatPollingRate rate;
    EXPECT_EQ(rate.Get(), -1);
    EXPECT_FALSE(rate.IsModified());
    rate.Set(0);
    EXPECT_TRUE(rate.IsModified());
}
