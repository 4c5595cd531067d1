// Tables of display and help keys for buttons and assignment kinds.
#include "model/assignment_vocabulary.h"

#include "model/assign_type.h"
#include "platform/text/compare.h"

#include <array>

namespace {

constexpr std::array<std::u16string_view, kMouseButtonNameLimit + 1> kMouseButtonKeys = {
    u"<null>",
    u"$LeftButton",
    u"$RightButton",
    u"$Wheel",
    u"$Button4",
    u"$Button5",
    u"$RightSideFrontButton",
    u"$RightSideRearButton",
    u"$LeftSideFrontButton",
    u"$LeftSideRearButton",
    u"$CenterFrontButton",
    u"$CenterRearButton",
    u"$ScrollUp",
    u"$ScrollDown",
    u"$ThumbGrid1",
    u"$ThumbGrid2",
    u"$ThumbGrid3",
    u"$ThumbGrid4",
    u"$ThumbGrid5",
    u"$ThumbGrid6",
    u"$ThumbGrid7",
    u"$ThumbGrid8",
    u"$ThumbGrid9",
    u"$ThumbGrid10",
    u"$ThumbGrid11",
    u"$ThumbGrid12",
    u"$ThumbGrid12",
    u"$Button4",
    u"$Button5",
};

struct KindKeys {
    std::u16string_view display;
    std::u16string_view help;
};

// Indexed by kind code; the lookups accept codes 0..78 only, so 79 has no entry.
constexpr tAssignType kKindKeyLimit = 78;
constexpr std::array<KindKeys, kKindKeyLimit + 1> kKindKeys = {{
    {u"$defaultkey", u"$ResetButtonBackToDefaultFunction"},
    {u"$click", u"$Assignasclick"},
    {u"$menu", u"$Assignasmenu"},
    {u"$universalscrolling", u"$Assignasuniversalscrollcontrol"},
    {u"$Double-Click", u"$Assignasdouble-click"},
    {u"$SingleKey", u"$Assignthisbuttontobehaveasakeyboardkey"},
    {u"$macro", u"$Assignthisbuttontocontrolmacroplayback"},
    {u"$macro", u"$Assignthisbuttontocontrolmacroplayback"},
    {u"$buttonoff", u"$Disablethisbutton"},
    {u"$advanced", u"$advanced"},
    {u"$on-the-flysensitivity", u"$Assignthisbuttontoenableon-the-flysensitivitywhilstheld"},
    {u"$button4", u"$button4"},
    {u"$button5", u"$button5"},
    {u"$SensitivityStageUp", u"$AssignthisbuttontoincreaseDPIstage"},
    {u"$SensitivityStageDown", u"$AssignthisbuttontodecreaseDPIstage"},
    {u"$SensitivityStages", u"$SensitivityStages"},
    {u"$dpistage1", u"$dpistage1"},
    {u"$dpistage2", u"$dpistage2"},
    {u"$dpistage3", u"$dpistage3"},
    {u"$dpistage4", u"$dpistage4"},
    {u"$dpistage5", u"$dpistage5"},
    {u"$TemporaryDPISwitch", u"$Assignthisbuttontoatemporarydpi"},
    {u"$profile", u"$Assignthisbuttontochangetoaprofile"},
    {u"$profile", u"$Assignthisbuttontochangetoaprofile"},
    {u"$profileup", u"$profileup"},
    {u"$profiledown", u"$profiledown"},
    {u"$profile1", u"$profile1"},
    {u"$profile2", u"$profile2"},
    {u"$profile3", u"$profile3"},
    {u"$profile4", u"$profile4"},
    {u"$profile5", u"$profile5"},
    {u"$keymap", u""},
    {u"$keymap", u""},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {}, // 33..42 unassigned
    {u"$play", u"$play"},
    {u"$stop", u"$stop"},
    {u"$Backward", u"$Assignasbackward"},
    {u"$Forward", u"$Assignasforward"},
    {u"$pause", u"$pause"},
    {u"$volumeup", u"$volumeup"},
    {u"$volumedown", u"$volumedown"},
    {u"$mute", u"$mute"},
    {u"$skipback", u"$skipback"},
    {u"$skipforward", u"$skipforward"},
    {u"$scrollup", u"$AssignthisbuttontobehaveasScrollUp"},
    {u"$scrolldown", u"$AssignthisbuttontobehaveasScrollDown"},
    {u"$cut", u"$cut"},
    {u"$copy", u"$copy"},
    {u"$paste", u"$paste"},
    {u"$undo", u"$undo"},
    {u"$all", u"$all"},
    {u"$find", u"$find"},
    {u"$new", u"$new"},
    {u"$print", u"$print"},
    {u"$save", u"$save"},
    {u"$swapwindows", u"$swapwindows"},
    {u"$closewindow", u"$closewindow"},
    {u"$lockpc", u"$lockpc"},
    {u"$openexplorer", u"$openexplorer"},
    {u"$run", u"$run"},
    {u"$showdesktop", u"$showdesktop"},
    {u"$zoomin", u"$zoomin"},
    {u"$zoomout", u"$zoomout"},
    {u"$dpisetting", u"$dpisetting"},
    {u"$profilesetting", u"$profilesetting"},
    {u"$selectfun", u"$selectfun"},
    {u"$launchprogram", u"$launchprogram"},
    {u"$launchprogram", u"$launchprogram"},
    {}, // 77 unassigned
    {u"$joystick", u""},
}};

static_assert(kKindKeys[AT_MACRO_BY_NAME].display == u"$macro");
static_assert(kKindKeys[AT_PLAY].display == u"$play");
static_assert(kKindKeys[AT_COMMAND_LAST].display == u"$zoomout");
static_assert(kKindKeys[AT_JOYSTICK].display == u"$joystick");

constexpr std::array<std::u16string_view, 4> kPlayModeButtons = {
    u"BUTTON_MACRO_PLAY_ONCE",
    u"BUTTON_MACRO_PLAY_MULTIPLE",
    u"BUTTON_MACRO_PLAY_UNTILPRESSED",
    u"BUTTON_MACRO_PLAY_WHILEPRESSED",
};

const KindKeys* KeysOf(tAssignType kind) {
    return kind >= 0 && kind <= kKindKeyLimit ? &kKindKeys[static_cast<size_t>(kind)] : nullptr;
}

} // namespace

