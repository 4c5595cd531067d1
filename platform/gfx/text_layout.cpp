// Line breaking and placement for DrawText. Widths are sums of whole-pixel glyph
// advances, the same numbers the painter uses to place glyphs.
#include "platform/gfx/text_layout.h"

#include "platform/gfx/font.h"

#include <algorithm>

namespace plat {

namespace {

constexpr std::u16string_view kEllipsis = u"...";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

// Advance of each UTF-16 unit; the second unit of a surrogate pair carries 0.
std::vector<int> AdvancesOf(const Font& font, std::u16string_view text) {
    std::vector<int> advances(text.size(), 0);
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        advances[start] = font.Advance(NextCodePoint(text, i));
    }
    return advances;
}

int SumOf(const std::vector<int>& advances, size_t from, size_t to) {
    int sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += advances[i];
    return sum;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

TextLayout::TextLayout(const Font& font, std::u16string_view text, const Rect& rect, unsigned flags)
    : m_font(font) {
    const int maxWidth = std::max(0, rect.Width());
    for (const Piece& piece : SplitLines(text, flags)) {
        if ((flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE))
            Wrap(piece, maxWidth, (flags & DT_EDITCONTROL) != 0);
        else
            AddLine(piece.text, piece.underline);
    }
    if (flags & DT_END_ELLIPSIS)
        for (Line& line : m_lines)
            Ellipsize(line, maxWidth);

    const int lineHeight = font.Metrics().height;
    int top = rect.top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = (rect.top + rect.bottom - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            top = rect.bottom - lineHeight;
    }
    int widest = 0;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        line.y = top + int(i) * lineHeight;
        if (flags & DT_CENTER)
            line.x = (rect.left + rect.right - line.width) / 2;
        else if (flags & DT_RIGHT)
            line.x = rect.right - line.width;
        else
            line.x = rect.left;
        widest = std::max(widest, line.width);
    }
    m_extent = {rect.left, rect.top, rect.left + widest, rect.top + int(m_lines.size()) * lineHeight};
    m_height = m_lines.empty() ? 0 : m_lines.back().y + lineHeight - rect.top;

    // An edit control never shows a line it cannot show whole; the first line always stays.
    const bool dropCutLines = (flags & DT_EDITCONTROL) && !(flags & (DT_SINGLELINE | DT_CALCRECT));
    if (dropCutLines)
        while (m_lines.size() > 1 && m_lines.back().y + lineHeight > rect.bottom)
            m_lines.pop_back();
}

std::vector<TextLayout::Piece> TextLayout::SplitLines(std::u16string_view text, unsigned flags) {
    std::vector<Piece> pieces;
    if (text.empty())
        return pieces;
    const bool prefixes = !(flags & DT_NOPREFIX);
    const bool breaks = !(flags & DT_SINGLELINE);
    pieces.emplace_back();
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (breaks && (c == u'\r' || c == u'\n')) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (i + 1 < text.size()) // a break at the very end opens no new line
                pieces.emplace_back();
            continue;
        }
        if (prefixes && c == u'&') {
            if (i + 1 >= text.size())
                break;
            ++i;
            if (text[i] != u'&')
                pieces.back().underline = int(pieces.back().text.size());
            if (breaks && (text[i] == u'\r' || text[i] == u'\n')) {
                pieces.back().underline = -1;
                --i;
                continue;
            }
        }
        pieces.back().text.push_back(text[i]);
    }
    return pieces;
}

void TextLayout::AddLine(std::u16string text, int underline) {
    Line line;
    line.width = m_font.MeasureText(text).cx;
    line.underline = underline >= 0 && size_t(underline) < text.size() ? underline : -1;
    line.text = std::move(text);
    m_lines.push_back(std::move(line));
}

void TextLayout::Wrap(const Piece& paragraph, int maxWidth, bool breakWords) {
    const std::u16string& text = paragraph.text;
    const std::vector<int> advances = AdvancesOf(m_font, text);
    auto emit = [&](size_t from, size_t to) {
        size_t end = to;
        while (end > from && IsBlank(text[end - 1]))
            --end;
        const int underline = paragraph.underline >= int(from) && paragraph.underline < int(end)
                                  ? paragraph.underline - int(from)
                                  : -1;
        AddLine(text.substr(from, end - from), underline);
    };

    size_t lineStart = 0;
    int widthWithBlanks = 0; // the line so far, blanks after its last word included
    size_t i = 0;
    while (i < text.size()) {
        size_t wordEnd = i;
        while (wordEnd < text.size() && !IsBlank(text[wordEnd]))
            ++wordEnd;
        size_t blankEnd = wordEnd;
        while (blankEnd < text.size() && IsBlank(text[blankEnd]))
            ++blankEnd;
        const int wordWidth = SumOf(advances, i, wordEnd);
        if (i > lineStart && widthWithBlanks + wordWidth > maxWidth) {
            emit(lineStart, i);
            lineStart = i;
            widthWithBlanks = 0;
        }
        if (i == lineStart && breakWords && wordWidth > maxWidth) {
            // Cut the word into pieces that fit, one character at least per line.
            size_t pieceStart = i;
            int pieceWidth = 0;
            for (size_t k = i; k < wordEnd; ++k) {
                if (IsLowSurrogate(text[k]))
                    continue;
                if (k > pieceStart && pieceWidth + advances[k] > maxWidth) {
                    emit(pieceStart, k);
                    pieceStart = k;
                    pieceWidth = 0;
                }
                pieceWidth += advances[k];
            }
            lineStart = pieceStart;
            widthWithBlanks = pieceWidth + SumOf(advances, wordEnd, blankEnd);
        } else {
            widthWithBlanks += wordWidth + SumOf(advances, wordEnd, blankEnd);
        }
        i = blankEnd;
    }
    emit(lineStart, text.size());
}

void TextLayout::Ellipsize(Line& line, int maxWidth) const {
    if (line.width <= maxWidth)
        return;
    const std::vector<int> advances = AdvancesOf(m_font, line.text);
    const int ellipsisWidth = m_font.MeasureText(kEllipsis).cx;
    size_t keep = line.text.size();
    int width = line.width;
    while (keep > 0 && width + ellipsisWidth > maxWidth) {
        size_t shorter = keep - 1;
        if (shorter > 0 && IsLowSurrogate(line.text[shorter]))
            --shorter;
        width -= SumOf(advances, shorter, keep);
        keep = shorter;
    }
    line.text.resize(keep);
    line.text += kEllipsis;
    line.width = width + ellipsisWidth;
    if (line.underline >= int(keep))
        line.underline = -1;
}

} // namespace plat
