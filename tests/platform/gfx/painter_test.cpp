// Painting into small bitmaps and reading the pixels back: raster operations, the
// masked-button transfer sequence, colour keys, alpha, clipping and origins.
#include "platform/gfx/painter.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

Bitmap Solid(int w, int h, COLORREF c) {
    return Bitmap(w, h, PixelFromColor(c));
}

TEST(PainterTest, RasterOperationsCombineBits) {
    struct Case {
        std::uint32_t rop;
        std::uint32_t expected;
    };
    const std::uint32_t dst = 0xFF0F0F0F;
    const std::uint32_t src = 0xFF3355FF;
    for (const Case c : {Case{SRCCOPY, src}, Case{SRCPAINT, dst | src}, Case{SRCAND, dst & src},
                         Case{SRCINVERT, dst ^ src}}) {
        Bitmap target(2, 2, dst);
        Painter p(target);
        EXPECT_TRUE(p.BitBlt(0, 0, 1, 1, Bitmap(1, 1, src), 0, 0, c.rop));
        EXPECT_EQ(target.PixelAt(0, 0), c.expected) << std::hex << c.rop;
        EXPECT_EQ(target.PixelAt(1, 0), dst);
    }
    Bitmap target(1, 1, dst);
    Painter p(target);
    EXPECT_FALSE(p.BitBlt(0, 0, 1, 1, Bitmap(1, 1, src), 0, 0, 0x00550009)); // not supported
    EXPECT_EQ(target.PixelAt(0, 0), dst);
}

TEST(PainterTest, MaskedTransferShowsImageWhereMaskIsBlack) {
    // XOR image, AND mask, XOR image: black mask shows the image, white keeps what was there.
    const Bitmap image = Solid(3, 1, kRed);
    Bitmap mask(3, 1);
    mask.SetPixelAt(0, 0, PixelFromColor(kBlack));
    mask.SetPixelAt(1, 0, PixelFromColor(kWhite));
    mask.SetPixelAt(2, 0, PixelFromColor(RGB(0x80, 0x80, 0x80)));
    Bitmap screen = Solid(3, 1, kBlue);
    Painter p(screen);
    p.BitBlt(0, 0, 3, 1, image, 0, 0, SRCINVERT);
    p.BitBlt(0, 0, 3, 1, mask, 0, 0, SRCAND);
    p.BitBlt(0, 0, 3, 1, image, 0, 0, SRCINVERT);
    EXPECT_EQ(screen.PixelAt(0, 0), PixelFromColor(kRed));
    EXPECT_EQ(screen.PixelAt(1, 0), PixelFromColor(kBlue));
    // Grey mixes bit by bit: red (0 ^ FF) & 80 ^ FF = 7F, blue (FF ^ 0) & 80 ^ 0 = 80.
    EXPECT_EQ(screen.ColorAt(2, 0), RGB(0x7F, 0, 0x80));
}

TEST(PainterTest, BlitReadsOnlyInsideTheSource) {
    Bitmap target = Solid(4, 4, kWhite);
    Painter p(target);
    p.BitBlt(0, 0, 4, 4, Solid(2, 2, kRed), -1, -1, SRCCOPY);
    EXPECT_EQ(target.ColorAt(0, 0), kWhite);
    EXPECT_EQ(target.ColorAt(1, 1), kRed);
    EXPECT_EQ(target.ColorAt(2, 2), kRed);
    EXPECT_EQ(target.ColorAt(3, 3), kWhite);
    // Destinations past the target's edges are cut, not wrapped.
    p.BitBlt(3, -1, 4, 4, Solid(4, 4, kBlue), 0, 0, SRCCOPY);
    EXPECT_EQ(target.ColorAt(3, 0), kBlue);
    EXPECT_EQ(target.ColorAt(3, 2), kBlue);
    EXPECT_EQ(target.ColorAt(0, 3), kWhite);
}

TEST(PainterTest, BlitWithinOneBitmapHandlesOverlap) {
    Bitmap target(4, 1);
    for (int x = 0; x < 4; ++x)
        target.SetPixelAt(x, 0, 0xFF000000u + std::uint32_t(x));
    Painter p(target);
    p.BitBlt(1, 0, 3, 1, target, 0, 0, SRCCOPY);
    EXPECT_EQ(target.PixelAt(1, 0) & 0xFF, 0u);
    EXPECT_EQ(target.PixelAt(2, 0) & 0xFF, 1u);
    EXPECT_EQ(target.PixelAt(3, 0) & 0xFF, 2u);
    target.SetPixelAt(0, 0, 0xFF000009);
    p.BitBlt(0, 0, 2, 1, target, -1, 0, SRCCOPY); // left of the bitmap there is nothing to read
    EXPECT_EQ(target.PixelAt(0, 0), 0xFF000009u);
    EXPECT_EQ(target.PixelAt(1, 0), 0xFF000009u);
}

TEST(PainterTest, TransparentBltSkipsTheKeyAndStretches) {
    Bitmap source = Solid(2, 1, RGB(255, 0, 255));
    source.SetPixelAt(1, 0, PixelFromColor(kRed));
    Bitmap target = Solid(4, 2, kWhite);
    Painter p(target);
    EXPECT_TRUE(p.TransparentBlt({0, 0, 4, 2}, source, {0, 0, 2, 1}, RGB(255, 0, 255)));
    EXPECT_EQ(target.ColorAt(1, 1), kWhite);
    EXPECT_EQ(target.ColorAt(2, 0), kRed);
    EXPECT_EQ(target.ColorAt(3, 1), kRed);
}

