// Images of one size drawn by index.
#include "platform/window/image_list.h"

#include "platform/gfx/painter.h"

namespace plat {

bool CImageList::Create(int cx, int cy) {
    if (cx <= 0 || cy <= 0)
        return false;
    m_cx = cx;
    m_cy = cy;
    m_images.clear();
    return true;
}

int CImageList::Add(const Bitmap& image) {
    if (m_cx <= 0)
        return -1;
    Bitmap copy(m_cx, m_cy, 0x00000000);
    Painter painter(copy);
    painter.BitBlt(0, 0, m_cx, m_cy, image, 0, 0, SRCCOPY);
    m_images.push_back(std::move(copy));
    return GetImageCount() - 1;
}

bool CImageList::Draw(Painter& painter, int index, Point at) const {
    if (index < 0 || index >= GetImageCount())
        return false;
    BlendFunction blend;
    blend.perPixelAlpha = true;
    return painter.AlphaBlend(Rect::FromSize(at.x, at.y, m_cx, m_cy), m_images[index], {0, 0, m_cx, m_cy},
                              blend);
}

} // namespace plat
