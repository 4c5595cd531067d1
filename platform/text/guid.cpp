#include "platform/text/guid.h"

#include "platform/text/format.h"

#include <cstring>

namespace plat {
namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

} // namespace

GUID GUID::FromBytes(const uint8_t bytes[16]) {
    GUID g;
    g.Data1 = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
              static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    g.Data2 = static_cast<uint16_t>(bytes[4] | bytes[5] << 8);
    g.Data3 = static_cast<uint16_t>(bytes[6] | bytes[7] << 8);
    std::memcpy(g.Data4, bytes + 8, 8);
    return g;
}

void GUID::ToBytes(uint8_t bytes[16]) const {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(Data1 >> (8 * i));
    }
    bytes[4] = static_cast<uint8_t>(Data2), bytes[5] = static_cast<uint8_t>(Data2 >> 8);
    bytes[6] = static_cast<uint8_t>(Data3), bytes[7] = static_cast<uint8_t>(Data3 >> 8);
    std::memcpy(bytes + 8, Data4, 8);
}

GUID GUID::FromWords(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) {
    uint8_t bytes[16];
    const uint32_t words[4] = {w0, w1, w2, w3};
    for (int w = 0; w < 4; ++w) {
        for (int i = 0; i < 4; ++i) {
            bytes[w * 4 + i] = static_cast<uint8_t>(words[w] >> (8 * i));
        }
    }
    return FromBytes(bytes);
}

void GUID::ToWords(uint32_t words[4]) const {
    uint8_t bytes[16];
    ToBytes(bytes);
    for (int w = 0; w < 4; ++w) {
        words[w] = static_cast<uint32_t>(bytes[w * 4]) | static_cast<uint32_t>(bytes[w * 4 + 1]) << 8 |
                   static_cast<uint32_t>(bytes[w * 4 + 2]) << 16 |
                   static_cast<uint32_t>(bytes[w * 4 + 3]) << 24;
    }
}

std::u16string GuidToString(const GUID& g) {
    return Format(u"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
}

std::optional<GUID> GuidFromString(std::u16string_view text) {
    if (text.size() == 38 && text.front() == u'{' && text.back() == u'}') {
        text = text.substr(1, 36);
    }
    if (text.size() != 36) {
        return std::nullopt;
    }
    uint8_t raw[16];
    int n = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != u'-') {
                return std::nullopt;
            }
            continue;
        }
        const int hi = HexValue(text[i]);
        const int lo = i + 1 < text.size() ? HexValue(text[i + 1]) : -1;
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        raw[n++] = static_cast<uint8_t>(hi << 4 | lo);
        ++i;
    }
    GUID g;
    g.Data1 = static_cast<uint32_t>(raw[0]) << 24 | static_cast<uint32_t>(raw[1]) << 16 |
              static_cast<uint32_t>(raw[2]) << 8 | raw[3];
    g.Data2 = static_cast<uint16_t>(raw[4] << 8 | raw[5]);
    g.Data3 = static_cast<uint16_t>(raw[6] << 8 | raw[7]);
    std::memcpy(g.Data4, raw + 8, 8);
    return g;
}

} // namespace plat
