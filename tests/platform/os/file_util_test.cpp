#include "platform/os/file_util.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace plat;

TEST(FindFiles, MatchesPatternIgnoringCaseInNameOrder) {
    TempFolder dir;
    for (const char* name : {"b.kvp", "A.KVP", "c.kvm", "d.kvp.bak", "e.kvp"}) {
        ASSERT_TRUE(WriteFileAtomically(dir.Path() + "/" + name, "x"));
    }
    ASSERT_TRUE(CreateFolders(dir.Path() + "/folder.kvp"));
    const auto names = FindFiles(Utf8ToUtf16(dir.Path() + "/*.kvp"));
    EXPECT_EQ(names, (std::vector<std::u16string>{u"A.KVP", u"b.kvp", u"e.kvp"}));
    EXPECT_EQ(FindFiles(Utf8ToUtf16(dir.Path() + "/?.kvm")), std::vector<std::u16string>{u"c.kvm"});
    EXPECT_TRUE(FindFiles(Utf8ToUtf16(dir.Path() + "/missing/*.kvp")).empty());
}

TEST(WriteFileAtomically, ReplacesWholeFileAndLeavesNoTemporaries) {
    TempFolder dir;
    const std::string path = dir.Path() + "/sub/f.txt";
    ASSERT_TRUE(WriteFileAtomically(path, "first, longer"));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(FindFiles(Utf8ToUtf16(dir.Path() + "/sub/*")).size(), 1u);
    EXPECT_TRUE(DeleteFileAt(Utf8ToUtf16(path)));
    EXPECT_FALSE(ReadWholeFile(path, bytes));
}
