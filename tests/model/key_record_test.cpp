#include "model/key_record.h"
#include "model/layout_key_name_source.h"
#include "platform/os/keyboard_layout.h"
#include "platform/os/virtual_keys.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace plat;

namespace {

// The parameter word of a key message.
uint64_t Param(uint16_t scanCode, bool extended = false, bool altHeld = false, bool repeat = false) {
    return 1u | uint64_t{scanCode} << 16 | (extended ? 1ull << 24 : 0) | (altHeld ? 1ull << 29 : 0) |
           (repeat ? 1ull << 30 : 0);
}

struct MessageCase {
    const char* what;
    uint32_t message;
    uint16_t vk;
    uint64_t lParam;
    uint16_t expectVk;
    uint8_t expectFlags;
    uint8_t expectState;
    bool expectSwallow;
    const char16_t* expectName;
};

} // namespace

TEST(KeyRecordFromKeyMessage, NormalisesModifiersAndKeypadEnter) {
    const MessageCase cases[] = {
        {"left ctrl", kKeyDownMessage, VK_CONTROL, Param(0x1D), VK_LCONTROL, 0, kKeyStatePress, false,
         u"Ctrl"},
        {"right ctrl", kKeyDownMessage, VK_CONTROL, Param(0x1D, true), VK_RCONTROL, kKeyFlagExtended,
         kKeyStatePress, false, u"Right Ctrl"},
        {"left shift", kKeyDownMessage, VK_SHIFT, Param(0x2A), VK_LSHIFT, 0, kKeyStatePress, false, u"Shift"},
        {"right shift up", kKeyUpMessage, VK_SHIFT, Param(0x36, false, false, true), VK_RSHIFT, 0,
         kKeyStateRelease, false, u"Right Shift"},
        {"shift of an odd make code", kKeyDownMessage, VK_SHIFT, Param(0x55), VK_SHIFT, 0, kKeyStatePress,
         false, u""},
        {"left alt", kSysKeyDownMessage, VK_MENU, Param(0x38, false, true), VK_LMENU, kKeyFlagAlt,
         kKeyStatePress, false, u"Alt"},
        {"right alt", kSysKeyDownMessage, VK_MENU, Param(0x38, true, true), VK_RMENU,
         kKeyFlagExtended | kKeyFlagAlt, kKeyStatePress, false, u"Right Alt"},
        {"main enter", kKeyDownMessage, VK_RETURN, Param(0x1C), VK_RETURN, 0, kKeyStatePress, false,
         u"Enter"},
        {"keypad enter", kKeyDownMessage, VK_RETURN, Param(0x1C, true), VK_SEPARATOR, kKeyFlagExtended,
         kKeyStatePress, false, u"Num Enter"},
        {"letter", kKeyDownMessage, 'A', Param(0x1E), 'A', 0, kKeyStatePress, false, u"A"},
        {"num lock named by its virtual key", kKeyDownMessage, VK_NUMLOCK, Param(0x45), VK_NUMLOCK, 0,
         kKeyStatePress, true, u"Num Lock"},
        {"tab is kept by the field", kKeyDownMessage, VK_TAB, Param(0x0F), VK_TAB, 0, kKeyStatePress, true,
         u"Tab"},
        {"tab while alt is held passes", kSysKeyDownMessage, VK_TAB, Param(0x0F, false, true), VK_TAB,
         kKeyFlagAlt, kKeyStatePress, false, u"Tab"},
        {"tab released passes", kKeyUpMessage, VK_TAB, Param(0x0F), VK_TAB, 0, kKeyStateRelease, false,
         u"Tab"},
        {"right arrow is kept", kKeyDownMessage, VK_RIGHT, Param(0x4D, true), VK_RIGHT, kKeyFlagExtended,
         kKeyStatePress, true, u"Right"},
        {"page up passes", kKeyDownMessage, VK_PRIOR, Param(0x49, true), VK_PRIOR, kKeyFlagExtended,
         kKeyStatePress, false, u"Page Up"},
    };
    for (const MessageCase& c : cases) {
        KeyMessageResult result = KeyRecordFromKeyMessage(c.message, c.vk, c.lParam);
        ASSERT_TRUE(result.recorded) << c.what;
        EXPECT_EQ(result.key.virtualKey, c.expectVk) << c.what;
        EXPECT_EQ(result.key.flags, c.expectFlags) << c.what;
        EXPECT_EQ(result.key.state, c.expectState) << c.what;
        EXPECT_EQ(result.swallow, c.expectSwallow) << c.what;
        EXPECT_EQ(result.key.name, c.expectName) << c.what;
        EXPECT_EQ(result.key.scanCode, (c.lParam >> 16) & 0xFF) << c.what;
    }
}

TEST(KeyRecordFromKeyMessage, RepeatsAndOtherMessagesAreSwallowedUnrecorded) {
    KeyMessageResult repeat = KeyRecordFromKeyMessage(kKeyDownMessage, 'A', Param(0x1E, false, false, true));
    EXPECT_FALSE(repeat.recorded);
    EXPECT_TRUE(repeat.swallow);
    KeyMessageResult character = KeyRecordFromKeyMessage(0x0102, 'a', Param(0x1E));
    EXPECT_FALSE(character.recorded);
    EXPECT_TRUE(character.swallow);
}