TEST(PainterTest, AlphaBlendConstantAndPerPixel) {
    struct Case {
        std::uint32_t source;
        BlendFunction blend;
        COLORREF expected;
    };
    const Case cases[] = {
        {0xFFFF0000, {128, false}, RGB(128, 0, 127)}, // half red over blue
        {0xFFFF0000, {0, false}, kBlue},              // nothing of the source
        {0x00FF0000, {255, true}, kBlue},             // transparent source pixel
        {0x80FF0000, {255, true}, RGB(128, 0, 127)},  // straight alpha one half
        {0x80FF0000, {128, true}, RGB(64, 0, 191)},   // both weights multiply
        {0xFFFF0000, {255, true}, kRed},
    };
    for (const Case& c : cases) {
        Bitmap target = Solid(1, 1, kBlue);
        Painter p(target);
        p.AlphaBlend({0, 0, 1, 1}, Bitmap(1, 1, c.source), {0, 0, 1, 1}, c.blend);
        EXPECT_EQ(target.ColorAt(0, 0), c.expected) << std::hex << c.source;
    }
}

TEST(PainterTest, ClipRegionLimitsEveryOperation) {
    Bitmap target = Solid(6, 6, kWhite);
    Painter p(target);
    const Region ell = Region(Rect{0, 0, 2, 6}).Union(Region(Rect{0, 4, 6, 6}));
    p.SelectClipRgn(&ell);
    p.FillRect({0, 0, 6, 6}, kRed);
    p.BitBlt(0, 0, 6, 6, Solid(6, 6, kRed), 0, 0, SRCCOPY);
    p.SetPixel({3, 1}, kRed);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(target.ColorAt(x, y), ell.Contains({x, y}) ? kRed : kWhite) << x << "," << y;
    EXPECT_EQ(p.GetPixel({3, 1}), CLR_INVALID);
    EXPECT_EQ(p.GetClipBox(), (Rect{0, 0, 6, 6}));
    p.IntersectClipRect({1, 1, 3, 5});
    EXPECT_EQ(p.GetClipBox(), (Rect{1, 1, 3, 5}));
    p.SelectClipRgn(nullptr);
    EXPECT_EQ(p.GetPixel({3, 1}), kWhite);
}

TEST(PainterTest, SaveAndRestoreBringBackClipAndColours) {
    Bitmap target = Solid(4, 4, kWhite);
    Painter p(target);
    const int saved = p.SaveDC();
    p.IntersectClipRect({0, 0, 1, 1});
    p.SetTextColor(kRed);
    p.SetWindowOrg({2, 2});
    EXPECT_TRUE(p.RestoreDC(saved));
    EXPECT_EQ(p.GetTextColor(), kBlack);
    EXPECT_EQ(p.GetWindowOrg(), (Point{0, 0}));
    EXPECT_EQ(p.GetClipBox(), (Rect{0, 0, 4, 4}));
    EXPECT_FALSE(p.RestoreDC(-1)); // nothing left to restore
}

TEST(PainterTest, OriginsMapLogicalToDevicePixels) {
    // Buffered drawing: a memory bitmap for the area (10, 20)-(14, 23) of a window, its
    // window origin at that corner, drawn with the window's own coordinates.
    Bitmap window = Solid(20, 30, kWhite);
    const Rect area{10, 20, 14, 23};
    Bitmap buffer(area.Width(), area.Height());
    Painter memory(buffer);
    memory.SetWindowOrg(area.TopLeft());
    memory.FillRect(area, kBlue);
    memory.SetPixel({11, 21}, kRed);
    EXPECT_EQ(buffer.ColorAt(1, 1), kRed);
    Painter screen(window);
    screen.BitBlt(area.left, area.top, area.Width(), area.Height(), buffer, 0, 0, SRCCOPY);
    EXPECT_EQ(window.ColorAt(11, 21), kRed);
    EXPECT_EQ(window.ColorAt(13, 22), kBlue);
    EXPECT_EQ(window.ColorAt(14, 22), kWhite);
    // A child painted at (5, 6) of its top-level: the viewport origin moves it there.
    screen.SetViewportOrg({5, 6});
    screen.FillRect({0, 0, 1, 1}, kRed);
    EXPECT_EQ(window.ColorAt(5, 6), kRed);
    EXPECT_EQ(screen.GetClipBox(), (Rect{-5, -6, 15, 24}));
}

TEST(PainterTest, FramesAndLines) {
    Bitmap target = Solid(6, 6, kWhite);
    Painter p(target);
    p.FrameRect({0, 0, 6, 6}, kRed, 2);
    EXPECT_EQ(target.ColorAt(1, 1), kRed);
    EXPECT_EQ(target.ColorAt(2, 2), kWhite);
    EXPECT_EQ(target.ColorAt(4, 3), kRed);
    EXPECT_EQ(target.ColorAt(5, 5), kRed);

    struct Case {
        Point from;
        Point to;
    };
    for (const Case c :
         {Case{{0, 2}, {4, 2}}, Case{{4, 2}, {0, 2}}, Case{{2, 0}, {2, 4}}, Case{{0, 0}, {4, 4}}}) {
        Bitmap canvas = Solid(6, 6, kWhite);
        Painter q(canvas);
        q.DrawLine(c.from, c.to, kBlue);
        EXPECT_EQ(canvas.ColorAt(c.from.x, c.from.y), kBlue);
        EXPECT_EQ(canvas.ColorAt(c.to.x, c.to.y), kWhite) << "the end point is not drawn";
        EXPECT_EQ(canvas.ColorAt((c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2), kBlue);
    }
}

} // namespace
} // namespace plat
