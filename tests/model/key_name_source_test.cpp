#include "model/key_name_source.h"

#include <gtest/gtest.h>

namespace {

class FixedNames final : public IKeyNameSource {
public:
    std::u16string KeyName(uint16_t, uint16_t, bool) const override { return u"fixed"; }
};

} // namespace

TEST(KeyNameSource, FallsBackUntilASourceIsInstalled) {
    EXPECT_EQ(GetKeyNameSource().KeyName(0x41, 0x1E, false), u"A");
    EXPECT_EQ(GetKeyNameSource().KeyName(0, 0, false), u"");
    FixedNames fixed;
    SetKeyNameSource(&fixed);
    EXPECT_EQ(GetKeyNameSource().KeyName(0x41, 0x1E, false), u"fixed");
    SetKeyNameSource(nullptr);
    EXPECT_EQ(GetKeyNameSource().KeyName(0x41, 0x1E, false), u"A");
}
