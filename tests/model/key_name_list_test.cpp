#include "model/key_name_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

TEST(KeyNameHash, KnownValues) {
    EXPECT_EQ(KeyNameHash(u""), 5381u);
    EXPECT_EQ(KeyNameHash(u"a"), 5381u * 33 + 'a');
    // Units above 0xFF count whole, and the sum wraps at 32 bits.
    EXPECT_EQ(KeyNameHash(u"\u00FF\u0100"), (5381u * 33 + 0xFF) * 33 + 0x100);
    uint32_t wrapped = 5381;
    for (char c : std::string("Keypad 9 PageUp")) {
        wrapped = wrapped * 33 + static_cast<unsigned char>(c);
    }
    EXPECT_EQ(KeyNameHash(u"Keypad 9 PageUp"), wrapped);
    EXPECT_EQ(kNumLockNameHash, KeyNameHash(u"Num Lock"));
}

TEST(KeyNameList, FixedOrderAndDistinctHashes) {
    auto names = KeyNameList();
    ASSERT_EQ(names.size(), 108u);
    EXPECT_EQ(names[0], u"a A");
    EXPECT_EQ(names[26], u"1 !");
    EXPECT_EQ(names[36], u"Return");
    EXPECT_EQ(names[45], u"\\ |");
    EXPECT_EQ(names[47], u"' \"");
    EXPECT_EQ(names[65], u"F23");
    EXPECT_EQ(names[80], u"Num Lock");
    EXPECT_EQ(names[107], u"Right GUI");
    std::set<uint32_t> hashes;
    for (auto name : names) {
        EXPECT_TRUE(hashes.insert(KeyNameHash(name)).second) << std::string(name.begin(), name.end());
    }
}

TEST(KeyNameList, ShortFormLeavesOutF23AndF24Only) {
    auto full = KeyNameList();
    auto shorter = KeyNameList106();
    ASSERT_EQ(shorter.size(), 106u);
    std::vector<std::u16string_view> expected(full.begin(), full.end());
    std::erase_if(expected, [](auto name) { return name == u"F23" || name == u"F24"; });
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), shorter.begin(), shorter.end()));
}
