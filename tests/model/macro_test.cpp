// Macros: equality, the name limit, the tracked macro and the macro list.
#include "model/cat_macro_list.h"

#include <gtest/gtest.h>

namespace {

const GUID kIdA = GUID::FromWords(0x11, 0x22, 0x33, 0x44);
const GUID kIdB = GUID::FromWords(0x11, 0x22, 0x33, 0x45);

CMacro MakeMacro(std::u16string_view name, const GUID& id, std::vector<MacroEvent> events) {
    CMacro macro(name);
    macro.SetId(id);
    macro.SetEvents(std::move(events));
    return macro;
}

const std::vector<MacroEvent> kEvents{
    {MET_KEY, (0xA3 << 16) | 0x1D, kMacroStatePress | kMacroStateExtended},
    {MET_DELAY, 50, 50},
    {MET_KEY, (0xA3 << 16) | 0x1D, kMacroStateRelease | kMacroStateExtended},
};

} // namespace

TEST(CMacro, Equality) {
    const CMacro base = MakeMacro(u"Combo", kIdA, kEvents);
    std::vector<MacroEvent> longerDelay = kEvents;
    longerDelay[1].value += 1;
    std::vector<MacroEvent> otherState = kEvents;
    otherState[1].state = 0;
    std::vector<MacroEvent> shorter = kEvents;
    shorter.pop_back();

    struct Case {
        const char* what;
        CMacro other;
        bool equal;
    };
    const Case cases[] = {
        {"itself", base, true},
        {"name in capitals", MakeMacro(u"COMBO", kIdA, kEvents), true},
        {"other id", MakeMacro(u"Combo", kIdB, kEvents), false},
        {"other name", MakeMacro(u"Combo2", kIdA, kEvents), false},
        {"a delay 1 ms longer", MakeMacro(u"Combo", kIdA, longerDelay), false},
        {"a state that nothing reads", MakeMacro(u"Combo", kIdA, otherState), false},
        {"one event fewer", MakeMacro(u"Combo", kIdA, shorter), false},
        {"no events", MakeMacro(u"Combo", kIdA, {}), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base == c.other, c.equal) << c.what;
    }
}

TEST(CMacro, ImportPathTakesNoPartInEqualityOrCopying) {
    CMacro imported = MakeMacro(u"Combo", kIdA, kEvents);
    imported.SetImportPath(u"/home/user/combo.kvm");
    const CMacro copy(imported);
    EXPECT_TRUE(copy.GetImportPath().empty());
    EXPECT_TRUE(copy == imported);

    CMacro target;
    target.SetImportPath(u"/keep/me.kvm");
    target = imported;
    EXPECT_EQ(target.GetImportPath(), u"/keep/me.kvm");
    EXPECT_TRUE(target == imported);
}

TEST(CMacro, NamesAreLimitedWithoutSplittingSurrogatePairs) {
    struct Case {
        std::u16string name;
        std::u16string stored;
    };
    const std::u16string limit(255, u'a');
    const Case cases[] = {
        {limit, limit},
        {limit + u"b", limit},
        // A pair straddling the limit is dropped whole.
        {std::u16string(254, u'a') + u"\U0001F600", std::u16string(254, u'a')},
        {std::u16string(253, u'a') + u"\U0001F600", std::u16string(253, u'a') + u"\U0001F600"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CMacro(c.name).GetName(), c.stored) << c.name.size();
    }
}

TEST(CCatMacro, NewMacroIsModifiedUntilCommitted) {
    CCatMacro tracked(std::make_unique<CMacro>(u"Combo"));
    EXPECT_TRUE(tracked.IsModified());
    tracked.Commit();
    EXPECT_FALSE(tracked.IsModified());

    tracked.Get()->SetName(u"COMBO"); // case only: still equal
    EXPECT_FALSE(tracked.IsModified());
    tracked.Get()->Events().push_back({MET_DELAY, 10, 0});
    EXPECT_TRUE(tracked.IsModified());
    tracked.Commit();
    EXPECT_EQ(tracked.Committed().GetEvents().size(), 1u);
}

TEST(CCatMacroList, NamesAreUniqueIgnoringCase) {
    CCatMacroList list;
    CMacro* combo = list.Add(u"Combo");
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->GetId().IsNull());
    EXPECT_TRUE(combo->GetEvents().empty());
    EXPECT_EQ(list.Add(u"COMBO"), nullptr);
    EXPECT_EQ(list.FindByName(u"combo"), combo);
    EXPECT_EQ(list.FindByName(u"COMBO"), combo);
    EXPECT_EQ(list.FindByName(u"Comb"), nullptr);
    EXPECT_EQ(list.Count(), 1);
}

TEST(CCatMacroList, OverlongNamesAreComparedAsStored) {
    CCatMacroList list;
    const std::u16string prefix(255, u'm');
    ASSERT_NE(list.Add(prefix + u"1"), nullptr);
    EXPECT_EQ(list.Add(prefix + u"2"), nullptr); // both would be stored as the same name
    EXPECT_EQ(list.Count(), 1);
}

TEST(CCatMacroList, LookupsAndRemoval) {
    CCatMacroList list;
    CMacro* first = list.Add(u"First");
    CMacro* second = list.Add(u"Second");
    CMacro* third = list.Add(u"Third");
    second->SetId(kIdA);

    EXPECT_EQ(list.At(0), first);
    EXPECT_EQ(list.At(2), third);
    EXPECT_EQ(list.At(3), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.FindById(kIdA), second);
    EXPECT_EQ(list.FindById(GUID{}), first); // the first one not yet stored
    EXPECT_EQ(list.FindById(kIdB), nullptr);

    list.Commit();
    EXPECT_TRUE(list.Remove(second));
    EXPECT_FALSE(list.Remove(second));
    EXPECT_FALSE(list.IsModified()); // removal alone is not a change
    EXPECT_EQ(list.At(1), third);
    EXPECT_EQ(list.FindById(kIdA), nullptr);
    EXPECT_TRUE(list.IsElementModified(2));
}
