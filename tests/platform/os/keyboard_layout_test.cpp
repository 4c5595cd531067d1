#include "keyboard_test_layouts.h"
#include "platform/os/keyboard_codes.h"
#include "platform/os/keyboard_layout.h"
#include "platform/os/virtual_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace plat;

TEST(KeyboardCodes, EveryKeyIsFoundByEachOfItsNumbers) {
    std::set<uint16_t> evdevCodes;
    std::set<std::pair<uint8_t, bool>> makeCodes;
    for (const KeyCode& key : AllKeyCodes()) {
        EXPECT_TRUE(evdevCodes.insert(key.evdev).second) << "evdev " << key.evdev << " twice";
        EXPECT_EQ(KeyCodeFromX11Keycode(key.evdev + kX11KeycodeOffset), &key);
        if (!key.e1Prefix) {
            EXPECT_TRUE(makeCodes.insert({key.scanCode, key.extended}).second) << "evdev " << key.evdev;
            EXPECT_EQ(KeyCodeFromScanCode(key.scanCode, key.extended), &key);
        }
    }
    EXPECT_EQ(KeyCodeFromX11Keycode(3), nullptr);
    EXPECT_EQ(KeyCodeFromEvdev(0x2FF), nullptr);
}

TEST(KeyboardCodes, NumLockIsExtendedOnlyInKeyMessages) {
    const KeyCode* numLock = KeyCodeFromEvdev(69);
    ASSERT_NE(numLock, nullptr);
    EXPECT_FALSE(numLock->extended);
    EXPECT_TRUE(ExtendedInKeyMessages(*numLock));
    EXPECT_FALSE(ExtendedInKeyMessages(*KeyCodeFromEvdev(30)));
}

TEST(KeyboardLayout, VirtualKeyOfMakeCodeTellsSidesApart) {
    struct Case {
        uint16_t scanCode;
        bool extended;
        uint16_t virtualKey;
    };
    const Case cases[] = {
        {0x1D, false, VK_LCONTROL}, {0x1D, true, VK_RCONTROL}, {0xE01D, false, VK_RCONTROL},
        {0x2A, false, VK_LSHIFT},   {0x36, false, VK_RSHIFT},  {0x38, false, VK_LMENU},
        {0x38, true, VK_RMENU},     {0x1C, true, VK_RETURN},   {0x45, false, VK_NUMLOCK},
        {0xE11D, false, VK_PAUSE},  {0x1E, false, 'A'},        {0x0B, false, '0'},
        {0x27, false, VK_OEM_1},    {0x56, false, VK_OEM_102}, {0x52, false, VK_NUMPAD0},
        {0x52, true, VK_INSERT},    {0x7F, false, 0},          {0xE11E, false, 0},
        {0xAB1D, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromScanCode(c.scanCode, c.extended), c.virtualKey) << std::hex << c.scanCode;
    }
}

TEST(KeyboardLayout, LettersAndPunctuationTakeTheirVirtualKeyFromWhatTheyType) {
    keyboard_test::LayoutScope scope(keyboard_test::MixedLayout());
    EXPECT_EQ(VirtualKeyFromScanCode(0x15, false), 'Z');
    EXPECT_EQ(VirtualKeyFromScanCode(0x2C, false), 'Y');
    EXPECT_EQ(VirtualKeyFromScanCode(0x35, false), VK_OEM_MINUS); // '-' where US has '/'
    EXPECT_EQ(VirtualKeyFromScanCode(0x27, false), VK_OEM_1);     // umlaut keeps its place
    EXPECT_EQ(VirtualKeyFromScanCode(0x02, false), '1');          // the top row stays digits
}

TEST(KeyboardLayout, KeyStrokeForCharacterPrefersKeysWithoutModifiers) {
    struct Case {
        char32_t c;
        uint16_t virtualKey; // 0: no key types it
        bool shift;
        bool altGr;
    };
    const auto us = KeyboardLayout::UsDefault();
    const Case usCases[] = {
        {U'a', 'A', false, false},        {U'A', 'A', true, false},       {U'!', '1', true, false},
        {U'*', '8', true, false},         {U'/', VK_OEM_2, false, false}, {U' ', VK_SPACE, false, false},
        {U'\r', VK_RETURN, false, false}, {U'\u00E9', 0, false, false},   {0, 0, false, false},
    };
    for (const Case& c : usCases) {
        auto stroke = us->KeyStrokeFor(c.c);
        ASSERT_EQ(stroke.has_value(), c.virtualKey != 0) << static_cast<uint32_t>(c.c);
        if (stroke) {
            EXPECT_EQ(stroke->virtualKey, c.virtualKey);
            EXPECT_EQ(stroke->shift, c.shift);
            EXPECT_EQ(stroke->ctrl, c.altGr);
            EXPECT_EQ(stroke->alt, c.altGr);
        }
    }
    auto at = keyboard_test::MixedLayout()->KeyStrokeFor(U'@');
    ASSERT_TRUE(at);
    EXPECT_EQ(at->virtualKey, 'Q');
    EXPECT_TRUE(at->ctrl && at->alt && !at->shift);
}

TEST(KeyboardLayout, CharacterOfVirtualKey) {
    const auto us = KeyboardLayout::UsDefault();
    EXPECT_EQ(us->CharacterOfVirtualKey('A'), U'a');
    EXPECT_EQ(us->CharacterOfVirtualKey('7'), U'7');
    EXPECT_EQ(us->CharacterOfVirtualKey(VK_OEM_2), U'/');
    EXPECT_EQ(us->CharacterOfVirtualKey(VK_F1), 0u);
    EXPECT_EQ(keyboard_test::MixedLayout()->CharacterOfVirtualKey(VK_OEM_MINUS), U'-');
}

TEST(KeyboardLayout, KeyOfVirtualKey) {
    struct Case {
        uint16_t virtualKey;
        uint16_t evdev; // 0: no key
    };
    const Case cases[] = {
        {'A', 30},       {VK_SHIFT, 42},  {VK_RSHIFT, 54}, {VK_CONTROL, 29}, {VK_RMENU, 100},
        {VK_RETURN, 28}, {VK_PAUSE, 119}, {VK_F24, 194},   {VK_NUMPAD0, 82}, {0x07, 0},
    };
    const auto us = KeyboardLayout::UsDefault();
    for (const Case& c : cases) {
        const KeyCode* key = us->KeyOfVirtualKey(c.virtualKey);
        EXPECT_EQ(key ? key->evdev : 0, c.evdev) << std::hex << c.virtualKey;
    }
    keyboard_test::LayoutScope scope(keyboard_test::MixedLayout());
    EXPECT_EQ(CurrentKeyboardLayout()->KeyOfVirtualKey('Z')->evdev, 21);
}
