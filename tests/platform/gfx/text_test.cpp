// Fonts resolved through fontconfig, their metrics, and DrawText layout and drawing.
#include "platform/gfx/font.h"
#include "platform/gfx/font_library.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/text_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace plat {
namespace {

std::shared_ptr<const Font> Arial(int height, int weight = FW_NORMAL) {
    return Font::Create(LogFont{.height = height, .weight = weight, .faceName = u"Arial"});
}

class TextTest : public testing::Test {
protected:
    void SetUp() override {
        m_font = Arial(-14, FW_BOLD);
        if (!m_font || m_font->Family() != "Liberation Sans")
            GTEST_SKIP() << "the Liberation fonts are not installed";
    }
    std::shared_ptr<const Font> m_font;
};

TEST_F(TextTest, DesktopFacesResolveToMetricCompatibleOnes) {
    struct Case {
        std::u16string face;
        int weight;
        const char* family;
        const char* fileWord;
    };
    const Case cases[] = {
        {u"Arial", FW_NORMAL, "Liberation Sans", "Regular"},
        {u"arial", FW_BOLD, "Liberation Sans", "Bold"},
        {u"Courier New", FW_BOLD, "Liberation Mono", "Bold"},
        {u"Tahoma", FW_BOLD, "DejaVu Sans", "Bold"},
        {u"No Such Face At All", FW_NORMAL, "Liberation Sans", "Regular"},
    };
    for (const Case& c : cases) {
        const auto font = Font::Create(LogFont{.height = -12, .weight = c.weight, .faceName = c.face});
        ASSERT_TRUE(font);
        EXPECT_EQ(font->Family(), c.family);
        EXPECT_NE(font->File().find(c.fileWord), std::string::npos) << font->File();
    }
}

TEST_F(TextTest, HeightSignSelectsCharacterOrCellHeight) {
    // Liberation Sans has the metrics of Arial: 14 px characters stand in a 16 px cell.
    EXPECT_EQ(m_font->Metrics().height, 16);
    EXPECT_EQ(m_font->Metrics().ascent, 13);
    EXPECT_EQ(m_font->Metrics().internalLeading, 2);
    const auto cell = Arial(14, FW_BOLD);
    EXPECT_EQ(cell->Metrics().height, 14);
    EXPECT_LT(cell->MeasureText(u"Read from device").cx, m_font->MeasureText(u"Read from device").cx);
    EXPECT_GT(Arial(0)->Metrics().height, 0);
    // The same request gives the same shared font.
    EXPECT_EQ(Arial(-14, FW_BOLD).get(), m_font.get());
}

TEST_F(TextTest, WidthScalesTheAverageCharacter) {
    const auto narrow = Font::Create(LogFont{.height = -14, .width = 4, .faceName = u"Arial"});
    const auto wide = Font::Create(LogFont{.height = -14, .width = 12, .faceName = u"Arial"});
    EXPECT_EQ(narrow->Metrics().aveCharWidth, 4);
    EXPECT_EQ(narrow->Metrics().height, wide->Metrics().height);
    EXPECT_LT(narrow->MeasureText(u"xxxxxxxxxx").cx * 2, wide->MeasureText(u"xxxxxxxxxx").cx);
}

TEST_F(TextTest, CourierNewIsMonospaced) {
    const auto mono = Font::Create(LogFont{.height = -13, .weight = FW_BOLD, .faceName = u"Courier New"});
    EXPECT_EQ(mono->MeasureText(u"iiii").cx, mono->MeasureText(u"WWWW").cx);
}

TEST_F(TextTest, AddedFontFilesCountTheirFaces) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kavox_gfx_fonts";
    std::filesystem::create_directories(dir);
    const std::filesystem::path junk = dir / "junk.ttf";
    std::ofstream(junk) << "not a font";
    EXPECT_EQ(FontLibrary::Instance().AddFontFile(junk.string()), 0);
    EXPECT_EQ(FontLibrary::Instance().AddFontFile((dir / "missing.ttf").string()), 0);
    const std::filesystem::path copy = dir / "Added.ttf";
    std::filesystem::copy_file(m_font->File(), copy, std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(FontLibrary::Instance().AddFontFile(copy.string()), 1);
    EXPECT_TRUE(Arial(-14, FW_BOLD)); // cached fonts are dropped, new ones still resolve
    std::filesystem::remove_all(dir);
}

std::vector<std::u16string> TextsOf(const TextLayout& layout) {
    std::vector<std::u16string> texts;
    for (const auto& line : layout.Lines())
        texts.push_back(line.text);
    return texts;
}

TEST_F(TextTest, LinesBreakAtLineEndsAndWords) {
    const int space = m_font->Advance(U' ');
    const int oneTwo = m_font->MeasureText(u"one two").cx;
    struct Case {
        const char* name;
        std::u16string text;
        int width;
        unsigned flags;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {"line ends", u"a\r\nb\nc\rd", 500, 0, {u"a", u"b", u"c", u"d"}},
        {"blank line kept, final break opens nothing", u"a\n\nb\r\n", 500, 0, {u"a", u"", u"b"}},
        {"single line ignores breaks", u"a\r\nb", 500, DT_SINGLELINE, {u"a\r\nb"}},
        {"no wrap without word break", u"one two three", 10, 0, {u"one two three"}},
        {"wrap drops blanks at the break",
         u"one two three",
         oneTwo + space,
         DT_WORDBREAK,
         {u"one two", u"three"}},
        {"exact fit stays on one line", u"one two", oneTwo, DT_WORDBREAK, {u"one two"}},
        {"long word stands alone", u"a verylongword b", 30, DT_WORDBREAK, {u"a", u"verylongword", u"b"}},
        {"edit control cuts long words",
         u"WWWW",
         m_font->Advance(U'W') * 2,
         DT_WORDBREAK | DT_EDITCONTROL,
         {u"WW", u"WW"}},
        {"empty text has no lines", u"", 100, DT_WORDBREAK, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextLayout layout(*m_font, c.text, {0, 0, c.width, 1000}, c.flags | DT_NOPREFIX);
        EXPECT_EQ(TextsOf(layout), c.lines);
        EXPECT_EQ(layout.Height(), int(c.lines.size()) * m_font->Metrics().height);
    }
}

TEST_F(TextTest, PrefixesAreRemovedAndMarkTheirCharacter) {
    const TextLayout layout(*m_font, u"&File a&&b c&", {0, 0, 500, 50}, DT_SINGLELINE);
    ASSERT_EQ(layout.Lines().size(), 1u);
    EXPECT_EQ(layout.Lines()[0].text, u"File a&b c");
    EXPECT_EQ(layout.Lines()[0].underline, 0);
    const TextLayout plain(*m_font, u"&File", {0, 0, 500, 50}, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(plain.Lines()[0].text, u"&File");
    EXPECT_EQ(plain.Lines()[0].underline, -1);
}

TEST_F(TextTest, EllipsisShortensOnlyWhatDoesNotFit) {
    const std::u16string text = u"Profile number seven";
    const int full = m_font->MeasureText(text).cx;
    const TextLayout fits(*m_font, text, {0, 0, full, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(fits.Lines()[0].text, text);
    for (int width : {full - 1, full / 2, 5, 0}) {
        const TextLayout cut(*m_font, text, {0, 0, width, 20}, DT_SINGLELINE | DT_END_ELLIPSIS);
        const auto& line = cut.Lines()[0];
        ASSERT_GE(line.text.size(), 3u);
        EXPECT_EQ(line.text.substr(line.text.size() - 3), u"...");
        EXPECT_EQ(text.substr(0, line.text.size() - 3), line.text.substr(0, line.text.size() - 3));
        EXPECT_TRUE(line.width <= width || line.text == u"...") << width;
        EXPECT_EQ(line.width, m_font->MeasureText(line.text).cx);
    }
}

TEST_F(TextTest, AlignmentAndCalculatedRectangles) {
    const int width = m_font->MeasureText(u"OK").cx;
    const int lineHeight = m_font->Metrics().height;
    struct Case {
        unsigned flags;
        int x;
        int y;
    };
    const Rect box{10, 20, 110, 61};
    const Case cases[] = {
        {DT_SINGLELINE, 10, 20},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 110 - width, 61 - lineHeight},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, (120 - width) / 2, (81 - lineHeight) / 2},
        {DT_CENTER | DT_VCENTER | DT_WORDBREAK, (120 - width) / 2,
         20}, // vertical centring is single-line only
    };
    for (const Case& c : cases) {
        const TextLayout layout(*m_font, u"OK", box, c.flags);
        EXPECT_EQ(layout.Lines()[0].x, c.x) << c.flags;
        EXPECT_EQ(layout.Lines()[0].y, c.y) << c.flags;
    }
    Bitmap target(200, 200);
    Painter p(target);
    p.SelectFont(m_font);
    Rect measured{5, 7, 5 + m_font->MeasureText(u"one two").cx, 100};
    const int height = p.DrawText(u"one two one two", measured, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height, 2 * lineHeight);
    EXPECT_EQ(measured, (Rect{5, 7, 5 + m_font->MeasureText(u"one two").cx, 7 + 2 * lineHeight}));
    Rect single{0, 0, 1, 1};
    p.DrawText(u"a long line", single, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(single, (Rect{0, 0, m_font->MeasureText(u"a long line").cx, lineHeight}));
    EXPECT_EQ(target, Bitmap(200, 200)) << "measuring draws nothing";
}

TEST_F(TextTest, EditControlLeavesOutACutLastLine) {
    const int lineHeight = m_font->Metrics().height;
    const Rect box{0, 0, 1000, lineHeight * 2 + lineHeight / 2};
    const TextLayout edit(*m_font, u"a\nb\nc", box, DT_EDITCONTROL);
    EXPECT_EQ(edit.Lines().size(), 2u);
    const TextLayout plain(*m_font, u"a\nb\nc", box, 0);
    EXPECT_EQ(plain.Lines().size(), 3u);
}

int InkPixels(const Bitmap& b, const Rect& area, std::uint32_t background) {
    int ink = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            ink += b.PixelAt(x, y) != background;
    return ink;
}

TEST_F(TextTest, DrawnTextStaysInsideItsRectangleAndClip) {
    const std::uint32_t white = 0xFFFFFFFF;
    Bitmap target(120, 40, white);
    Painter p(target);
    p.SelectFont(m_font);
    p.SetBkMode(TRANSPARENT);
    p.SetTextColor(RGB(0, 0, 0));
    Rect box{10, 10, 60, 30};
    p.DrawText(u"A text much wider than its box", box, DT_SINGLELINE | DT_VCENTER);
    EXPECT_GT(InkPixels(target, box, white), 20);
    EXPECT_EQ(InkPixels(target, target.Bounds(), white), InkPixels(target, box, white));
    // Fully covered pixels take exactly the text colour.
    bool solid = false;
    for (int x = box.left; x < box.right && !solid; ++x)
        for (int y = box.top; y < box.bottom && !solid; ++y)
            solid = target.PixelAt(x, y) == 0xFF000000;
    EXPECT_TRUE(solid);

    // Glyphs hanging over the target's top-left edges are cut there.
    Bitmap corner(8, 8, white);
    Painter c(corner);
    c.SelectFont(m_font);
    c.SetBkMode(TRANSPARENT);
    c.TextOut(-6, -6, u"WW");
    EXPECT_GT(InkPixels(corner, corner.Bounds(), white), 0);

    Bitmap clipped(120, 40, white);
    Painter q(clipped);
    q.SelectFont(m_font);
    q.SetBkMode(TRANSPARENT);
    q.IntersectClipRect({0, 0, 20, 40});
    Rect wide{0, 0, 120, 40};
    q.DrawText(u"MMMMMMMM", wide, DT_SINGLELINE);
    EXPECT_GT(InkPixels(clipped, {0, 0, 20, 40}, white), 0);
    EXPECT_EQ(InkPixels(clipped, {20, 0, 120, 40}, white), 0);
}

TEST_F(TextTest, OpaqueModeFillsTheTextCell) {
    Bitmap target(100, 30, 0xFFFFFFFF);
    Painter p(target);
    p.SelectFont(m_font);
    p.SetBkColor(RGB(0, 255, 0));
    p.TextOut(2, 3, u"  ");
    const int spaces = m_font->MeasureText(u"  ").cx;
    EXPECT_EQ(target.ColorAt(2, 3), RGB(0, 255, 0));
    EXPECT_EQ(target.ColorAt(2 + spaces - 1, 3 + m_font->Metrics().height - 1), RGB(0, 255, 0));
    EXPECT_EQ(target.ColorAt(2 + spaces, 3), RGB(255, 255, 255));
    p.SetBkMode(TRANSPARENT);
    p.SetBkColor(RGB(255, 0, 0));
    p.TextOut(2, 3, u"  ");
    EXPECT_EQ(target.ColorAt(2, 3), RGB(0, 255, 0));
}

TEST_F(TextTest, OneFontServesSeveralThreadsAtOnce) {
    // A request no other test makes, so every thread starts on an empty glyph cache.
    const auto font = Font::Create(LogFont{.height = -17, .italic = true, .faceName = u"Arial"});
    std::u16string text;
    for (char16_t c = 0x20; c < 0x250; ++c)
        text.push_back(c);
    std::vector<int> widths(4);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < widths.size(); ++t)
        threads.emplace_back([&, t] { widths[t] = font->MeasureText(text).cx; });
    for (std::thread& thread : threads)
        thread.join();
    for (int width : widths)
        EXPECT_EQ(width, font->MeasureText(text).cx);
}

TEST(CodePointTest, SurrogatesPairOrBecomeReplacement) {
    const std::u16string text = {0xD83D, 0xDE00, 0xDC00, u'a', 0xD800};
    size_t i = 0;
    EXPECT_EQ(NextCodePoint(text, i), U'\U0001F600');
    EXPECT_EQ(NextCodePoint(text, i), U'\uFFFD');
    EXPECT_EQ(NextCodePoint(text, i), U'a');
    EXPECT_EQ(NextCodePoint(text, i), U'\uFFFD');
    EXPECT_EQ(i, text.size());
}

} // namespace
} // namespace plat
