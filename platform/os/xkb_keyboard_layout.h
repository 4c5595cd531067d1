// Keyboard layouts read through xkbcommon. The X11 backend hands over the server's keymap
// (read with xkbcommon-x11) through `KeyboardLayoutFromXkbKeymap`; without a display the
// layout is compiled from layout names, as the system's keyboard configuration gives them.
#pragma once

#include "platform/os/keyboard_layout.h"

#include <memory>
#include <string>

struct xkb_keymap;

namespace plat {

struct XkbLayoutNames {
    std::string rules;
    std::string model;
    std::string layout;
    std::string variant;
    std::string options;
};

// Reads the characters of every known key from the keymap's first group. The keymap is
// only read; the caller keeps it.
std::shared_ptr<const KeyboardLayout> KeyboardLayoutFromXkbKeymap(xkb_keymap* keymap, std::string name);

// Null when xkbcommon cannot compile the names (unknown layout, no keyboard data).
std::shared_ptr<const KeyboardLayout> KeyboardLayoutFromNames(const XkbLayoutNames& names);

// The names the system is configured with: XKB_DEFAULT_* when XKB_DEFAULT_LAYOUT is set,
// else the keyboard settings file (`/etc/default/keyboard` style) at `settingsPath`.
// An empty layout means none is configured.
XkbLayoutNames SystemXkbLayoutNames(const std::string& settingsPath = "/etc/default/keyboard");

// The layout the programs start with: the system's, unless the platform runs headless
// (KAVOX_PLATFORM=headless) or none can be read; null then, which keeps the US default.
std::shared_ptr<const KeyboardLayout> LoadSystemKeyboardLayout();

} // namespace plat
