#include "model/assignment_vocabulary.h"

#include "model/assign_type.h"

#include <gtest/gtest.h>

TEST(AssignmentVocabulary, MouseButtonKeysCoverZeroTo28) {
    const struct {
        int32_t button;
        std::u16string_view key;
    } cases[] = {
        {0, u"<null>"},
        {1, u"$LeftButton"},
        {13, u"$ScrollDown"},
        {14, u"$ThumbGrid1"},
        {25, u"$ThumbGrid12"},
        {26, u"$ThumbGrid12"},
        {27, u"$Button4"},
        {28, u"$Button5"},
        {29, u""},
        {-1, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MouseButtonDisplayKey(c.button), c.key) << c.button;
    }
}

TEST(AssignmentVocabulary, KindKeysAreBoundedToZeroTo78) {
    const struct {
        tAssignType kind;
        std::u16string_view display;
        std::u16string_view help;
    } cases[] = {
        {0, u"$defaultkey", u"$ResetButtonBackToDefaultFunction"},
        {7, u"$macro", u"$Assignthisbuttontocontrolmacroplayback"},
        {20, u"$dpistage5", u"$dpistage5"},
        {23, u"$profile", u"$Assignthisbuttontochangetoaprofile"},
        {32, u"$keymap", u""},
        {33, u"", u""},
        {42, u"", u""},
        {43, u"$play", u"$play"},
        {55, u"$cut", u"$cut"},
        {71, u"$zoomout", u"$zoomout"},
        {76, u"$launchprogram", u"$launchprogram"},
        {77, u"", u""},
        {78, u"$joystick", u""},
        {79, u"", u""},
        {-1, u"", u""},
        {100, u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AssignTypeDisplayKey(c.kind), c.display) << c.kind;
        EXPECT_EQ(AssignTypeHelpKey(c.kind), c.help) << c.kind;
    }
}

TEST(AssignmentVocabulary, ReverseLookupIgnoresCaseAndPrefersTheLowerCode) {
    const struct {
        std::u16string_view key;
        tAssignType kind;
    } cases[] = {
        {u"$MACRO", AT_MACRO},
        {u"$profile", AT_PROFILE},
        {u"$Keymap", AT_KEYMAP},
        {u"$launchprogram", 75},
        {u"$JOYSTICK", AT_JOYSTICK},
        {u"$double-click", AT_DOUBLE_CLICK},
        {u"$zoomOut", 71},
        {u"$profile1", AT_PROFILE1},
        {u"$nosuchkind", -1},
        {u"", -1},
        {u"<null>", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AssignTypeFromDisplayKey(c.key), c.kind);
    }
}

TEST(AssignmentVocabulary, EveryShownKindMapsBackToAKindShownTheSame) {
    for (tAssignType kind = 0; kind <= 78; ++kind) {
        const std::u16string_view key = AssignTypeDisplayKey(kind);
        if (key.empty()) {
            continue;
        }
        const tAssignType back = AssignTypeFromDisplayKey(key);
        EXPECT_LE(back, kind);
        EXPECT_EQ(AssignTypeDisplayKey(back), key) << kind;
    }
}

TEST(AssignmentVocabulary, PlayModesOutsideTheRangeCountAsOnce) {
    const struct {
        tMacroPlayMode mode;
        uint32_t repeat;
        tMacroPlayMode presented;
        std::u16string_view button;
    } cases[] = {
        {1, 0, 1, u"BUTTON_MACRO_PLAY_ONCE"},         {2, 1, 1, u"BUTTON_MACRO_PLAY_MULTIPLE"},
        {2, 2, 2, u"BUTTON_MACRO_PLAY_MULTIPLE"},     {2, 0, 2, u"BUTTON_MACRO_PLAY_MULTIPLE"},
        {3, 1, 3, u"BUTTON_MACRO_PLAY_UNTILPRESSED"}, {4, 0, 4, u"BUTTON_MACRO_PLAY_WHILEPRESSED"},
        {0, 1, 1, u"BUTTON_MACRO_PLAY_ONCE"},         {5, 0, 1, u"BUTTON_MACRO_PLAY_ONCE"},
        {-7, 0, 1, u"BUTTON_MACRO_PLAY_ONCE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PresentedPlayMode(c.mode, c.repeat), c.presented) << c.mode << "/" << c.repeat;
        EXPECT_EQ(MacroPlayModeButton(c.mode), c.button) << c.mode;
    }
}
