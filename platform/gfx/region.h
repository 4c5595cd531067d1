// An area of pixels made of rectangles: window shapes, clip areas, hit tests. Stored in
// y-bands: each band is a run of rows [top, bottom) that share the same sorted, disjoint
// x-spans. The form is canonical (no empty bands, touching spans merged, neighbouring
// bands with equal spans joined), so two regions covering the same pixels compare equal.
#pragma once

#include "platform/gfx/color.h"
#include "platform/gfx/rect.h"

#include <cstdint>
#include <span>
#include <vector>

namespace plat {

class Bitmap;

class Region {
public:
    struct Span {
        int left;
        int right;
        friend bool operator==(const Span&, const Span&) = default;
    };
    struct Band {
        int top;
        int bottom;
        unsigned first; // index of the band's first span
        unsigned count;
        friend bool operator==(const Band&, const Band&) = default;
    };
    enum class Op { Copy, And, Or, Xor, Diff };

    Region() = default;
    explicit Region(const Rect& rect);
    static Region FromRects(std::span<const Rect> rects);
    // Every pixel that is not pure white (any of red, green, blue below 255) is inside,
    // gathered row by row in runs; alpha is ignored.
    static Region FromMask(const Bitmap& mask);
    // Every pixel whose colour differs from `key` is inside; alpha is ignored.
    static Region FromColorKey(const Bitmap& image, COLORREF key);

    bool IsEmpty() const { return m_bands.empty(); }
    Rect Bounds() const;
    bool Contains(Point p) const;
    bool Intersects(const Rect& rect) const;
    std::vector<Rect> Rects() const;

    Region Union(const Region& other) const { return Combine(*this, other, Op::Or); }
    Region Intersect(const Region& other) const { return Combine(*this, other, Op::And); }
    Region Subtract(const Region& other) const { return Combine(*this, other, Op::Diff); }
    Region Xor(const Region& other) const { return Combine(*this, other, Op::Xor); }
    static Region Combine(const Region& a, const Region& b, Op op);
    void Offset(int dx, int dy);

    std::span<const Band> Bands() const { return m_bands; }
    std::span<const Span> SpansOf(const Band& band) const {
        return {m_spans.data() + band.first, band.count};
    }

    // Calls fn(Rect) for each rectangle of the region clipped to `area`, top to bottom.
    template <typename Fn> void ForEachRectIn(const Rect& area, Fn&& fn) const;

    friend bool operator==(const Region&, const Region&) = default;

private:
    class Builder;

    static Region FromPixelsOtherThan(const Bitmap& image, std::uint32_t rgb);

    // First band whose bottom lies below y.
    size_t BandIndexBelow(int y) const;

    std::vector<Band> m_bands;
    std::vector<Span> m_spans;
};

template <typename Fn> void Region::ForEachRectIn(const Rect& area, Fn&& fn) const {
    if (area.IsEmpty())
        return;
    for (size_t b = BandIndexBelow(area.top); b < m_bands.size() && m_bands[b].top < area.bottom; ++b) {
        const Band& band = m_bands[b];
        const int top = std::max(band.top, area.top);
        const int bottom = std::min(band.bottom, area.bottom);
        for (const Span& s : SpansOf(band)) {
            if (s.right <= area.left)
                continue;
            if (s.left >= area.right)
                break;
            fn(Rect{std::max(s.left, area.left), top, std::min(s.right, area.right), bottom});
        }
    }
}

} // namespace plat
