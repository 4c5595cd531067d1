// The language keys by which buttons, assignment kinds and macro play modes are shown,
// and the reverse lookup from a shown key back to its kind. Built at compile time and
// read-only, so every thread may use it.
#pragma once

#include "model/model_types.h"

#include <cstdint>
#include <string_view>

// Highest button identifier with a display key.
constexpr int32_t kMouseButtonNameLimit = 28;

// "<null>" for 0, "$LeftButton" for 1, ...; empty outside 0..28.
std::u16string_view MouseButtonDisplayKey(int32_t button);

// Keys of a kind; empty for a code outside 0..78 and for unassigned codes. Kinds without a
// description (31, 32, 78) have an empty help key.
std::u16string_view AssignTypeDisplayKey(tAssignType kind);
std::u16string_view AssignTypeHelpKey(tAssignType kind);

// The kind shown by `displayKey`, ignoring case; where kinds share a key the lower code
// wins. -1 for a key no kind has, the empty key included.
tAssignType AssignTypeFromDisplayKey(std::u16string_view displayKey);

// Skin name of the popup button that selects `mode` ("BUTTON_MACRO_PLAY_ONCE", ...);
// a mode outside 1-4 is shown as mode 1.
std::u16string_view MacroPlayModeButton(tMacroPlayMode mode);

// A mode outside 1-4 counts as 1.
tMacroPlayMode EffectivePlayMode(tMacroPlayMode mode);

// The mode the macro popup preselects: the effective mode, except that playing twice or
// more is what mode 2 means, so mode 2 with one run shows as mode 1.
tMacroPlayMode PresentedPlayMode(tMacroPlayMode mode, uint32_t repeatCount);
