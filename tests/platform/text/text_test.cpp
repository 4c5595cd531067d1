#include "platform/text/compare.h"
#include "platform/text/format.h"
#include "platform/text/guid.h"
#include "platform/text/path.h"
#include "platform/text/utf.h"

#include <gtest/gtest.h>

using namespace plat;

TEST(Utf, RoundTripsEveryPlane) {
    const std::string text = "Pr\xC3\xBC"
                             "fung \xE2\x82\xAC \xF0\x9F\x96\xB1"; // ü, €, a mouse emoji
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Prüfung € \U0001F5B1");
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string in;
        std::u16string out;
    } cases[] = {
        {"\xFF", u"\uFFFD"},
        {"a\xC3", u"a\uFFFD"},         // truncated sequence at the end
        {"\xC0\xAF", u"\uFFFD"},       // overlong '/'
        {"\xED\xA0\x80z", u"\uFFFDz"}, // encoded surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
    }
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Compare, IgnoresCaseAcrossAlphabets) {
    EXPECT_EQ(CompareNoCase(u"Copy", u"cOPY"), 0);
    EXPECT_TRUE(EqualsNoCase(u"ÄRGER", u"ärger"));
    EXPECT_TRUE(EqualsNoCase(u"ŁÓDŹ", u"łódź"));
    EXPECT_TRUE(EqualsNoCase(u"ПРОФИЛЬ", u"профиль"));
    EXPECT_FALSE(EqualsNoCase(u"abc", u"abcd"));
    EXPECT_LT(CompareNoCase(u"abc", u"ABD"), 0);
    EXPECT_LT(CompareNoCase(u"ab", u"ABC"), 0);
    EXPECT_GT(CompareNoCase(u"b", u"A"), 0);
}

TEST(Format, DirectivesInUse) {
    struct Case {
        std::u16string got;
        std::u16string want;
    } cases[] = {
        {Format(u"%d", -42), u"-42"},
        {Format(u"%02d", 7), u"07"},
        {Format(u"%s%s", u"/p/", u"save/"), u"/p/save/"},
        {Format(u"%s%s%s.%s", u"/p/", u"save/", u"CorvantisRefresh", u"kvc"),
         u"/p/save/CorvantisRefresh.kvc"},
        {Format(u"%d.%02d", 1, 5), u"1.05"},
        {Format(u"%.2f", 1.005), u"1.00"},
        {Format(u"%.1f", 2.25), u"2.2"},
        {Format(u"%dX, %dY", 800, 1600), u"800X, 1600Y"},
        {Format(u"%d%%", 50), u"50%"},
        {Format(u"%x", 255), u"ff"},
        {Format(u"%x", -1), u"ffffffff"},
        {Format(u"%s(%d)", std::u16string(u"Profile"), 2), u"Profile(2)"},
        {Format(u"%d.%d.%d.%d", 1, 2, 3, 4), u"1.2.3.4"},
        {Format(u"%-4s|%4s", u"ab", u"cd"), u"ab  |  cd"},
        {Format(u"%.3s", u"abcdef"), u"abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.want);
    }
}

TEST(Format, MissingOrMismatchedArgumentsPrintNothing) {
    EXPECT_EQ(Format(u"a%db"), u"ab");
    EXPECT_EQ(Format(u"%s", 5), u"");
    EXPECT_EQ(Format(u"%d", u"text"), u"");
    EXPECT_EQ(Format(u"tail%"), u"tail");
    EXPECT_EQ(Format(u"%s", static_cast<const char16_t*>(nullptr)), u"(null)");
}

TEST(Path, SplitsFolderNameAndExtension) {
    struct Case {
        std::u16string path, folder, name, ext;
    } cases[] = {
        {u"/home/u/save/Game.kvp", u"/home/u/save/", u"Game", u".kvp"},
        {u"C:\\dir\\file.tar.gz", u"C:\\dir\\", u"file.tar", u".gz"},
        {u"noext", u"", u"noext", u""},
        {u"/dir.d/noext", u"/dir.d/", u"noext", u""},
        {u"/dir/", u"/dir/", u"", u""},
    };
    for (const auto& c : cases) {
        const PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.folder, c.folder);
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.extension, c.ext);
    }
    EXPECT_EQ(FileNameOf(u"/a/b.exe"), u"b.exe");
}

TEST(Guid, TextAndWordFormsRoundTrip) {
    const auto g = plat::GuidFromString(u"{12345678-9ABC-DEF0-1122-334455667788}");
    ASSERT_TRUE(g);
    EXPECT_EQ(g->Data1, 0x12345678u);
    EXPECT_EQ(g->Data2, 0x9ABC);
    EXPECT_EQ(g->Data4[7], 0x88);
    EXPECT_EQ(plat::GuidToString(*g), u"{12345678-9ABC-DEF0-1122-334455667788}");
    uint32_t words[4];
    g->ToWords(words);
    EXPECT_EQ(plat::GUID::FromWords(words[0], words[1], words[2], words[3]), *g);
    EXPECT_EQ(plat::GuidFromString(u"12345678-9abc-def0-1122-334455667788"), g);
    for (const char16_t* bad :
         {u"", u"{12345678-9ABC-DEF0-1122-33445566778}", u"{12345678-9ABC-DEF0-1122x334455667788}",
          u"{1234567G-9ABC-DEF0-1122-334455667788}"}) {
        EXPECT_FALSE(plat::GuidFromString(bad)) << plat::Utf16ToUtf8(bad);
    }
    EXPECT_TRUE(plat::GUID{}.IsNull());
}
