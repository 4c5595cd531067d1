#include "keyboard_test_layouts.h"
#include "platform/os/key_name_text.h"
#include "platform/text/utf.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

struct NameCase {
    uint16_t scanCode;
    bool extended;
    const char16_t* name;
};

} // namespace

TEST(KeyboardNames, UsDefaultNamesKeysByMakeCodeAndExtendedBit) {
    const NameCase cases[] = {
        {0x1D, false, u"Ctrl"},
        {0x1D, true, u"Right Ctrl"},
        {0x2A, false, u"Shift"},
        {0x36, false, u"Right Shift"},
        {0x38, false, u"Alt"},
        {0x38, true, u"Right Alt"},
        {0x1C, false, u"Enter"},
        {0x1C, true, u"Num Enter"},
        {0x45, false, u"Pause"},
        {0x45, true, u"Num Lock"},
        {0x53, false, u"Num Del"},
        {0x53, true, u"Delete"},
        {0x37, false, u"Num *"},
        {0x37, true, u"Prnt Scrn"},
        {0x39, false, u"Space"},
        {0x76, false, u"F24"},
        {0x5D, true, u"Application"},
        // Character keys show the layout's character in upper case.
        {0x1E, false, u"A"},
        {0x0C, false, u"-"},
        {0x29, false, u"`"},
        {0x2B, false, u"\\"},
        // No name: nothing there, a media key, a code beyond one byte, a letter's E0 form.
        {0x00, false, u""},
        {0x20, true, u""},
        {0x11E, false, u""},
        {0x1E, true, u""},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(KeyNameText(c.scanCode, c.extended), c.name)
            << std::hex << c.scanCode << (c.extended ? " E0" : "");
    }
}

TEST(KeyboardNames, CharacterKeysFollowTheCurrentLayout) {
    keyboard_test::LayoutScope scope(keyboard_test::MixedLayout());
    EXPECT_EQ(KeyNameText(0x15, false), u"Z");
    EXPECT_EQ(KeyNameText(0x2C, false), u"Y");
    EXPECT_EQ(KeyNameText(0x27, false), u"\u00D6");
    EXPECT_EQ(KeyNameText(0x1D, true), u"Right Ctrl");
    EXPECT_EQ(KeyNameText(0x1E, false), u""); // the small layout has no such key
}

TEST(KeyboardNames, CharactersBeyondTheBasicPlaneAndControlCharacters) {
    std::map<uint16_t, KeyboardLayout::Characters> keys;
    keys[30] = {U'\U0001D400', 0, 0, 0};
    keys[31] = {U'\x7F', 0, 0, 0};
    keyboard_test::LayoutScope scope(std::make_shared<const KeyboardLayout>("odd", std::move(keys)));
    EXPECT_EQ(KeyNameText(0x1E, false), Utf8ToUtf16("\xF0\x9D\x90\x80"));
    EXPECT_EQ(KeyNameText(0x1F, false), u"");
}
