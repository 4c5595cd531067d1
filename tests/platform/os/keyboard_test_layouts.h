// Small hand-made layouts for keyboard tests, installed for one test and removed after it.
#pragma once

#include "platform/os/keyboard_layout.h"

#include <gtest/gtest.h>

namespace keyboard_test {

// A German-like layout: Y and Z swapped, an umlaut, '@' behind AltGr+Q, and a top row
// that types digits only with Shift, as French keyboards do.
inline std::shared_ptr<const plat::KeyboardLayout> MixedLayout() {
    std::map<uint16_t, plat::KeyboardLayout::Characters> keys;
    keys[2] = {U'&', U'1', 0, 0};
    keys[16] = {U'q', U'Q', U'@', 0};
    keys[21] = {U'z', U'Z', 0, 0};
    keys[44] = {U'y', U'Y', 0, 0};
    keys[39] = {U'\u00F6', U'\u00D6', 0, 0};
    keys[12] = {U'\u00DF', U'?', 0, 0};
    keys[53] = {U'-', U'_', 0, 0};
    keys[57] = {U' ', U' ', 0, 0};
    return std::make_shared<const plat::KeyboardLayout>("mixed", std::move(keys));
}

// Installs a layout for the test's duration; the US default comes back afterwards.
class LayoutScope {
public:
    explicit LayoutScope(std::shared_ptr<const plat::KeyboardLayout> layout) {
        plat::SetKeyboardLayout(std::move(layout));
    }
    ~LayoutScope() { plat::SetKeyboardLayout(nullptr); }
    LayoutScope(const LayoutScope&) = delete;
    LayoutScope& operator=(const LayoutScope&) = delete;
};

} // namespace keyboard_test
