// The fixed list of key names by which keyboard definition files identify keys, and the
// hash under which a definition files each name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Start with 5381, then hash * 33 + unit for every UTF-16 unit, wrapping at 32 bits.
constexpr uint32_t KeyNameHash(std::u16string_view name) {
    uint32_t hash = 5381;
    for (char16_t unit : name) {
        hash = hash * 33 + unit;
    }
    return hash;
}

// The one name keyboard items ask about by hash at every bind.
inline constexpr uint32_t kNumLockNameHash = KeyNameHash(u"Num Lock");

// All 108 names in their fixed order, and the 106-name form without "F23" and "F24".
std::span<const std::u16string_view> KeyNameList();
std::span<const std::u16string_view> KeyNameList106();
