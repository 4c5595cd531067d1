// CImageList: images of one size kept together, drawn by index. A list control reads its
// small image list's height to size its rows.
#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/rect.h"

#include <vector>

namespace plat {

class Painter;

class CImageList {
public:
    bool Create(int cx, int cy);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    Size GetImageSize() const { return {m_cx, m_cy}; }
    // Adds a copy of the image, cut or padded to the list's size; returns its index, or -1.
    int Add(const Bitmap& image);
    bool Draw(Painter& painter, int index, Point at) const;

private:
    int m_cx{0};
    int m_cy{0};
    std::vector<Bitmap> m_images;
};

} // namespace plat
