#include "model/assignment_menu.h"

#include "model/assign_type.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<tAssignType, 6> kWheelMenu{AT_MACRO,     AT_DPI_STAGE_UP, AT_DPI_STAGE_DOWN,
                                                AT_SCROLL_UP, AT_SCROLL_DOWN,  AT_BUTTON_OFF};

constexpr std::array<tAssignType, 16> kFullMenu{AT_CLICK,
                                                AT_MENU,
                                                AT_UNIVERSAL_SCROLLING,
                                                AT_DOUBLE_CLICK,
                                                AT_MACRO,
                                                AT_TEMPORARY_DPI,
                                                AT_DPI_STAGE_UP,
                                                AT_DPI_STAGE_DOWN,
                                                AT_FORWARD,
                                                AT_BACKWARD,
                                                AT_ON_THE_FLY_SENSITIVITY,
                                                AT_SINGLE_KEY,
                                                AT_PROFILE,
                                                AT_SCROLL_UP,
                                                AT_SCROLL_DOWN,
                                                AT_BUTTON_OFF};

constexpr std::array<tAssignType, 15> kShortMenu = [] {
    std::array<tAssignType, 15> menu{};
    size_t n = 0;
    for (const tAssignType kind : kFullMenu) {
        if (kind != AT_TEMPORARY_DPI) {
            menu[n++] = kind;
        }
    }
    return menu;
}();

bool Contains(std::span<const tAssignType> menu, tAssignType kind) {
    return std::find(menu.begin(), menu.end(), kind) != menu.end();
}

// The kind a menu lists in place of a by-name (or second) code.
tAssignType MenuTwin(tAssignType kind) {
    switch (kind) {
    case AT_MACRO_BY_NAME:
        return AT_MACRO;
    case AT_PROFILE_BY_NAME:
        return AT_PROFILE;
    case AT_LAUNCH_PROGRAM2:
        return AT_LAUNCH_PROGRAM;
    default:
        return kind;
    }
}

} // namespace

std::span<const tAssignType> WheelAssignmentMenu() {
    return kWheelMenu;
}

std::span<const tAssignType> FullAssignmentMenu() {
    return kFullMenu;
}

std::span<const tAssignType> ShortAssignmentMenu() {
    return kShortMenu;
}

bool IsWheelDirection(tMouseButton button) {
    return button == MB_SCROLL_UP || button == MB_SCROLL_DOWN;
}

std::span<const tAssignType> AssignmentMenuForButton(tMouseButton button, int deviceType) {
    if (IsWheelDirection(button)) {
        return kWheelMenu;
    }
    return deviceType == kRefreshDeviceType ? FullAssignmentMenu() : ShortAssignmentMenu();
}

bool IsAssignmentAllowedOnButton(tAssignType kind, tMouseButton button) {
    std::span<const tAssignType> menu = kShortMenu;
    if (IsWheelDirection(button)) {
        menu = kWheelMenu;
    } else if (kind == AT_TEMPORARY_DPI) {
        menu = kFullMenu;
    }
    return Contains(menu, MenuTwin(kind));
}
