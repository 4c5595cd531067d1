#include "model/predefined_macro_list.h"

#include "model/assign_type.h"
#include "model/assignment_vocabulary.h"

#include <gtest/gtest.h>

namespace {

MacroEvent Key(int32_t virtualKey, int32_t scanCode, int32_t state) {
    return MacroEvent{MET_KEY, virtualKey << 16 | scanCode, state};
}

} // namespace

TEST(PredefinedMacroList, LockPcPressesTheExtendedWindowsKeyAroundL) {
    const std::vector<MacroEvent> expected = {
        Key(0x5B, 0x5B, 0x1FF),
        Key(0x4C, 0x26, 0xFF),
        Key(0x4C, 0x26, 0x01),
        Key(0x5B, 0x5B, 0x101),
    };
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    EXPECT_EQ(list.EventsOf(list.CodeOf(u"$lockpc")), expected);
}

TEST(PredefinedMacroList, CommandsWrapTheirKeyInTheirModifier) {
    const struct {
        std::u16string_view name;
        int code;
        int32_t modifierVk, modifierScan, keyVk, keyScan;
    } cases[] = {
        {u"$cut", 1, 0xA2, 0x1D, 0x58, 0x2D},          {u"$SAVE", 9, 0xA2, 0x1D, 0x53, 0x1F},
        {u"$swapwindows", 10, 0xA4, 0x38, 0x09, 0x0F}, {u"$CloseWindow", 11, 0xA4, 0x38, 0x73, 0x3E},
        {u"$zoomin", 16, 0xA2, 0x1D, 0xBB, 0x0D},      {u"$zoomout", 17, 0xA2, 0x1D, 0xBD, 0x0C},
    };
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    for (const auto& c : cases) {
        ASSERT_EQ(list.CodeOf(c.name), c.code);
        const std::vector<MacroEvent> expected = {
            Key(c.modifierVk, c.modifierScan, 0xFF),
            Key(c.keyVk, c.keyScan, 0xFF),
            Key(c.keyVk, c.keyScan, 0x01),
            Key(c.modifierVk, c.modifierScan, 0x01),
        };
        EXPECT_EQ(list.EventsOf(c.code), expected) << c.code;
    }
}

TEST(PredefinedMacroList, UnknownNamesAndCodesGiveNothing) {
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    for (std::u16string_view name : {u"$macro", u"", u"cut", u"$cut "}) {
        EXPECT_EQ(list.CodeOf(name), -1);
    }
    for (int code : {-1, 0, 18, 55}) {
        EXPECT_TRUE(list.EventsOf(code).empty()) << code;
        EXPECT_TRUE(PredefinedCommandName(code).empty()) << code;
    }
}

TEST(PredefinedMacroList, MapsSplitBasicFromAdditionalCommands) {
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    ASSERT_EQ(list.BasicCommands().size(), 9u);
    ASSERT_EQ(list.AdditionalCommands().size(), 8u);
    EXPECT_EQ(list.BasicCommands().begin()->first, 1);
    EXPECT_EQ(list.BasicCommands().rbegin()->first, 9);
    EXPECT_EQ(list.AdditionalCommands().begin()->first, 10);
    EXPECT_EQ(list.AdditionalCommands().rbegin()->first, 17);
}

TEST(PredefinedMacroList, KeyTablePairsEachDownWithItsUp) {
    const auto& keys = CPredefinedMacroList::Instance().KeyTable();
    for (size_t i = 0; i < keys.size(); i += 2) {
        EXPECT_EQ(keys[i].value, keys[i + 1].value) << i;
        EXPECT_EQ(keys[i].state & 0xFF, 0xFF) << i;
        EXPECT_EQ(keys[i + 1].state & 0xFF, 0x01) << i;
        EXPECT_EQ(keys[i].state & 0x100, keys[i + 1].state & 0x100) << i;
    }
}

TEST(PredefinedMacroList, CommandNamesAreTheKeysOfTheCommandKinds) {
    for (int code = 1; code <= 17; ++code) {
        EXPECT_EQ(PredefinedCommandName(code), AssignTypeDisplayKey(AT_COMMAND_FIRST + code - 1)) << code;
    }
}
