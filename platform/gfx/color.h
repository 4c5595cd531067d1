// Colours as the toolkit stores them: COLORREF values 0x00BBGGRR, with helpers to build
// and take them apart, and the conversion to the 0xAARRGGBB pixels of a Bitmap.
#pragma once

#include <cstdint>

namespace plat {

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) {
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(COLORREF c) {
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(COLORREF c) {
    return std::uint8_t((c >> 16) & 0xFF);
}

// A Bitmap pixel is 0xAARRGGBB in a 32-bit word (bytes B, G, R, A in memory).
constexpr std::uint32_t PixelFromColor(COLORREF c, std::uint8_t alpha = 0xFF) {
    return (std::uint32_t(alpha) << 24) | (std::uint32_t(GetRValue(c)) << 16) |
           (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF ColorFromPixel(std::uint32_t p) {
    return RGB(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}
constexpr std::uint8_t PixelAlpha(std::uint32_t p) {
    return std::uint8_t(p >> 24);
}

} // namespace plat
