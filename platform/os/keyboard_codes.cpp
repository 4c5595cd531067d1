// The key numbering table. Only keys of PC keyboards are listed: anything else (extra
// buttons of exotic keyboards) has no make code a key record could carry.
#include "platform/os/keyboard_codes.h"

#include "platform/os/virtual_keys.h"

#include <array>

namespace plat {
namespace {

constexpr KeyCode Plain(uint16_t evdev, uint8_t scan, uint16_t vk) {
    return {evdev, scan, false, false, vk};
}
constexpr KeyCode E0(uint16_t evdev, uint8_t scan, uint16_t vk) {
    return {evdev, scan, true, false, vk};
}
constexpr uint16_t Letter(char c) {
    return static_cast<uint16_t>(c);
}

constexpr std::array kKeys = {
    Plain(1, 0x01, VK_ESCAPE),
    Plain(2, 0x02, Letter('1')),
    Plain(3, 0x03, Letter('2')),
    Plain(4, 0x04, Letter('3')),
    Plain(5, 0x05, Letter('4')),
    Plain(6, 0x06, Letter('5')),
    Plain(7, 0x07, Letter('6')),
    Plain(8, 0x08, Letter('7')),
    Plain(9, 0x09, Letter('8')),
    Plain(10, 0x0A, Letter('9')),
    Plain(11, 0x0B, Letter('0')),
    Plain(12, 0x0C, VK_OEM_MINUS),
    Plain(13, 0x0D, VK_OEM_PLUS),
    Plain(14, 0x0E, VK_BACK),
    Plain(15, 0x0F, VK_TAB),
    Plain(16, 0x10, Letter('Q')),
    Plain(17, 0x11, Letter('W')),
    Plain(18, 0x12, Letter('E')),
    Plain(19, 0x13, Letter('R')),
    Plain(20, 0x14, Letter('T')),
    Plain(21, 0x15, Letter('Y')),
    Plain(22, 0x16, Letter('U')),
    Plain(23, 0x17, Letter('I')),
    Plain(24, 0x18, Letter('O')),
    Plain(25, 0x19, Letter('P')),
    Plain(26, 0x1A, VK_OEM_4),
    Plain(27, 0x1B, VK_OEM_6),
    Plain(28, 0x1C, VK_RETURN),
    Plain(29, 0x1D, VK_LCONTROL),
    Plain(30, 0x1E, Letter('A')),
    Plain(31, 0x1F, Letter('S')),
    Plain(32, 0x20, Letter('D')),
    Plain(33, 0x21, Letter('F')),
    Plain(34, 0x22, Letter('G')),
    Plain(35, 0x23, Letter('H')),
    Plain(36, 0x24, Letter('J')),
    Plain(37, 0x25, Letter('K')),
    Plain(38, 0x26, Letter('L')),
    Plain(39, 0x27, VK_OEM_1),
    Plain(40, 0x28, VK_OEM_7),
    Plain(41, 0x29, VK_OEM_3),
    Plain(42, 0x2A, VK_LSHIFT),
    Plain(43, 0x2B, VK_OEM_5),
    Plain(44, 0x2C, Letter('Z')),
    Plain(45, 0x2D, Letter('X')),
    Plain(46, 0x2E, Letter('C')),
    Plain(47, 0x2F, Letter('V')),
    Plain(48, 0x30, Letter('B')),
    Plain(49, 0x31, Letter('N')),
    Plain(50, 0x32, Letter('M')),
    Plain(51, 0x33, VK_OEM_COMMA),
    Plain(52, 0x34, VK_OEM_PERIOD),
    Plain(53, 0x35, VK_OEM_2),
    Plain(54, 0x36, VK_RSHIFT),
    Plain(55, 0x37, VK_MULTIPLY),
    Plain(56, 0x38, VK_LMENU),
    Plain(57, 0x39, VK_SPACE),
    Plain(58, 0x3A, VK_CAPITAL),
    Plain(59, 0x3B, VK_F1),
    Plain(60, 0x3C, VK_F1 + 1),
    Plain(61, 0x3D, VK_F1 + 2),
    Plain(62, 0x3E, VK_F1 + 3),
    Plain(63, 0x3F, VK_F1 + 4),
    Plain(64, 0x40, VK_F1 + 5),
    Plain(65, 0x41, VK_F1 + 6),
    Plain(66, 0x42, VK_F1 + 7),
    Plain(67, 0x43, VK_F1 + 8),
    Plain(68, 0x44, VK_F1 + 9),
    Plain(69, 0x45, VK_NUMLOCK),
    Plain(70, 0x46, VK_SCROLL),
    Plain(71, 0x47, VK_NUMPAD0 + 7),
    Plain(72, 0x48, VK_NUMPAD0 + 8),
    Plain(73, 0x49, VK_NUMPAD0 + 9),
    Plain(74, 0x4A, VK_SUBTRACT),
    Plain(75, 0x4B, VK_NUMPAD0 + 4),
    Plain(76, 0x4C, VK_NUMPAD0 + 5),
    Plain(77, 0x4D, VK_NUMPAD0 + 6),
    Plain(78, 0x4E, VK_ADD),
    Plain(79, 0x4F, VK_NUMPAD0 + 1),
    Plain(80, 0x50, VK_NUMPAD0 + 2),
    Plain(81, 0x51, VK_NUMPAD0 + 3),
    Plain(82, 0x52, VK_NUMPAD0),
    Plain(83, 0x53, VK_DECIMAL),
    Plain(86, 0x56, VK_OEM_102),
    Plain(87, 0x57, VK_F1 + 10),
    Plain(88, 0x58, VK_F1 + 11),
    Plain(89, 0x73, VK_ABNT_C1), // JIS "ro" / Brazilian "/?"
    Plain(92, 0x79, VK_CONVERT), // Henkan
    Plain(93, 0x70, VK_KANA),    // Katakana/Hiragana
    Plain(94, 0x7B, VK_NONCONVERT),
    Plain(117, 0x59, VK_OEM_NEC_EQUAL), // keypad '='
    Plain(121, 0x7E, VK_ABNT_C2),       // keypad ',' of Brazilian keyboards
    Plain(124, 0x7D, VK_OEM_5),         // Yen
    Plain(183, 0x64, VK_F1 + 12),
    Plain(184, 0x65, VK_F1 + 13),
    Plain(185, 0x66, VK_F1 + 14),
    Plain(186, 0x67, VK_F1 + 15),
    Plain(187, 0x68, VK_F1 + 16),
    Plain(188, 0x69, VK_F1 + 17),
    Plain(189, 0x6A, VK_F1 + 18),
    Plain(190, 0x6B, VK_F1 + 19),
    Plain(191, 0x6C, VK_F1 + 20),
    Plain(192, 0x6D, VK_F1 + 21),
    Plain(193, 0x6E, VK_F1 + 22),
    Plain(194, 0x76, VK_F24),
    E0(96, 0x1C, VK_RETURN), // keypad Enter
    E0(97, 0x1D, VK_RCONTROL),
    E0(98, 0x35, VK_DIVIDE),
    E0(99, 0x37, VK_SNAPSHOT),
    E0(100, 0x38, VK_RMENU),
    E0(102, 0x47, VK_HOME),
    E0(103, 0x48, VK_UP),
    E0(104, 0x49, VK_PRIOR),
    E0(105, 0x4B, VK_LEFT),
    E0(106, 0x4D, VK_RIGHT),
    E0(107, 0x4F, VK_END),
    E0(108, 0x50, VK_DOWN),
    E0(109, 0x51, VK_NEXT),
    E0(110, 0x52, VK_INSERT),
    E0(111, 0x53, VK_DELETE),
    E0(113, 0x20, VK_VOLUME_MUTE),
    E0(114, 0x2E, VK_VOLUME_DOWN),
    E0(115, 0x30, VK_VOLUME_UP),
    E0(125, 0x5B, VK_LWIN),
    E0(126, 0x5C, VK_RWIN),
    E0(127, 0x5D, VK_APPS),
    E0(128, 0x68, VK_BROWSER_STOP),
    E0(140, 0x21, VK_LAUNCH_APP2), // calculator
    E0(142, 0x5F, VK_SLEEP),
    E0(155, 0x6C, VK_LAUNCH_MAIL),
    E0(156, 0x66, VK_BROWSER_FAVORITES),
    E0(157, 0x6B, VK_LAUNCH_APP1), // "my computer"
    E0(158, 0x6A, VK_BROWSER_BACK),
    E0(159, 0x69, VK_BROWSER_FORWARD),
    E0(163, 0x19, VK_MEDIA_NEXT_TRACK),
    E0(164, 0x22, VK_MEDIA_PLAY_PAUSE),
    E0(165, 0x10, VK_MEDIA_PREV_TRACK),
    E0(166, 0x24, VK_MEDIA_STOP),
    E0(172, 0x32, VK_BROWSER_HOME),
    E0(173, 0x67, VK_BROWSER_REFRESH),
    E0(217, 0x65, VK_BROWSER_SEARCH),
    E0(226, 0x6D, VK_LAUNCH_MEDIA_SELECT),
    KeyCode{119, 0x45, false, true, VK_PAUSE},
};

} // namespace

std::span<const KeyCode> AllKeyCodes() {
    return kKeys;
}

const KeyCode* KeyCodeFromEvdev(uint32_t evdev) {
    for (const KeyCode& key : kKeys) {
        if (key.evdev == evdev) {
            return &key;
        }
    }
    return nullptr;
}

const KeyCode* KeyCodeFromX11Keycode(uint32_t keycode) {
    return keycode < kX11KeycodeOffset ? nullptr : KeyCodeFromEvdev(keycode - kX11KeycodeOffset);
}

const KeyCode* KeyCodeFromScanCode(uint16_t scanCode, bool extended) {
    for (const KeyCode& key : kKeys) {
        if (key.scanCode == scanCode && key.extended == extended && !key.e1Prefix) {
            return &key;
        }
    }
    return nullptr;
}

bool ExtendedInKeyMessages(const KeyCode& key) {
    return key.extended || key.virtualKey == VK_NUMLOCK;
}

} // namespace plat
