// A font made from a LogFont request: a FreeType face at a pixel size (96 DPI, so pixels
// and device units are the same), its metrics, and a cache of anti-aliased glyphs.
// Fonts are shared between threads (the shared skin fonts are used by every UI thread),
// so glyph look-up is thread-safe; the glyphs handed out stay valid for the font's life.
#pragma once

#include "platform/gfx/log_font.h"
#include "platform/gfx/rect.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Font {
public:
    struct Glyph {
        int left{0}; // from the pen position to the first column
        int top{0};  // from the baseline up to the first row
        int width{0};
        int rows{0};
        int advance{0};                     // pen movement in pixels
        std::vector<std::uint8_t> coverage; // width * rows, 0 = empty, 255 = full
    };

    // Fonts are created once per distinct request and shared; null only when no face
    // at all can be loaded.
    static std::shared_ptr<Font> Create(const LogFont& request);

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const LogFont& GetLogFont() const { return m_request; }
    const TextMetrics& Metrics() const { return m_metrics; }
    const std::string& Family() const { return m_family; }
    const std::string& File() const { return m_file; }
    // Underline: top row below the baseline, and thickness, in pixels.
    int UnderlineOffset() const { return m_underlineOffset; }
    int UnderlineThickness() const { return m_underlineThickness; }

    const Glyph& GetGlyph(char32_t codePoint) const;
    int Advance(char32_t codePoint) const { return GetGlyph(codePoint).advance; }
    // Width of a line of text (no line breaks are interpreted) and the font's height.
    Size MeasureText(std::u16string_view text) const;

private:
    struct Impl;
    explicit Font(std::unique_ptr<Impl> impl);
    static std::shared_ptr<Font> Load(const LogFont& request);

    std::unique_ptr<Impl> m_impl;
    LogFont m_request;
    TextMetrics m_metrics;
    std::string m_family;
    std::string m_file;
    int m_underlineOffset{1};
    int m_underlineThickness{1};
};

// Walks UTF-16 text code point by code point; unpaired surrogates become U+FFFD.
char32_t NextCodePoint(std::u16string_view text, size_t& index);

} // namespace plat
