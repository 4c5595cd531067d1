// Keyboard message numbers and parameters.
#include "platform/window/key_message.h"

#include "platform/window/window_defs.h"

namespace plat {

bool IsSystemKey(const KeyStroke& stroke) {
    if (stroke.ctrlHeld)
        return false;
    return stroke.altHeld || stroke.virtualKey == keys::kAlt || stroke.virtualKey == keys::kF10;
}

UINT KeyMessageFor(const KeyStroke& stroke) {
    if (IsSystemKey(stroke))
        return stroke.up ? WM_SYSKEYUP : WM_SYSKEYDOWN;
    return stroke.up ? WM_KEYUP : WM_KEYDOWN;
}

LPARAM KeyLParam(const KeyStroke& stroke) {
    LPARAM l = stroke.repeatCount;
    l |= static_cast<LPARAM>(stroke.scanCode & 0xFF) << 16;
    if (stroke.extended)
        l |= KF_EXTENDED_BIT;
    if (IsSystemKey(stroke) && stroke.altHeld)
        l |= KF_ALTDOWN_BIT;
    if (stroke.wasDown || stroke.up)
        l |= KF_REPEAT_BIT;
    if (stroke.up)
        l |= KF_UP_BIT;
    return l;
}

} // namespace plat
