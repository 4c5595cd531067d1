// The path-number reader.
#include "device/path_number.h"

#include <string>

namespace {

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

std::u16string UpperCopy(std::u16string_view text) {
    std::u16string copy(text);
    for (char16_t& c : copy) {
        c = Upper(c);
    }
    return copy;
}

} // namespace

// Like "%x", the digits parse up to the first character that is not one; no digit at all
// gives 0.
uint32_t ReadPathNumber(std::u16string_view path, std::u16string_view key) {
    const std::u16string upperPath = UpperCopy(path);
    const size_t at = key.empty() ? std::u16string::npos : upperPath.find(UpperCopy(key));
    if (at == std::u16string::npos) {
        return 0;
    }
    uint32_t value = 0;
    const size_t start = at + key.size();
    for (size_t i = start; i < upperPath.size() && i < start + 4; ++i) {
        const int digit = HexValue(upperPath[i]);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}
