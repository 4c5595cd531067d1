// The registry profile table: its content, and that stale profiles leave it.
#include "platform/os/registry.h"
#include "service/factory_state.h"
#include "service/registry_table.h"
#include "tests/platform/os/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class RegistryTableTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("KAVOX_REGISTRY", m_folder.Path().c_str(), 1); }

    std::optional<plat::RegistryKey> Profiles() const {
        return plat::RegistryKey::Open(
            plat::RegistryHive::LocalMachine,
            u"SOFTWARE\\KAVOX\\0.01\\{E41D7B30-6A5C-4C92-8B7F-0D3E9A25C6B1}\\PROFILES");
    }

    TempFolder m_folder;
    const ModelDescriptor& m_model = *FindModel(kProductLegacy);
};

TEST_F(RegistryTableTest, HoldsEveryProfileAndTheActiveOne) {
    MouseMemory memory = MakeFactoryMemory(m_model);
    memory.profiles[2].application = u"/usr/bin/editor";
    memory.profiles[2].flags = kProfileFlagApplicationLink;
    memory.activeProfile = memory.profiles[2].id;
    ASSERT_TRUE(WriteRegistryTable(m_model, memory));

    const auto table = Profiles();
    ASSERT_TRUE(table);
    EXPECT_EQ(table->ReadString(u"ActiveProfile"), plat::GuidToString(memory.profiles[2].id));
    EXPECT_EQ(table->SubKeys().size(), 3u);
    const auto office = table->OpenSubKey(plat::GuidToString(memory.profiles[2].id));
    ASSERT_TRUE(office);
    EXPECT_EQ(office->ReadString(u"Name"), u"Office");
    const std::vector<uint8_t> app = *office->ReadBinary(u"AppPath");
    ASSERT_EQ(app.size(), 4u + 2 * 16);
    EXPECT_EQ(app[0], 1);
    EXPECT_EQ(app[1], 0);
    EXPECT_EQ(app[4], '/');
    EXPECT_EQ(app[app.size() - 2] | app[app.size() - 1], 0) << "terminated";
    const auto model = plat::RegistryKey::Open(
        plat::RegistryHive::LocalMachine, u"SOFTWARE\\KAVOX\\0.01\\{E41D7B30-6A5C-4C92-8B7F-0D3E9A25C6B1}");
    EXPECT_EQ(model->ReadBinary(u"ProfileOsd"), std::vector<uint8_t>{0})
        << "the active profile hides its name";
}

TEST_F(RegistryTableTest, ForgetsProfilesTheMouseNoLongerHolds) {
    MouseMemory memory = MakeFactoryMemory(m_model);
    ASSERT_TRUE(WriteRegistryTable(m_model, memory));
    auto table = Profiles();
    table->CreateSubKey(u"not a guid");
    const plat::GUID gone = memory.profiles[1].id;
    memory.profiles.erase(memory.profiles.begin() + 1);
    ASSERT_TRUE(WriteRegistryTable(m_model, memory));
    EXPECT_EQ(table->SubKeys().size(), 2u);
    EXPECT_FALSE(table->OpenSubKey(plat::GuidToString(gone)));
}

} // namespace
