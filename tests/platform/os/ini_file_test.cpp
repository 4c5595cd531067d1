#include "platform/os/file_util.h"
#include "platform/os/ini_file.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::u16string File() const { return Utf8ToUtf16(m_dir.Path() + "/save/settings.kvc"); }
    std::u16string Read(std::u16string_view section, std::u16string_view key, size_t max = 4096) const {
        return GetPrivateProfileString(section, key, u"dflt", max, File());
    }
    std::string Raw() const {
        std::string bytes;
        ReadWholeFile(Utf16ToUtf8(File()), bytes);
        return bytes;
    }
    TempFolder m_dir;
};

} // namespace

TEST_F(IniFileTest, MissingFileGivesTheDefault) {
    EXPECT_EQ(Read(u"SETTINGS", u"ActiveProfileName"), u"dflt");
}

TEST_F(IniFileTest, WriteCreatesFolderAndReadsBackIgnoringCase) {
    ASSERT_TRUE(WritePrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"Spiel ü", File()));
    EXPECT_EQ(Read(u"settings", u"activeprofilename"), u"Spiel ü");
    EXPECT_EQ(Read(u"SETTINGS", u"Other"), u"dflt");
    EXPECT_EQ(Read(u"OTHER", u"ActiveProfileName"), u"dflt");
}

TEST_F(IniFileTest, RewritingKeepsOtherLinesAndSections) {
    ASSERT_TRUE(WriteFileAtomically(
        Utf16ToUtf8(File()), "; note\n[A]\nx=1\n\n[SETTINGS]\nActiveProfileName=old\ny = 2\n[B]\nz=3\n"));
    ASSERT_TRUE(WritePrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"new", File()));
    ASSERT_TRUE(WritePrivateProfileString(u"B", u"w", u"4", File()));
    EXPECT_EQ(Raw(), "; note\n[A]\nx=1\n\n[SETTINGS]\nActiveProfileName=new\ny = 2\n[B]\nz=3\nw=4\n");
    EXPECT_EQ(Read(u"SETTINGS", u"y"), u"2");
}

TEST_F(IniFileTest, ResultIsCutToTheBuffer) {
    ASSERT_TRUE(WritePrivateProfileString(u"S", u"k", u"abcdef", File()));
    EXPECT_EQ(Read(u"S", u"k", 4), u"abc");
    EXPECT_EQ(Read(u"S", u"k", 0), u"");
}

TEST_F(IniFileTest, RefusesValuesThatWouldBreakTheFile) {
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"k", u"two\nlines", File()));
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"a=b", u"v", File()));
    EXPECT_EQ(Read(u"S", u"k"), u"dflt");
}
