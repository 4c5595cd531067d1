// A 16-byte GUID, the identity the device service gives profiles, macros and models.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};

    friend bool operator==(const GUID&, const GUID&) = default;

    bool IsNull() const { return *this == GUID{}; }

    // The four 32-bit words of the GUID as they lie in memory (little-endian).
    static GUID FromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3);
    void ToWords(uint32_t words[4]) const;

    static GUID FromBytes(const uint8_t bytes[16]);
    void ToBytes(uint8_t bytes[16]) const;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals.
std::u16string GuidToString(const GUID& guid);
// Accepts the form above with or without braces, in either case; nothing else.
std::optional<GUID> GuidFromString(std::u16string_view text);

} // namespace plat
