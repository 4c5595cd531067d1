// The evdev -> PC key table. Evdev codes 1 to 88 are the set-1 make codes themselves, so
// the first part of the table only adds virtual keys; keys past it carry their own codes.
#include "platform/backend/x11/x11_key_table.h"

#include <array>

namespace plat::x11 {

namespace {

struct Entry {
    std::uint16_t evdev;
    std::uint16_t scanCode;
    bool extended;
    std::uint16_t virtualKey;
    std::uint16_t cursorKey; // the keypad's cursor meaning with Num Lock off; 0 when none
};

// clang-format off
constexpr Entry kKeys[] = {
    {1, 0x01, false, 0x1B, 0},                                   // Escape
    {2, 0x02, false, '1', 0}, {3, 0x03, false, '2', 0}, {4, 0x04, false, '3', 0},
    {5, 0x05, false, '4', 0}, {6, 0x06, false, '5', 0}, {7, 0x07, false, '6', 0},
    {8, 0x08, false, '7', 0}, {9, 0x09, false, '8', 0}, {10, 0x0A, false, '9', 0},
    {11, 0x0B, false, '0', 0},
    {12, 0x0C, false, 0xBD, 0}, {13, 0x0D, false, 0xBB, 0},      // - =
    {14, 0x0E, false, 0x08, 0}, {15, 0x0F, false, 0x09, 0},      // Backspace, Tab
    {16, 0x10, false, 'Q', 0}, {17, 0x11, false, 'W', 0}, {18, 0x12, false, 'E', 0},
    {19, 0x13, false, 'R', 0}, {20, 0x14, false, 'T', 0}, {21, 0x15, false, 'Y', 0},
    {22, 0x16, false, 'U', 0}, {23, 0x17, false, 'I', 0}, {24, 0x18, false, 'O', 0},
    {25, 0x19, false, 'P', 0},
    {26, 0x1A, false, 0xDB, 0}, {27, 0x1B, false, 0xDD, 0},      // [ ]
    {28, 0x1C, false, 0x0D, 0},                                   // Enter
    {29, 0x1D, false, 0x11, 0},                                   // left Ctrl
    {30, 0x1E, false, 'A', 0}, {31, 0x1F, false, 'S', 0}, {32, 0x20, false, 'D', 0},
    {33, 0x21, false, 'F', 0}, {34, 0x22, false, 'G', 0}, {35, 0x23, false, 'H', 0},
    {36, 0x24, false, 'J', 0}, {37, 0x25, false, 'K', 0}, {38, 0x26, false, 'L', 0},
    {39, 0x27, false, 0xBA, 0}, {40, 0x28, false, 0xDE, 0},      // ; '
    {41, 0x29, false, 0xC0, 0},                                   // `
    {42, 0x2A, false, 0x10, 0},                                   // left Shift
    {43, 0x2B, false, 0xDC, 0},                                   // backslash
    {44, 0x2C, false, 'Z', 0}, {45, 0x2D, false, 'X', 0}, {46, 0x2E, false, 'C', 0},
    {47, 0x2F, false, 'V', 0}, {48, 0x30, false, 'B', 0}, {49, 0x31, false, 'N', 0},
    {50, 0x32, false, 'M', 0},
    {51, 0x33, false, 0xBC, 0}, {52, 0x34, false, 0xBE, 0}, {53, 0x35, false, 0xBF, 0}, // , . /
    {54, 0x36, false, 0x10, 0},                                   // right Shift (no E0)
    {55, 0x37, false, 0x6A, 0},                                   // keypad *
    {56, 0x38, false, 0x12, 0},                                   // left Alt
    {57, 0x39, false, 0x20, 0},                                   // Space
    {58, 0x3A, false, 0x14, 0},                                   // Caps Lock
    {59, 0x3B, false, 0x70, 0}, {60, 0x3C, false, 0x71, 0}, {61, 0x3D, false, 0x72, 0},
    {62, 0x3E, false, 0x73, 0}, {63, 0x3F, false, 0x74, 0}, {64, 0x40, false, 0x75, 0},
    {65, 0x41, false, 0x76, 0}, {66, 0x42, false, 0x77, 0}, {67, 0x43, false, 0x78, 0},
    {68, 0x44, false, 0x79, 0},                                   // F1..F10
    {69, 0x45, true, 0x90, 0},                                    // Num Lock reports E0
    {70, 0x46, false, 0x91, 0},                                   // Scroll Lock
    {71, 0x47, false, 0x67, 0x24}, {72, 0x48, false, 0x68, 0x26}, {73, 0x49, false, 0x69, 0x21},
    {74, 0x4A, false, 0x6D, 0},
    {75, 0x4B, false, 0x64, 0x25}, {76, 0x4C, false, 0x65, 0x0C}, {77, 0x4D, false, 0x66, 0x27},
    {78, 0x4E, false, 0x6B, 0},
    {79, 0x4F, false, 0x61, 0x23}, {80, 0x50, false, 0x62, 0x28}, {81, 0x51, false, 0x63, 0x22},
    {82, 0x52, false, 0x60, 0x2D}, {83, 0x53, false, 0x6E, 0x2E}, // keypad 7..0 and .
    {86, 0x56, false, 0xE2, 0},                                   // the extra key of 102-key boards
    {87, 0x57, false, 0x7A, 0}, {88, 0x58, false, 0x7B, 0},      // F11, F12
    {96, 0x1C, true, 0x0D, 0},                                    // keypad Enter
    {97, 0x1D, true, 0x11, 0},                                    // right Ctrl
    {98, 0x35, true, 0x6F, 0},                                    // keypad /
    {99, 0x37, true, 0x2C, 0},                                    // Print Screen
    {100, 0x38, true, 0x12, 0},                                   // right Alt
    {102, 0x47, true, 0x24, 0}, {103, 0x48, true, 0x26, 0}, {104, 0x49, true, 0x21, 0},
    {105, 0x4B, true, 0x25, 0}, {106, 0x4D, true, 0x27, 0}, {107, 0x4F, true, 0x23, 0},
    {108, 0x50, true, 0x28, 0}, {109, 0x51, true, 0x22, 0}, {110, 0x52, true, 0x2D, 0},
    {111, 0x53, true, 0x2E, 0},                                   // cursor block
    {113, 0x20, true, 0xAD, 0}, {114, 0x2E, true, 0xAE, 0}, {115, 0x30, true, 0xAF, 0}, // volume
    {119, 0x45, false, 0x13, 0},                                  // Pause (E1 1D 45, reported as 45)
    {125, 0x5B, true, 0x5B, 0}, {126, 0x5C, true, 0x5C, 0}, {127, 0x5D, true, 0x5D, 0}, // Win, menu
    {163, 0x19, true, 0xB0, 0}, {164, 0x22, true, 0xB3, 0}, {165, 0x10, true, 0xB1, 0},
    {166, 0x24, true, 0xB2, 0},                                   // media keys
    {183, 0x64, false, 0x7C, 0}, {184, 0x65, false, 0x7D, 0}, {185, 0x66, false, 0x7E, 0},
    {186, 0x67, false, 0x7F, 0}, {187, 0x68, false, 0x80, 0}, {188, 0x69, false, 0x81, 0},
    {189, 0x6A, false, 0x82, 0}, {190, 0x6B, false, 0x83, 0}, {191, 0x6C, false, 0x84, 0},
    {192, 0x6D, false, 0x85, 0}, {193, 0x6E, false, 0x86, 0}, {194, 0x76, false, 0x87, 0}, // F13..F24
};
// clang-format on

constexpr unsigned kLastCode = 194;

constexpr std::array<const Entry*, kLastCode + 1> MakeIndex() {
    std::array<const Entry*, kLastCode + 1> index{};
    for (const Entry& e : kKeys)
        index[e.evdev] = &e;
    return index;
}

constexpr auto kIndex = MakeIndex();

} // namespace

std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode, bool numeric) {
    if (evdevCode > kLastCode || !kIndex[evdevCode])
        return std::nullopt;
    const Entry& e = *kIndex[evdevCode];
    const std::uint16_t vk = (!numeric && e.cursorKey) ? e.cursorKey : e.virtualKey;
    return PcKey{e.scanCode, e.extended, vk};
}

std::uint16_t SidedVirtualKey(unsigned evdevCode) {
    switch (evdevCode) {
    case 42:
        return 0xA0;
    case 54:
        return 0xA1;
    case 29:
        return 0xA2;
    case 97:
        return 0xA3;
    case 56:
        return 0xA4;
    case 100:
        return 0xA5;
    default:
        return 0;
    }
}

} // namespace plat::x11
