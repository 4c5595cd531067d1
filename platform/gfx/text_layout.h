// Lays out text for DrawText: prefix characters, line breaks, word wrapping, the
// ellipsis, alignment and the measured rectangle. Kept apart from painting so it can be
// used to measure without a target and tested line by line.
#pragma once

#include "platform/gfx/rect.h"

#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Font;

constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_EDITCONTROL = 0x2000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_MODIFYSTRING = 0x10000;

class TextLayout {
public:
    struct Line {
        std::u16string text; // as shown: prefixes removed, ellipsis applied
        int x{0};            // left edge of the line
        int y{0};            // top of the line's cell
        int width{0};
        int underline{-1}; // index in `text` of the character a prefix "&" marks
    };

    // Flags are the DT_ values above. Without DT_WORDBREAK, lines break only at CR, LF
    // or CR LF, and with DT_SINGLELINE not even there. A word wider than the rectangle
    // is broken between characters only with DT_EDITCONTROL; otherwise it stands alone
    // on its line. DT_VCENTER and DT_BOTTOM apply to single-line text only. With
    // DT_EDITCONTROL a last line that would be cut by the bottom edge is left out.
    TextLayout(const Font& font, std::u16string_view text, const Rect& rect, unsigned flags);

    const std::vector<Line>& Lines() const { return m_lines; }
    // The rectangle DT_CALCRECT reports: the given top-left, the widest line, all lines.
    const Rect& Extent() const { return m_extent; }
    // The value DrawText returns: from the rectangle's top to the bottom of the text.
    int Height() const { return m_height; }

private:
    struct Piece {
        std::u16string text;
        int underline{-1};
    };

    static std::vector<Piece> SplitLines(std::u16string_view text, unsigned flags);
    void Wrap(const Piece& paragraph, int maxWidth, bool breakWords);
    void AddLine(std::u16string text, int underline);
    void Ellipsize(Line& line, int maxWidth) const;

    const Font& m_font;
    std::vector<Line> m_lines;
    Rect m_extent;
    int m_height{0};
};

} // namespace plat
