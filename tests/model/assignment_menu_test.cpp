// The button menus and the rule that decides which kinds a button may carry.
#include "model/assign_type.h"
#include "model/assignment_menu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<tAssignType> ToVector(std::span<const tAssignType> menu) {
    return {menu.begin(), menu.end()};
}

} // namespace

TEST(AssignmentMenu, MenusByButtonAndModel) {
    const std::vector<tAssignType> wheel{6, 13, 14, 53, 54, 8};
    const std::vector<tAssignType> full{1, 2, 3, 4, 6, 21, 13, 14, 46, 45, 10, 5, 22, 53, 54, 8};
    const std::vector<tAssignType> shortMenu{1, 2, 3, 4, 6, 13, 14, 46, 45, 10, 5, 22, 53, 54, 8};
    struct Case {
        tMouseButton button;
        int deviceType;
        const std::vector<tAssignType>& menu;
    };
    const Case cases[] = {
        {MB_SCROLL_UP, 47, wheel}, {MB_SCROLL_DOWN, 23, wheel},    {MB_RIGHT, 47, full},
        {MB_RIGHT, 23, shortMenu}, {MB_CENTER_REAR, 0, shortMenu},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToVector(AssignmentMenuForButton(c.button, c.deviceType)), c.menu)
            << c.button << " on " << c.deviceType;
    }
    EXPECT_EQ(ToVector(FullAssignmentMenu())[5], AT_TEMPORARY_DPI);
}

TEST(AssignmentMenu, AllowedKinds) {
    struct Case {
        tAssignType kind;
        tMouseButton button;
        bool allowed;
    };
    const Case cases[] = {
        {AT_TEMPORARY_DPI, MB_LEFT, true},
        {AT_TEMPORARY_DPI, MB_BUTTON4, true},
        {AT_TEMPORARY_DPI, MB_SCROLL_UP, false},
        {AT_TEMPORARY_DPI, MB_SCROLL_DOWN, false},
        {AT_TEMPORARY_DPI, MB_NULL, true}, // keys
        {AT_MACRO_BY_NAME, MB_LEFT, true},
        {AT_MACRO_BY_NAME, MB_SCROLL_UP, true},
        {AT_PROFILE_BY_NAME, MB_LEFT, true},
        {AT_PROFILE_BY_NAME, MB_SCROLL_UP, false},
        {AT_LAUNCH_PROGRAM, MB_LEFT, false},
        {AT_LAUNCH_PROGRAM2, MB_LEFT, false},
        {AT_CLICK, MB_SCROLL_DOWN, false},
        {AT_SCROLL_UP, MB_SCROLL_UP, true},
        {AT_DEFAULTKEY, MB_LEFT, false},
        {AT_NONE, MB_LEFT, false},
        {77, MB_LEFT, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsAssignmentAllowedOnButton(c.kind, c.button), c.allowed) << c.kind << " on " << c.button;
    }
}
