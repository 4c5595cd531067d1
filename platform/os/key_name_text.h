// The name a user knows a key by, from its make code and extended bit: English names for
// keys that type no character ("Ctrl", "Right Ctrl", "Num Enter", "F5"), and the
// character of the current layout, in upper case, for the others ("A", "Ö", "#").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

inline constexpr size_t kMaxKeyNameLength = 40;

// Empty when the key has no name. Make codes above 0xFF name no key.
std::u16string KeyNameText(uint16_t scanCode, bool extended);

} // namespace plat
