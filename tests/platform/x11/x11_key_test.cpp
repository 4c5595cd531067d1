// The key translation tables without a display: where evdev codes and the PC codes part
// ways (the E0 keys, the keypad's two meanings), and the text a key symbol types.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_event_translator.h"
#include "platform/backend/x11/x11_key_table.h"

namespace plat::testing {
namespace {

TEST(X11KeyTable, EvdevCodesBecomePcCodes) {
    struct Case {
        unsigned evdev;
        bool numeric;
        std::uint16_t scanCode;
        bool extended;
        std::uint16_t virtualKey;
    };
    const Case cases[] = {
        {1, true, 0x01, false, 0x1B},   // Escape
        {29, true, 0x1D, false, 0x11},  // left Ctrl
        {97, true, 0x1D, true, 0x11},   // right Ctrl
        {56, true, 0x38, false, 0x12},  // left Alt
        {100, true, 0x38, true, 0x12},  // right Alt
        {54, true, 0x36, false, 0x10},  // right Shift has no E0
        {71, true, 0x47, false, 0x67},  // keypad 7 with Num Lock
        {71, false, 0x47, false, 0x24}, // ... and as Home without it
        {102, true, 0x47, true, 0x24},  // the cursor block's Home
        {83, false, 0x53, false, 0x2E}, // keypad . as Delete
        {96, true, 0x1C, true, 0x0D},   // keypad Enter
        {69, true, 0x45, true, 0x90},   // Num Lock
        {119, true, 0x45, false, 0x13}, // Pause
        {87, true, 0x57, false, 0x7A},  // F11
        {125, true, 0x5B, true, 0x5B},  // left Windows key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.evdev);
        const auto key = x11::PcKeyFromEvdev(c.evdev, c.numeric);
        ASSERT_TRUE(key);
        EXPECT_EQ(key->scanCode, c.scanCode);
        EXPECT_EQ(key->extended, c.extended);
        EXPECT_EQ(key->virtualKey, c.virtualKey);
    }
    for (unsigned unknown : {0u, 84u, 195u, 100000u})
        EXPECT_FALSE(x11::PcKeyFromEvdev(unknown, true)) << unknown;
    EXPECT_EQ(x11::SidedVirtualKey(97), 0xA3);
    EXPECT_EQ(x11::SidedVirtualKey(30), 0);
}

TEST(X11KeyText, ControlCharactersAndSymbolsTypeTextDeleteDoesNot) {
    struct Case {
        std::string lookup;
        unsigned long keysym;
        std::u16string text;
    };
    const Case cases[] = {
        {"a", XK_a, u"a"},
        {"\x01", XK_a, u"\x01"}, // Ctrl+A
        {"\r", XK_Return, u"\r"},
        {"\x7f", XK_Delete, u""},
        {"\xe9", XK_eacute, u"\u00e9"},    // Latin-1 byte: the symbol decides
        {"", 0x010020ACul, u"\u20ac"},     // a Unicode key symbol
        {"", 0x0101F600ul, u"\U0001F600"}, // beyond the BMP: a surrogate pair
        {"", 0x0100D800ul, u""},           // a lone surrogate is no text
        {"", XK_Left, u""},
        {"", XK_Cyrillic_a, u"\u0430"}, // a legacy symbol of another script
        {"", XK_KP_7, u"7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(x11::KeyText(c.lookup.data(), static_cast<int>(c.lookup.size()), c.keysym), c.text)
            << std::hex << c.keysym;
}

TEST(X11Modifiers, StateBitsAndSideButtons) {
    EXPECT_EQ(x11::ModifiersOf(ShiftMask | Mod1Mask | Button3Mask, 0), kModShift | kModAlt | kModRightButton);
    EXPECT_EQ(x11::ModifiersOf(Mod2Mask, kModX1Button | kModShift), kModX1Button)
        << "Num Lock is no modifier";
}

} // namespace
} // namespace plat::testing
