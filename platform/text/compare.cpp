// Simple per-unit case folding; enough for the alphabets the language tables use.
#include "platform/text/compare.h"

namespace plat {
namespace {

// Latin Extended-A pairs upper and lower case in neighbouring units; which of the two is
// the capital flips parity around U+0138 and again at U+0178.
bool LatinExtAUpperIsEven(char16_t c) {
    return c < 0x138 || (c >= 0x14A && c <= 0x177);
}

} // namespace

char16_t ToLowerUnit(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x178 &&
        c != 0x17F) {
        const bool upperEven = LatinExtAUpperIsEven(c);
        if (upperEven ? (c % 2 == 0) : (c % 2 == 1)) {
            return static_cast<char16_t>(c + 1);
        }
        return c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x410 && c <= 0x42F) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

char16_t ToUpperUnit(char16_t c) {
    if (c == 0xFF) {
        return 0x178;
    }
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x178 &&
        c != 0x17F) {
        const bool upperEven = LatinExtAUpperIsEven(c);
        if (upperEven ? (c % 2 == 1) : (c % 2 == 0)) {
            return static_cast<char16_t>(c - 1);
        }
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x430 && c <= 0x44F) {
        return static_cast<char16_t>(c - 0x20);
    }
    if (c >= 0x450 && c <= 0x45F) {
        return static_cast<char16_t>(c - 0x50);
    }
    return c;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int ca = ToLowerUnit(a[i]);
        const int cb = ToLowerUnit(b[i]);
        if (ca != cb) {
            return ca - cb;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

} // namespace plat
