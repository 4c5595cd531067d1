// A 32-bit image in memory: the back buffers windows paint into, skin images, masks.
// Pixels are 0xAARRGGBB words (B, G, R, A bytes), rows top-down without padding. Colour is
// stored straight, not premultiplied by alpha: decoded images keep the alpha they carry,
// everything painted is opaque, and per-pixel alpha blending reads alpha as straight.
#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/rect.h"

#include <cstdint>
#include <vector>

namespace plat {

class Bitmap {
public:
    Bitmap() = default;
    // Negative sizes give an empty bitmap. The pixels start as `fill`.
    Bitmap(int width, int height, std::uint32_t fill = 0xFF000000);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }
    Rect Bounds() const { return {0, 0, m_width, m_height}; }

    std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    const std::uint32_t* Row(int y) const { return m_pixels.data() + static_cast<size_t>(y) * m_width; }
    std::uint32_t* Data() { return m_pixels.data(); }
    const std::uint32_t* Data() const { return m_pixels.data(); }

    // Out-of-range reads give 0 and out-of-range writes do nothing.
    std::uint32_t PixelAt(int x, int y) const;
    void SetPixelAt(int x, int y, std::uint32_t pixel);
    COLORREF ColorAt(int x, int y) const { return ColorFromPixel(PixelAt(x, y)); }

    void Fill(std::uint32_t pixel);
    // A new bitmap of `area`; parts of `area` outside this bitmap stay `fill`.
    Bitmap Copy(const Rect& area, std::uint32_t fill = 0xFF000000) const;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int m_width{0};
    int m_height{0};
    std::vector<std::uint32_t> m_pixels;
};

} // namespace plat
