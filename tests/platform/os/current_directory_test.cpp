#include "platform/os/current_directory.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using namespace plat;

TEST(CurrentDirectory, MovesOnlyToFoldersThatExist) {
    const std::u16string saved = GetCurrentDirectory();
    TempFolder dir;
    const std::u16string target = Utf8ToUtf16(dir.Path());
    ASSERT_TRUE(SetCurrentDirectory(target + u"/"));
    EXPECT_EQ(GetCurrentDirectory(), target);
    for (const std::u16string& bad : {std::u16string(), target + u"/missing"}) {
        EXPECT_FALSE(SetCurrentDirectory(bad));
        EXPECT_EQ(GetCurrentDirectory(), target);
    }
    ASSERT_TRUE(SetCurrentDirectory(saved));
}
