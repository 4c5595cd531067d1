// Font faces, sizes and glyph rendering through FreeType. Sizes follow the sign
// convention of LogFont; metrics come from the face's Windows metrics (OS/2 table) when
// it has them, so line heights match what the same metric-compatible face gives there.
#include "platform/gfx/font.h"

#include "platform/gfx/font_library.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <atomic>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>

namespace plat {

namespace {

constexpr int kDefaultEmPixels = 16;

struct FaceMetrics {
    double ascent;  // font units
    double descent; // font units, positive
    double avgWidth;
    double units;
};

FaceMetrics MetricsOf(FT_Face face) {
    FaceMetrics m{double(face->ascender), double(-face->descender), 0.0, double(face->units_per_EM)};
    if (m.units <= 0)
        m.units = 1000;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 != nullptr) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            m.ascent = os2->usWinAscent;
            m.descent = os2->usWinDescent;
        }
        m.avgWidth = os2->xAvgCharWidth;
    }
    if (m.ascent + m.descent <= 0) {
        m.ascent = m.units * 0.8;
        m.descent = m.units * 0.2;
    }
    if (m.avgWidth <= 0)
        m.avgWidth = m.units / 2;
    return m;
}

using CacheKey = std::tuple<std::u16string, int, int, int, bool, bool, int>;

CacheKey KeyOf(const LogFont& f) {
    return {f.faceName, f.height, f.width, f.weight, f.italic, f.underline, f.pitchAndFamily};
}

} // namespace

struct Font::Impl {
    FT_Face face{nullptr};
    bool embolden{false};
    bool oblique{false};
    mutable std::mutex lock;
    mutable std::unordered_map<char32_t, Glyph> glyphs;
    mutable std::array<std::atomic<const Glyph*>, 128> ascii{};

    ~Impl() {
        if (face != nullptr) {
            std::lock_guard guard(FontLibrary::Instance().FaceLock());
            FT_Done_Face(face);
        }
    }

    Glyph Render(char32_t codePoint) const {
        Glyph g;
        if (codePoint < 0x20 || codePoint == 0x7F)
            return g; // control characters take no room and show nothing
        const FT_UInt index = FT_Get_Char_Index(face, codePoint);
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0)
            return g;
        FT_GlyphSlot slot = face->glyph;
        if (embolden)
            FT_GlyphSlot_Embolden(slot);
        if (oblique)
            FT_GlyphSlot_Oblique(slot);
        g.advance = int((slot->advance.x + 32) >> 6);
        if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            return g;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = int(bm.width);
        g.rows = int(bm.rows);
        g.coverage.resize(size_t(g.width) * size_t(g.rows));
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* src = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x) {
                std::uint8_t v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    v = bm.num_grays > 1 ? std::uint8_t(src[x] * 255 / (bm.num_grays - 1)) : src[x];
                else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (src[x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
                g.coverage[size_t(y) * size_t(g.width) + size_t(x)] = v;
            }
        }
        return g;
    }
};

Font::Font(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
Font::~Font() = default;

std::shared_ptr<Font> Font::Create(const LogFont& request) {
    // Fonts live until the program ends; the cache is never torn down, so no exit order
    // can destroy a face after the library that made it.
    static std::mutex& cacheLock = *new std::mutex;
    static auto& cache = *new std::map<CacheKey, std::shared_ptr<Font>>;
    static unsigned cacheGeneration = 0;

    const unsigned generation = FontLibrary::Instance().Generation();
    std::lock_guard guard(cacheLock);
    if (generation != cacheGeneration) {
        cache.clear(); // an added font file may now answer requests differently
        cacheGeneration = generation;
    }
    const CacheKey key = KeyOf(request);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    std::shared_ptr<Font> font = Load(request);
    if (font)
        cache.emplace(key, font);
    return font;
}

std::shared_ptr<Font> Font::Load(const LogFont& request) {
    FontLibrary& library = FontLibrary::Instance();
    if (library.FreeTypeLibrary() == nullptr)
        return nullptr;
    const FaceLocation where = library.Resolve(request);
    if (where.file.empty())
        return nullptr;

    auto impl = std::make_unique<Impl>();
    {
        std::lock_guard guard(library.FaceLock());
        if (FT_New_Face(static_cast<FT_Library>(library.FreeTypeLibrary()), where.file.c_str(), where.index,
                        &impl->face) != 0) {
            impl->face = nullptr;
            return nullptr;
        }
    }
    impl->embolden = where.needsEmbolden;
    impl->oblique = where.needsOblique;
    FT_Face face = impl->face;
    const FaceMetrics fm = MetricsOf(face);

    double emY = kDefaultEmPixels;
    if (request.height < 0)
        emY = -double(request.height);
    else if (request.height > 0)
        emY = request.height * fm.units / (fm.ascent + fm.descent);
    double emX = emY;
    if (request.width > 0)
        emX = request.width * fm.units / fm.avgWidth;
    FT_Set_Char_Size(face, FT_F26Dot6(std::lround(emX * 64)), FT_F26Dot6(std::lround(emY * 64)), 72, 72);

    std::shared_ptr<Font> font(new Font(std::move(impl)));
    font->m_request = request;
    font->m_family = where.family;
    font->m_file = where.file;
    TextMetrics& tm = font->m_metrics;
    const double scaleY = emY / fm.units;
    const double scaleX = emX / fm.units;
    tm.ascent = int(std::lround(fm.ascent * scaleY));
    tm.descent = int(std::lround(fm.descent * scaleY));
    if (request.height > 0)
        tm.descent = request.height - tm.ascent; // a cell-height request gets exactly that height
    tm.height = tm.ascent + tm.descent;
    tm.internalLeading = std::max(0, tm.height - int(std::lround(emY)));
    tm.aveCharWidth = request.width > 0 ? request.width : int(std::lround(fm.avgWidth * scaleX));
    tm.maxCharWidth = int(std::lround(double(face->max_advance_width) * scaleX));
    font->m_underlineOffset = std::max(1, int(std::lround(-double(face->underline_position) * scaleY)));
    font->m_underlineThickness = std::max(1, int(std::lround(double(face->underline_thickness) * scaleY)));
    return font;
}

const Font::Glyph& Font::GetGlyph(char32_t codePoint) const {
    const bool ascii = codePoint < m_impl->ascii.size();
    if (ascii) {
        if (const Glyph* g = m_impl->ascii[codePoint].load(std::memory_order_acquire))
            return *g;
    }
    std::lock_guard guard(m_impl->lock);
    auto it = m_impl->glyphs.find(codePoint);
    if (it == m_impl->glyphs.end())
        it = m_impl->glyphs.emplace(codePoint, m_impl->Render(codePoint)).first;
    if (ascii)
        m_impl->ascii[codePoint].store(&it->second, std::memory_order_release);
    return it->second;
}

Size Font::MeasureText(std::u16string_view text) const {
    int width = 0;
    for (size_t i = 0; i < text.size();)
        width += Advance(NextCodePoint(text, i));
    return {width, m_metrics.height};
}

char32_t NextCodePoint(std::u16string_view text, size_t& index) {
    const char16_t unit = text[index++];
    if (unit < 0xD800 || unit > 0xDFFF)
        return unit;
    if (unit <= 0xDBFF && index < text.size() && text[index] >= 0xDC00 && text[index] <= 0xDFFF) {
        const char16_t low = text[index++];
        return 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
    }
    return 0xFFFD;
}

} // namespace plat
