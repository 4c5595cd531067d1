// What a window system tells the window layer: pointer, wheel and key input, activation,
// moves made by the window manager and close requests, each addressed to one native
// (top-level) window. Backends translate their own events into these records; the window
// layer turns them into window messages (window/input_router.h). Nothing here is tied to
// one window system.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/rect.h"

#include <cstdint>
#include <string>

namespace plat {

class NativeWindow;

enum class NativeEventKind {
    PointerMove,   // `screen` is the pointer position
    ButtonPress,   // `button`, `screen`
    ButtonRelease, // `button`, `screen`
    Wheel,         // `wheelDelta` in notches of 120, positive away from the user
    PointerLeave,  // the pointer left the window (or its input shape)
    KeyPress,      // `key`
    KeyRelease,    // `key`
    FocusIn,       // the window system made the window the active one
    FocusOut,      // the window lost activation to another program's window or none
    Configured,    // the window system moved or resized the window to `bounds`
    CloseRequest,  // the user asked to close the window (a window manager's close button)
    Exposed,       // the presented contents were lost in `bounds` (window-relative)
    GrabBroken,    // a pointer grab of the window ended without being released
};

enum class MouseButton : std::uint8_t { Left, Right, Middle, X1, X2 };

// Modifier keys and buttons held when the event happened.
enum NativeModifier : unsigned {
    kModShift = 1u << 0,
    kModControl = 1u << 1,
    kModAlt = 1u << 2,
    kModLeftButton = 1u << 8,
    kModRightButton = 1u << 9,
    kModMiddleButton = 1u << 10,
    kModX1Button = 1u << 11,
    kModX2Button = 1u << 12,
};

// A key as the programs see it: the PC set-1 make code, whether it carries the E0 prefix
// (right-hand Ctrl and Alt, cursor block, keypad Enter and divide), its virtual-key code,
// whether it is an automatic repeat, and the text it types (empty for keys that type
// nothing; a dead key types nothing until the next key).
struct NativeKey {
    std::uint16_t scanCode{0};
    bool extended{false};
    std::uint16_t virtualKey{0};
    bool autoRepeat{false};
    std::u16string text;
};

struct NativeEvent {
    NativeEventKind kind{NativeEventKind::PointerMove};
    NativeWindow* window{nullptr};
    DWORD time{0}; // GetTickCount() of the current clock when the event was read
    Point screen;
    MouseButton button{MouseButton::Left};
    int wheelDelta{0};
    unsigned modifiers{0};
    NativeKey key;
    Rect bounds;
};

} // namespace plat
