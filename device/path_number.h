// Reading numbers such as the vendor and product id out of a device path.
#pragma once

#include <cstdint>
#include <string_view>

// The four hexadecimal characters after `key` in `path`, compared without regard to
// letter case; 0 when the key is missing or the characters do not parse.
uint32_t ReadPathNumber(std::u16string_view path, std::u16string_view key);
