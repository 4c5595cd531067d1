// Pixel work of Painter. Every operation reduces to: map to device pixels, split by the
// clip region into rectangles, and run a per-pixel step over each rectangle's rows.
#include "platform/gfx/painter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace plat {

namespace {

std::uint32_t BlendChannel(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
    return (s * a + d * (255 - a) + 127) / 255;
}

// Straight-alpha "source over" with weight a (0..255) for the source.
std::uint32_t Over(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
    const std::uint32_t r = BlendChannel((s >> 16) & 0xFF, (d >> 16) & 0xFF, a);
    const std::uint32_t g = BlendChannel((s >> 8) & 0xFF, (d >> 8) & 0xFF, a);
    const std::uint32_t b = BlendChannel(s & 0xFF, d & 0xFF, a);
    const std::uint32_t da = d >> 24;
    const std::uint32_t outA = a + (da * (255 - a) + 127) / 255;
    return (outA << 24) | (r << 16) | (g << 8) | b;
}

} // namespace

Point Painter::SetWindowOrg(Point origin) {
    return std::exchange(m_state.windowOrg, origin);
}
Point Painter::SetViewportOrg(Point origin) {
    return std::exchange(m_state.viewportOrg, origin);
}

Point Painter::LogicalToDevice(Point p) const {
    return {p.x - m_state.windowOrg.x + m_state.viewportOrg.x,
            p.y - m_state.windowOrg.y + m_state.viewportOrg.y};
}

Rect Painter::LogicalToDevice(const Rect& r) const {
    const Point d = LogicalToDevice(r.TopLeft());
    return r.Offset(d.x - r.left, d.y - r.top);
}

Rect Painter::DeviceToLogical(const Rect& r) const {
    return r.Offset(m_state.windowOrg.x - m_state.viewportOrg.x, m_state.windowOrg.y - m_state.viewportOrg.y);
}

void Painter::SelectClipRgn(const Region* region) {
    if (region == nullptr)
        m_state.clip.reset();
    else
        m_state.clip = *region;
}

void Painter::IntersectClipRect(const Rect& logical) {
    const Region rect(LogicalToDevice(logical));
    if (m_state.clip)
        m_state.clip = m_state.clip->Intersect(rect);
    else
        m_state.clip = rect.Intersect(Region(m_target.Bounds()));
}

Rect Painter::GetClipBox() const {
    const Rect device =
        m_state.clip ? m_state.clip->Bounds().Intersect(m_target.Bounds()) : m_target.Bounds();
    return DeviceToLogical(device);
}

int Painter::SaveDC() {
    m_saved.push_back(m_state);
    return int(m_saved.size());
}

bool Painter::RestoreDC(int level) {
    if (level < 0)
        level = int(m_saved.size()) + 1 + level;
    if (level <= 0 || level > int(m_saved.size()))
        return false;
    m_state = m_saved[size_t(level - 1)];
    m_saved.resize(size_t(level - 1));
    return true;
}

COLORREF Painter::SetTextColor(COLORREF color) {
    return std::exchange(m_state.textColor, color);
}
COLORREF Painter::SetBkColor(COLORREF color) {
    return std::exchange(m_state.bkColor, color);
}

int Painter::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(m_state.bkMode, mode);
}

std::shared_ptr<const Font> Painter::SelectFont(std::shared_ptr<const Font> font) {
    return std::exchange(m_state.font, std::move(font));
}

std::shared_ptr<const Font> Painter::DefaultGuiFont() {
    static const std::shared_ptr<const Font> font =
        Font::Create(LogFont{.height = -11, .faceName = u"Tahoma"});
    return font;
}

const Font* Painter::CurrentFont() const {
    if (m_state.font)
        return m_state.font.get();
    return DefaultGuiFont().get();
}

template <typename Fn> void Painter::ForEachClipRect(const Rect& device, Fn&& fn) const {
    const Rect inside = device.Intersect(m_target.Bounds());
    if (inside.IsEmpty())
        return;
    if (!m_state.clip)
        fn(inside);
    else
        m_state.clip->ForEachRectIn(inside, fn);
}

void Painter::FillRect(const Rect& rect, COLORREF color) {
    const std::uint32_t pixel = PixelFromColor(color);
    ForEachClipRect(LogicalToDevice(rect), [&](const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            std::fill_n(m_target.Row(y) + r.left, r.Width(), pixel);
    });
}

