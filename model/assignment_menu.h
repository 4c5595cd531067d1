// The kinds the configurator offers for a button, in menu order, and the rule that decides
// which kinds a button may carry. The rule is wider than the menus: kinds reached another
// way (a macro by name, a profile by name, the temporary DPI on the legacy model) pass too.
#pragma once

#include "model/model_types.h"

#include <span>

// Device type of the refresh model; it is the one whose menus offer the temporary DPI.
constexpr int kRefreshDeviceType = 47;

std::span<const tAssignType> WheelAssignmentMenu(); // wheel up and down, both models
std::span<const tAssignType> FullAssignmentMenu();  // other buttons, refresh model
std::span<const tAssignType> ShortAssignmentMenu(); // other buttons, other models

// The menu a button shows on a model of the given device type.
std::span<const tAssignType> AssignmentMenuForButton(tMouseButton button, int deviceType);

bool IsWheelDirection(tMouseButton button);

// True when the button may carry the kind on either model. By-name kinds count as their
// by-id twins (7 as 6, 23 as 22, 76 as 75); the temporary DPI is refused only on the wheel
// directions. Button 0 stands for a keyboard key.
bool IsAssignmentAllowedOnButton(tAssignType kind, tMouseButton button);