std::u16string_view MouseButtonDisplayKey(int32_t button) {
    return button >= 0 && button <= kMouseButtonNameLimit ? kMouseButtonKeys[static_cast<size_t>(button)]
                                                          : std::u16string_view{};
}

std::u16string_view AssignTypeDisplayKey(tAssignType kind) {
    const KindKeys* keys = KeysOf(kind);
    return keys ? keys->display : std::u16string_view{};
}

std::u16string_view AssignTypeHelpKey(tAssignType kind) {
    const KindKeys* keys = KeysOf(kind);
    return keys ? keys->help : std::u16string_view{};
}

tAssignType AssignTypeFromDisplayKey(std::u16string_view displayKey) {
    if (displayKey.empty()) {
        return AT_NONE;
    }
    for (tAssignType kind = 0; kind <= kKindKeyLimit; ++kind) {
        if (plat::EqualsNoCase(kKindKeys[static_cast<size_t>(kind)].display, displayKey)) {
            return kind;
        }
    }
    return AT_NONE;
}

tMacroPlayMode EffectivePlayMode(tMacroPlayMode mode) {
    return mode >= MPM_ONCE && mode <= MPM_WHILE_PRESSED ? mode : MPM_ONCE;
}

tMacroPlayMode PresentedPlayMode(tMacroPlayMode mode, uint32_t repeatCount) {
    const tMacroPlayMode effective = EffectivePlayMode(mode);
    return effective == MPM_MULTIPLE && repeatCount == 1 ? MPM_ONCE : effective;
}

std::u16string_view MacroPlayModeButton(tMacroPlayMode mode) {
    return kPlayModeButtons[static_cast<size_t>(EffectivePlayMode(mode) - MPM_ONCE)];
}
