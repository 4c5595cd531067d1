// Region algebra by sweeping bands: both operands are walked together over every y at
// which either changes, and in each slice the two span lists are merged by the operation.
#include "platform/gfx/region.h"

#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <climits>

namespace plat {

// Appends bands top to bottom and keeps the canonical form as it goes.
class Region::Builder {
public:
    explicit Builder(Region& out) : m_out(out) {}

    void AddBand(int top, int bottom, std::span<const Span> spans) {
        if (spans.empty() || top >= bottom)
            return;
        auto& bands = m_out.m_bands;
        if (!bands.empty()) {
            Band& last = bands.back();
            if (last.bottom == top && std::ranges::equal(m_out.SpansOf(last), spans)) {
                last.bottom = bottom;
                return;
            }
        }
        bands.push_back({top, bottom, unsigned(m_out.m_spans.size()), unsigned(spans.size())});
        m_out.m_spans.insert(m_out.m_spans.end(), spans.begin(), spans.end());
    }

private:
    Region& m_out;
};

namespace {

bool Apply(Region::Op op, bool inA, bool inB) {
    switch (op) {
    case Region::Op::Copy:
        return inA;
    case Region::Op::And:
        return inA && inB;
    case Region::Op::Or:
        return inA || inB;
    case Region::Op::Xor:
        return inA != inB;
    case Region::Op::Diff:
        return inA && !inB;
    }
    return false;
}

// Span edges alternate left, right, left, ... so each edge toggles "inside".
int EdgeAt(std::span<const Region::Span> spans, size_t i) {
    return i % 2 == 0 ? spans[i / 2].left : spans[i / 2].right;
}

void MergeSpans(std::span<const Region::Span> a, std::span<const Region::Span> b, Region::Op op,
                std::vector<Region::Span>& out) {
    out.clear();
    const size_t edgesA = a.size() * 2;
    const size_t edgesB = b.size() * 2;
    size_t i = 0;
    size_t j = 0;
    bool inA = false;
    bool inB = false;
    bool inside = false;
    int start = 0;
    while (i < edgesA || j < edgesB) {
        const int xa = i < edgesA ? EdgeAt(a, i) : INT_MAX;
        const int xb = j < edgesB ? EdgeAt(b, j) : INT_MAX;
        const int x = std::min(xa, xb);
        while (i < edgesA && EdgeAt(a, i) == x) {
            inA = !inA;
            ++i;
        }
        while (j < edgesB && EdgeAt(b, j) == x) {
            inB = !inB;
            ++j;
        }
        const bool now = Apply(op, inA, inB);
        if (now && !inside)
            start = x;
        else if (!now && inside)
            out.push_back({start, x});
        inside = now;
    }
}

} // namespace

Region::Region(const Rect& rect) {
    if (rect.IsEmpty())
        return;
    m_bands.push_back({rect.top, rect.bottom, 0, 1});
    m_spans.push_back({rect.left, rect.right});
}

Region Region::FromRects(std::span<const Rect> rects) {
    // Pairwise merging keeps the work near n log n for the long rectangle lists of shapes.
    std::vector<Region> level;
    level.reserve(rects.size());
    for (const Rect& r : rects)
        if (!r.IsEmpty())
            level.emplace_back(r);
    while (level.size() > 1) {
        std::vector<Region> next;
        next.reserve(level.size() / 2 + 1);
        for (size_t i = 0; i + 1 < level.size(); i += 2)
            next.push_back(level[i].Union(level[i + 1]));
        if (level.size() % 2 == 1)
            next.push_back(std::move(level.back()));
        level = std::move(next);
    }
    return level.empty() ? Region() : std::move(level.front());
}

Region Region::FromMask(const Bitmap& mask) {
    return FromPixelsOtherThan(mask, 0xFFFFFF);
}

Region Region::FromColorKey(const Bitmap& image, COLORREF key) {
    return FromPixelsOtherThan(image, PixelFromColor(key) & 0xFFFFFF);
}

Region Region::FromPixelsOtherThan(const Bitmap& image, std::uint32_t rgb) {
    Region out;
    Builder builder(out);
    std::vector<Span> runs;
    for (int y = 0; y < image.Height(); ++y) {
        runs.clear();
        const std::uint32_t* row = image.Row(y);
        int x = 0;
        while (x < image.Width()) {
            while (x < image.Width() && (row[x] & 0xFFFFFF) == rgb)
                ++x;
            const int start = x;
            while (x < image.Width() && (row[x] & 0xFFFFFF) != rgb)
                ++x;
            if (x > start)
                runs.push_back({start, x});
        }
        builder.AddBand(y, y + 1, runs);
    }
    return out;
}

Region Region::Combine(const Region& a, const Region& b, Op op) {
    if (op == Op::Copy)
        return a;
    std::vector<int> ys;
    ys.reserve((a.m_bands.size() + b.m_bands.size()) * 2);
    for (const Region* r : {&a, &b})
        for (const Band& band : r->m_bands) {
            ys.push_back(band.top);
            ys.push_back(band.bottom);
        }
    std::ranges::sort(ys);
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    Region out;
    Builder builder(out);
    std::vector<Span> merged;
    size_t ia = 0;
    size_t ib = 0;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const int top = ys[k];
        const int bottom = ys[k + 1];
        while (ia < a.m_bands.size() && a.m_bands[ia].bottom <= top)
            ++ia;
        while (ib < b.m_bands.size() && b.m_bands[ib].bottom <= top)
            ++ib;
        std::span<const Span> spansA;
        std::span<const Span> spansB;
        if (ia < a.m_bands.size() && a.m_bands[ia].top <= top)
            spansA = a.SpansOf(a.m_bands[ia]);
        if (ib < b.m_bands.size() && b.m_bands[ib].top <= top)
            spansB = b.SpansOf(b.m_bands[ib]);
        MergeSpans(spansA, spansB, op, merged);
        builder.AddBand(top, bottom, merged);
    }
    return out;
}

void Region::Offset(int dx, int dy) {
    for (Band& band : m_bands) {
        band.top += dy;
        band.bottom += dy;
    }
    for (Span& span : m_spans) {
        span.left += dx;
        span.right += dx;
    }
}

Rect Region::Bounds() const {
    if (m_bands.empty())
        return {};
    Rect r{INT_MAX, m_bands.front().top, INT_MIN, m_bands.back().bottom};
    for (const Band& band : m_bands) {
        r.left = std::min(r.left, m_spans[band.first].left);
        r.right = std::max(r.right, m_spans[band.first + band.count - 1].right);
    }
    return r;
}

size_t Region::BandIndexBelow(int y) const {
    auto it = std::ranges::upper_bound(m_bands, y, {}, &Band::bottom);
    return size_t(it - m_bands.begin());
}

bool Region::Contains(Point p) const {
    const size_t b = BandIndexBelow(p.y);
    if (b >= m_bands.size() || m_bands[b].top > p.y)
        return false;
    for (const Span& s : SpansOf(m_bands[b])) {
        if (p.x < s.left)
            return false;
        if (p.x < s.right)
            return true;
    }
    return false;
}

bool Region::Intersects(const Rect& rect) const {
    bool found = false;
    ForEachRectIn(rect, [&](const Rect&) { found = true; });
    return found;
}

std::vector<Rect> Region::Rects() const {
    std::vector<Rect> out;
    out.reserve(m_spans.size());
    for (const Band& band : m_bands)
        for (const Span& s : SpansOf(band))
            out.push_back({s.left, band.top, s.right, band.bottom});
    return out;
}

} // namespace plat
