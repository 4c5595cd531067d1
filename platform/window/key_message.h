// How a key press or release becomes a keyboard message: which of WM_KEYDOWN, WM_KEYUP,
// WM_SYSKEYDOWN and WM_SYSKEYUP it is, and the bits its lParam carries (repeat count,
// scan code, extended bit, context code, previous state, transition state).
#pragma once

#include "platform/core/messages.h"

#include <cstdint>

namespace plat {

inline constexpr std::uint16_t VK_LBUTTON = 0x01;
inline constexpr std::uint16_t VK_RBUTTON = 0x02;
inline constexpr std::uint16_t VK_MBUTTON = 0x04;
inline constexpr std::uint16_t VK_XBUTTON1 = 0x05;
inline constexpr std::uint16_t VK_XBUTTON2 = 0x06;

// The virtual keys this layer looks at itself. They are the numbers of the keyboard
// layer's VK_SHIFT, VK_CONTROL, VK_MENU and VK_F10 (platform/os), named apart here so
// that both headers can meet in one file.
namespace keys {
inline constexpr std::uint16_t kShift = 0x10;
inline constexpr std::uint16_t kControl = 0x11;
inline constexpr std::uint16_t kAlt = 0x12;
inline constexpr std::uint16_t kF10 = 0x79;
} // namespace keys

struct KeyStroke {
    std::uint16_t scanCode{0};
    bool extended{false};
    std::uint16_t virtualKey{0};
    bool up{false};
    bool wasDown{false}; // the key was already down: an automatic repeat, or any release
    bool altHeld{false}; // Alt is down after this stroke (so not on Alt's own release)
    bool ctrlHeld{false};
    std::uint16_t repeatCount{1};
};

// The system variants are used for keys typed with Alt (but not with Ctrl, as AltGr
// combinations are ordinary text), for Alt itself and for F10.
bool IsSystemKey(const KeyStroke& stroke);
UINT KeyMessageFor(const KeyStroke& stroke);
LPARAM KeyLParam(const KeyStroke& stroke);

} // namespace plat