void Painter::FrameRect(const Rect& rect, COLORREF color, int thickness) {
    if (rect.IsEmpty() || thickness <= 0)
        return;
    const int t = std::min({thickness, (rect.Width() + 1) / 2, (rect.Height() + 1) / 2});
    FillRect({rect.left, rect.top, rect.right, rect.top + t}, color);
    FillRect({rect.left, rect.bottom - t, rect.right, rect.bottom}, color);
    FillRect({rect.left, rect.top + t, rect.left + t, rect.bottom - t}, color);
    FillRect({rect.right - t, rect.top + t, rect.right, rect.bottom - t}, color);
}

void Painter::DrawLine(Point from, Point to, COLORREF color) {
    // Straight rules are the common case: fill them as one rectangle.
    if (from.y == to.y) {
        const int left = from.x <= to.x ? from.x : to.x + 1;
        const int right = from.x <= to.x ? to.x : from.x + 1;
        FillRect({left, from.y, right, from.y + 1}, color);
        return;
    }
    if (from.x == to.x) {
        const int top = from.y <= to.y ? from.y : to.y + 1;
        const int bottom = from.y <= to.y ? to.y : from.y + 1;
        FillRect({from.x, top, from.x + 1, bottom}, color);
        return;
    }
    int x = from.x;
    int y = from.y;
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    while (x != to.x || y != to.y) {
        SetPixel({x, y}, color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void Painter::SetPixel(Point p, COLORREF color) {
    const Point d = LogicalToDevice(p);
    FillRect(DeviceToLogical({d.x, d.y, d.x + 1, d.y + 1}), color);
}

COLORREF Painter::GetPixel(Point p) const {
    const Point d = LogicalToDevice(p);
    if (!m_target.Bounds().Contains(d) || (m_state.clip && !m_state.clip->Contains(d)))
        return CLR_INVALID;
    return m_target.ColorAt(d.x, d.y);
}

template <typename PixelOp>
bool Painter::Transfer(const Rect& dest, const Bitmap& source, const Rect& sourceRect, PixelOp op) {
    if (dest.IsEmpty() || sourceRect.IsEmpty())
        return false;
    // Reading and writing the same pixels in one pass would read what was just written.
    if (&source == &m_target) {
        const Bitmap copy = source;
        return Transfer(dest, copy, sourceRect, op);
    }
    const Rect device = LogicalToDevice(dest);
    if (device.Width() == sourceRect.Width() && device.Height() == sourceRect.Height()) {
        const int shiftX = sourceRect.left - device.left;
        const int shiftY = sourceRect.top - device.top;
        const Rect readable = device.Intersect(source.Bounds().Offset(-shiftX, -shiftY));
        ForEachClipRect(readable, [&](const Rect& r) {
            for (int y = r.top; y < r.bottom; ++y) {
                std::uint32_t* d = m_target.Row(y) + r.left;
                const std::uint32_t* s = source.Row(y + shiftY) + r.left + shiftX;
                for (int x = 0; x < r.Width(); ++x)
                    op(d[x], s[x]);
            }
        });
        return true;
    }
    // Stretching samples the source pixel under each destination pixel's centre.
    const long long dw = device.Width();
    const long long dh = device.Height();
    ForEachClipRect(device, [&](const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            const int sy =
                sourceRect.top + int(((2LL * (y - device.top) + 1) * sourceRect.Height()) / (2 * dh));
            if (sy < 0 || sy >= source.Height())
                continue;
            std::uint32_t* d = m_target.Row(y);
            const std::uint32_t* s = source.Row(sy);
            for (int x = r.left; x < r.right; ++x) {
                const int sx =
                    sourceRect.left + int(((2LL * (x - device.left) + 1) * sourceRect.Width()) / (2 * dw));
                if (sx >= 0 && sx < source.Width())
                    op(d[x], s[sx]);
            }
        }
    });
    return true;
}

bool Painter::StretchBlt(const Rect& dest, const Bitmap& source, const Rect& sourceRect, std::uint32_t rop) {
    switch (rop) {
    case SRCCOPY:
        return Transfer(dest, source, sourceRect, [](std::uint32_t& d, std::uint32_t s) { d = s; });
    case SRCPAINT:
        return Transfer(dest, source, sourceRect, [](std::uint32_t& d, std::uint32_t s) { d |= s; });
    case SRCAND:
        return Transfer(dest, source, sourceRect, [](std::uint32_t& d, std::uint32_t s) { d &= s; });
    case SRCINVERT:
        return Transfer(dest, source, sourceRect, [](std::uint32_t& d, std::uint32_t s) { d ^= s; });
    default:
        return false;
    }
}

bool Painter::BitBlt(int x, int y, int width, int height, const Bitmap& source, int sx, int sy,
                     std::uint32_t rop) {
    return StretchBlt(Rect::FromSize(x, y, width, height), source, Rect::FromSize(sx, sy, width, height),
                      rop);
}

bool Painter::TransparentBlt(const Rect& dest, const Bitmap& source, const Rect& sourceRect, COLORREF key) {
    const std::uint32_t keyPixel = PixelFromColor(key) & 0xFFFFFF;
    return Transfer(dest, source, sourceRect, [keyPixel](std::uint32_t& d, std::uint32_t s) {
        if ((s & 0xFFFFFF) != keyPixel)
            d = s;
    });
}

bool Painter::AlphaBlend(const Rect& dest, const Bitmap& source, const Rect& sourceRect,
                         BlendFunction blend) {
    const std::uint32_t constant = blend.constantAlpha;
    if (blend.perPixelAlpha)
        return Transfer(dest, source, sourceRect, [constant](std::uint32_t& d, std::uint32_t s) {
            const std::uint32_t a = ((s >> 24) * constant + 127) / 255;
            if (a != 0)
                d = Over(s, d, a);
        });
    return Transfer(dest, source, sourceRect, [constant](std::uint32_t& d, std::uint32_t s) {
        if (constant != 0)
            d = Over(s, d, constant);
    });
}

TextMetrics Painter::GetTextMetrics() const {
    const Font* font = CurrentFont();
    return font ? font->Metrics() : TextMetrics{};
}

Size Painter::GetTextExtent(std::u16string_view text) const {
    const Font* font = CurrentFont();
    return font ? font->MeasureText(text) : Size{};
}

void Painter::TextOut(int x, int y, std::u16string_view text) {
    if (const Font* font = CurrentFont())
        DrawRun(*font, text, {x, y}, nullptr, -1);
}

int Painter::DrawText(std::u16string_view text, Rect& rect, unsigned flags) {
    const Font* font = CurrentFont();
    if (font == nullptr)
        return 0;
    const TextLayout layout(*font, text, rect, flags);
    if (flags & DT_CALCRECT) {
        rect = layout.Extent();
        return layout.Height();
    }
    const Rect limit = LogicalToDevice(rect);
    for (const TextLayout::Line& line : layout.Lines())
        DrawRun(*font, line.text, {line.x, line.y}, (flags & DT_NOCLIP) ? nullptr : &limit, line.underline);
    return layout.Height();
}

void Painter::BlendCoverage(const Font::Glyph& glyph, int gx, int gy, const Rect& limit,
                            std::uint32_t color) {
    const Rect box = Rect::FromSize(gx, gy, glyph.width, glyph.rows).Intersect(limit);
    ForEachClipRect(box, [&](const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* d = m_target.Row(y);
            const std::uint8_t* row = glyph.coverage.data() + size_t(y - gy) * size_t(glyph.width);
            for (int x = r.left; x < r.right; ++x) {
                const std::uint32_t a = row[x - gx];
                if (a == 255)
                    d[x] = color;
                else if (a != 0)
                    d[x] = Over(color, d[x], a);
            }
        }
    });
}

void Painter::DrawRun(const Font& font, std::u16string_view text, Point logical, const Rect* limit,
                      int underline) {
    const Point origin = LogicalToDevice(logical);
    const Rect bounds = limit ? limit->Intersect(m_target.Bounds()) : m_target.Bounds();
    const TextMetrics& tm = font.Metrics();
    const std::uint32_t color = PixelFromColor(m_state.textColor);
    const int baseline = origin.y + tm.ascent;
    const int underlineTop = baseline + font.UnderlineOffset();

    auto fillDevice = [&](Rect device, COLORREF c) {
        ForEachClipRect(device.Intersect(bounds), [&](const Rect& r) {
            for (int y = r.top; y < r.bottom; ++y)
                std::fill_n(m_target.Row(y) + r.left, r.Width(), PixelFromColor(c));
        });
    };
    if (m_state.bkMode == OPAQUE)
        fillDevice(Rect::FromSize(origin.x, origin.y, font.MeasureText(text).cx, tm.height), m_state.bkColor);

    int pen = origin.x;
    for (size_t i = 0; i < text.size();) {
        const size_t index = i;
        const Font::Glyph& glyph = font.GetGlyph(NextCodePoint(text, i));
        BlendCoverage(glyph, pen + glyph.left, baseline - glyph.top, bounds, color);
        if (int(index) == underline)
            fillDevice({pen, underlineTop, pen + glyph.advance, underlineTop + font.UnderlineThickness()},
                       m_state.textColor);
        pen += glyph.advance;
    }
    if (font.GetLogFont().underline)
        fillDevice({origin.x, underlineTop, pen, underlineTop + font.UnderlineThickness()},
                   m_state.textColor);
}

} // namespace plat
