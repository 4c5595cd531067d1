// Message numbers chosen at run time by name ("TaskbarCreated"), shared by every window of
// the process: the same name, whatever its case, always gives the same number.
#pragma once

#include <cstdint>
#include <string_view>

namespace plat {

inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;
inline constexpr uint32_t kLastRegisteredMessage = 0xFFFF;

// A number in 0xC000..0xFFFF; 0 for the empty name or when every number is taken.
uint32_t RegisterWindowMessage(std::u16string_view name);

} // namespace plat
