// Pixel storage of Bitmap; painting operations live in Painter.
#include "platform/gfx/bitmap.h"

#include <algorithm>

namespace plat {

Bitmap::Bitmap(int width, int height, std::uint32_t fill) {
    if (width <= 0 || height <= 0)
        return;
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

std::uint32_t Bitmap::PixelAt(int x, int y) const {
    if (!Bounds().Contains({x, y}))
        return 0;
    return Row(y)[x];
}

void Bitmap::SetPixelAt(int x, int y, std::uint32_t pixel) {
    if (Bounds().Contains({x, y}))
        Row(y)[x] = pixel;
}

void Bitmap::Fill(std::uint32_t pixel) {
    std::fill(m_pixels.begin(), m_pixels.end(), pixel);
}

Bitmap Bitmap::Copy(const Rect& area, std::uint32_t fill) const {
    Bitmap out(area.Width(), area.Height(), fill);
    const Rect inside = area.Intersect(Bounds());
    for (int y = inside.top; y < inside.bottom; ++y) {
        const std::uint32_t* from = Row(y) + inside.left;
        std::copy(from, from + inside.Width(), out.Row(y - area.top) + (inside.left - area.left));
    }
    return out;
}

} // namespace plat
