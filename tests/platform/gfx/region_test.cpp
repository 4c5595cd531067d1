// Region algebra checked pixel by pixel against plain sets, and shapes built from masks.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/region.h"

#include <gtest/gtest.h>

#include <bitset>
#include <random>
#include <string>
#include <vector>

namespace plat {
namespace {

constexpr int kGrid = 16;
using PixelSet = std::bitset<kGrid * kGrid>;

PixelSet PixelsOf(const Region& r) {
    PixelSet set;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            set[size_t(y * kGrid + x)] = r.Contains({x, y});
    return set;
}

PixelSet PixelsOf(const std::vector<Rect>& rects) {
    PixelSet set;
    for (const Rect& r : rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                set[size_t(y * kGrid + x)] = true;
    return set;
}

std::vector<Rect> RandomRects(std::mt19937& rng) {
    std::uniform_int_distribution<int> coord(0, kGrid);
    std::uniform_int_distribution<int> count(0, 5);
    std::vector<Rect> rects(size_t(count(rng)));
    for (Rect& r : rects) {
        const int x1 = coord(rng), x2 = coord(rng), y1 = coord(rng), y2 = coord(rng);
        r = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    }
    return rects;
}

// Every rectangle the region reports lies inside it, none overlap, and the form is
// canonical: rebuilding it from its own rectangles gives the same region.
void ExpectCanonical(const Region& r) {
    const std::vector<Rect> rects = r.Rects();
    EXPECT_EQ(Region::FromRects(rects), r);
    int area = 0;
    for (const Rect& rect : rects)
        area += rect.Width() * rect.Height();
    EXPECT_EQ(size_t(area), PixelsOf(r).count());
}

TEST(RegionTest, AlgebraMatchesPixelSets) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const std::vector<Rect> ra = RandomRects(rng);
        const std::vector<Rect> rb = RandomRects(rng);
        const Region a = Region::FromRects(ra);
        const Region b = Region::FromRects(rb);
        const PixelSet pa = PixelsOf(ra);
        const PixelSet pb = PixelsOf(rb);
        ASSERT_EQ(PixelsOf(a), pa);
        EXPECT_EQ(PixelsOf(a.Union(b)), pa | pb);
        EXPECT_EQ(PixelsOf(a.Intersect(b)), pa & pb);
        EXPECT_EQ(PixelsOf(a.Subtract(b)), pa & ~pb);
        EXPECT_EQ(PixelsOf(a.Xor(b)), pa ^ pb);
        EXPECT_EQ(a.Union(b), b.Union(a));
        ExpectCanonical(a.Xor(b));
        ExpectCanonical(a.Subtract(b));
    }
}

TEST(RegionTest, EqualityIgnoresHowTheRegionWasBuilt) {
    const Region whole(Rect{0, 0, 10, 10});
    const Region halves = Region(Rect{0, 0, 10, 5}).Union(Region(Rect{0, 5, 10, 10}));
    const Region columns = Region(Rect{0, 0, 3, 10}).Union(Region(Rect{3, 0, 10, 10}));
    EXPECT_EQ(halves, whole);
    EXPECT_EQ(columns, whole);
    EXPECT_EQ(whole.Bands().size(), 1u);
    EXPECT_TRUE(whole.Subtract(columns).IsEmpty());
    EXPECT_EQ(whole.Subtract(columns), Region());
}

TEST(RegionTest, QueriesAndOffset) {
    Region r = Region(Rect{0, 0, 4, 4}).Union(Region(Rect{10, 2, 12, 8}));
    EXPECT_EQ(r.Bounds(), (Rect{0, 0, 12, 8}));
    EXPECT_TRUE(r.Contains({3, 3}));
    EXPECT_FALSE(r.Contains({4, 3})); // right and bottom edges are outside
    EXPECT_FALSE(r.Contains({5, 3}));
    EXPECT_TRUE(r.Intersects({3, 3, 11, 4}));
    EXPECT_FALSE(r.Intersects({4, 0, 10, 20}));
    r.Offset(-5, 100);
    EXPECT_EQ(r.Bounds(), (Rect{-5, 100, 7, 108}));
    EXPECT_TRUE(r.Contains({-5, 100}));
    EXPECT_EQ(Region(Rect{5, 5, 5, 9}), Region()); // an empty rectangle adds nothing
    EXPECT_EQ(Region().Bounds(), Rect{});
}

// '#' black, 'g' almost white (254, 255, 255), '.' white, 'w' white with alpha 0.
Bitmap MaskOf(const std::vector<std::string>& rows) {
    Bitmap mask(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            const char c = rows[size_t(y)][size_t(x)];
            mask.SetPixelAt(x, y,
                            c == '#'   ? 0xFF000000
                            : c == 'g' ? 0xFFFEFFFF
                            : c == 'w' ? 0x00FFFFFF
                                       : 0xFFFFFFFF);
        }
    return mask;
}

TEST(RegionTest, FromMaskTakesRunsOfNonWhitePixels) {
    struct Case {
        const char* name;
        std::vector<std::string> mask;
        std::vector<Rect> inside;
        size_t bands;
    };
    const std::vector<Case> cases = {
        {"all white is empty", {"...", "..w"}, {}, 0},
        {"one pixel", {"...", ".#."}, {{1, 1, 2, 2}}, 1},
        {"almost white is inside", {"g.."}, {{0, 0, 1, 1}}, 1},
        {"two runs in a row", {"##..#"}, {{0, 0, 2, 1}, {4, 0, 5, 1}}, 1},
        {"equal rows share a band", {".##.", ".##.", ".##."}, {{1, 0, 3, 3}}, 1},
        {"a hole splits bands",
         {"###", "#.#", "###"},
         {{0, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}, {0, 2, 3, 3}},
         3},
        {"a white row between", {"#.", "..", "#."}, {{0, 0, 1, 1}, {0, 2, 1, 3}}, 2},
        {"full mask", {"##", "##"}, {{0, 0, 2, 2}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Region r = Region::FromMask(MaskOf(c.mask));
        EXPECT_EQ(r, Region::FromRects(c.inside));
        EXPECT_EQ(r.Bands().size(), c.bands);
    }
}

TEST(RegionTest, FromColorKeyRemovesTheKeyColour) {
    Bitmap thumb(3, 2, PixelFromColor(RGB(255, 0, 255)));
    thumb.SetPixelAt(1, 0, PixelFromColor(RGB(10, 20, 30)));
    thumb.SetPixelAt(1, 1, PixelFromColor(RGB(255, 0, 255), 0x00)); // alpha does not matter
    thumb.SetPixelAt(2, 1, PixelFromColor(RGB(255, 0, 254)));
    const COLORREF key = thumb.ColorAt(0, 0);
    const Region r = Region::FromColorKey(thumb, key);
    EXPECT_EQ(r, Region(Rect{1, 0, 2, 1}).Union(Region(Rect{2, 1, 3, 2})));
}

} // namespace
} // namespace plat