TEST(KeyRecordFromKeyMessage, AddsTheModifiersTheLayoutNeedsForTheKeysCharacter) {
    // A top row that types digits only with Shift, and '=' behind AltGr.
    std::map<uint16_t, KeyboardLayout::Characters> keys;
    keys[2] = {U'&', U'1', 0, 0};
    keys[13] = {0, 0, U'=', 0};
    keys[30] = {U'a', U'A', 0, 0};
    SetKeyboardLayout(std::make_shared<const KeyboardLayout>("test", std::move(keys)));
    EXPECT_EQ(KeyRecordFromKeyMessage(kKeyDownMessage, '1', Param(0x02)).key.flags, kKeyFlagShift);
    EXPECT_EQ(KeyRecordFromKeyMessage(kKeyDownMessage, 'A', Param(0x1E)).key.flags, 0);
    SetKeyboardLayout(nullptr);
    // On the US layout every key types its own character unmodified.
    EXPECT_EQ(KeyRecordFromKeyMessage(kKeyDownMessage, '1', Param(0x02)).key.flags, 0);
}

TEST(KeyRecordFromRawReport, ValidityAndFields) {
    struct Case {
        const char* what;
        RawKeyReport report;
        bool valid;
        uint16_t vk;
        uint8_t state;
        uint8_t flags;
        const char16_t* name;
    };
    const Case cases[] = {
        {"press", {0x1E, 0, 'A'}, true, 'A', kKeyStatePress, 0, u"A"},
        {"release", {0x1E, kRawKeyBreak, 'A'}, true, 'A', kKeyStateRelease, 0, u"A"},
        {"extended",
         {0x1D, kRawKeyE0, VK_CONTROL},
         true,
         VK_CONTROL,
         kKeyStatePress,
         kKeyFlagExtended,
         u"Right Ctrl"},
        {"num lock", {0x45, 0, VK_NUMLOCK}, true, VK_NUMLOCK, kKeyStatePress, 0, u"Num Lock"},
        {"make code 0", {0, 0, 'A'}, false, 'A', kKeyStatePress, 0, u""},
        {"E1 sequence", {0x1D, kRawKeyE1, VK_PAUSE}, false, VK_PAUSE, kKeyStatePress, 0, u"Ctrl"},
        {"synthetic shift", {0x2A, kRawKeyE0, VK_NONE}, false, 0x42, kKeyStatePress, kKeyFlagExtended, u""},
        {"no virtual key, not E0", {0x1E, 0, VK_NONE}, true, 0x42, kKeyStatePress, 0, u"A"},
    };
    for (const Case& c : cases) {
        uint16_t last = 0x42;
        RawKeyResult result = KeyRecordFromRawReport(c.report, last);
        EXPECT_EQ(result.valid, c.valid) << c.what;
        EXPECT_EQ(result.key.scanCode, c.report.makeCode) << c.what;
        EXPECT_EQ(result.key.virtualKey, c.vk) << c.what;
        EXPECT_EQ(result.key.state, c.state) << c.what;
        EXPECT_EQ(result.key.flags, c.flags) << c.what;
        EXPECT_EQ(result.key.name, c.name) << c.what;
    }
}

TEST(KeyRecordFromRawReport, ReportsWithoutVirtualKeyTakeTheLastOne) {
    uint16_t last = 0;
    KeyRecordFromRawReport({0x30, 0, 'B'}, last);
    EXPECT_EQ(KeyRecordFromRawReport({0x30, kRawKeyBreak, VK_NONE}, last).key.virtualKey, 'B');
}

TEST(KeyRecord, PackedKeyIsVirtualKeyOverScanCode) {
    KeyRecord key{0x1D, VK_RCONTROL, kKeyStatePress, kKeyFlagExtended, u"Right Ctrl"};
    EXPECT_EQ(key.PackedKey(), 0x00A3001Du);
    EXPECT_TRUE(key.Extended());
}

TEST(KeyDisplayName, AsksForTheExtendedNameOfNumLock) {
    EXPECT_EQ(KeyDisplayName(0x45, VK_PAUSE, false), u"Pause");
    EXPECT_EQ(KeyDisplayName(0x45, VK_NUMLOCK, false), u"Num Lock");
    EXPECT_EQ(KeyDisplayName(0x45, VK_PAUSE, true), u"Num Lock");
    EXPECT_EQ(KeyDisplayName(0x7E, VK_ABNT_C2, false), u"Num ,");
}

TEST(LayoutKeyNameSource, InstalledSourceNamesKeysWithTheUsDefaultWhenHeadless) {
    setenv("KAVOX_PLATFORM", "headless", 1);
    InstallKeyNameSource();
    EXPECT_EQ(GetKeyNameSource().KeyName(VK_RCONTROL, 0x1D, true), u"Right Ctrl");
    EXPECT_EQ(GetKeyNameSource().KeyName('Z', 0x2C, false), u"Z");
    SetKeyNameSource(nullptr);
}
