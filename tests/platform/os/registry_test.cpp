#include "platform/os/file_util.h"
#include "platform/os/registry.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

using namespace plat;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("KAVOX_REGISTRY", (m_dir.Path() + "/registry").c_str(), 1);
        auto key = RegistryKey::Create(RegistryHive::LocalMachine, u"Software\\Kavox\\Corvantis");
        ASSERT_TRUE(key);
        m_key.emplace(*key);
    }

    RegistryKey& Key() { return *m_key; }
    std::vector<std::string> FilesOf(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_dir;
    std::optional<RegistryKey> m_key;
};

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<uint8_t> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<uint8_t>(v));
    }
    return bytes;
}

} // namespace

TEST_F(RegistryTest, KeysLiveUnderTheHiveFolderAndOpenIgnoringCase) {
    EXPECT_EQ(Key().Folder(), m_dir.Path() + "/registry/HKLM/Software/Kavox/Corvantis");
    const auto again = RegistryKey::Open(RegistryHive::LocalMachine, u"SOFTWARE/kavox\\CORVANTIS");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Folder(), Key().Folder());
    ASSERT_TRUE(RegistryKey::Create(RegistryHive::LocalMachine, u"software\\KAVOX\\corvantis\\Extra"));
    EXPECT_EQ(FilesOf(m_dir.Path() + "/registry/HKLM"), std::vector<std::string>{"Software"});
    EXPECT_FALSE(RegistryKey::Open(RegistryHive::LocalMachine, u"Software\\Missing"));
    EXPECT_FALSE(RegistryKey::Open(RegistryHive::CurrentUser, u"Software"));
}

TEST_F(RegistryTest, ValuesReadBackByTheirTypeAndAsBytes) {
    ASSERT_TRUE(Key().WriteString(u"Language", u"Deutsch ü"));
    ASSERT_TRUE(Key().WriteDword(u"Count", 0x01020304));
    ASSERT_TRUE(Key().WriteBinary(u"AppPath", Bytes({1, 0, 0xFF, 0})));

    EXPECT_EQ(Key().ReadString(u"language"), u"Deutsch ü");
    EXPECT_EQ(Key().ReadDword(u"COUNT"), 0x01020304u);
    EXPECT_EQ(Key().ReadBinary(u"AppPath"), Bytes({1, 0, 0xFF, 0}));
    // Bytes of any type are what a typeless reader sees: UTF-16LE text with its terminator,
    // a little-endian dword.
    EXPECT_EQ(Key().ReadBinary(u"Count"), Bytes({4, 3, 2, 1}));
    ASSERT_TRUE(Key().WriteString(u"Short", u"ab"));
    EXPECT_EQ(Key().ReadBinary(u"Short"), Bytes({'a', 0, 'b', 0, 0, 0}));
    // Typed readers refuse other types.
    EXPECT_FALSE(Key().ReadString(u"Count"));
    EXPECT_FALSE(Key().ReadDword(u"Language"));
    EXPECT_FALSE(Key().ReadString(u"Missing"));
}

TEST_F(RegistryTest, RewritingKeepsTheFirstSpellingAndReplacesTheType) {
    ASSERT_TRUE(Key().WriteString(u"ProfileOsd", u"1"));
    ASSERT_TRUE(Key().WriteDword(u"PROFILEOSD", 0));
    EXPECT_EQ(Key().ValueNames(), std::vector<std::u16string>{u"ProfileOsd"});
    EXPECT_EQ(Key().ReadDword(u"profileosd"), 0u);
    EXPECT_FALSE(Key().ReadString(u"ProfileOsd"));
    EXPECT_EQ(FilesOf(Key().Folder()), std::vector<std::string>{"ProfileOsd.dword"});
}

TEST_F(RegistryTest, DefaultValueIsTheAtFile) {
    ASSERT_TRUE(Key().WriteString(u"", u"default"));
    EXPECT_EQ(FilesOf(Key().Folder()), std::vector<std::string>{"@.sz"});
    EXPECT_EQ(Key().ReadString(u""), u"default");
    EXPECT_EQ(Key().ValueNames(), std::vector<std::u16string>{u""});
}

TEST_F(RegistryTest, EnumerationIsSortedIgnoringCaseAndSkipsForeignFiles) {
    for (const char16_t* name : {u"b", u"{E41D}", u"A", u"c"}) {
        ASSERT_TRUE(Key().CreateSubKey(name));
        ASSERT_TRUE(Key().WriteDword(name, 1));
    }
    for (const char* stray : {"x.sz.tmpAB12cd", "notes.txt", ".sz", "noextension"}) {
        ASSERT_TRUE(WriteFileAtomically(Key().Folder() + "/" + stray, "1"));
    }
    const std::vector<std::u16string> expected{u"A", u"b", u"c", u"{E41D}"};
    EXPECT_EQ(Key().SubKeys(), expected);
    EXPECT_EQ(Key().ValueNames(), expected);
}

TEST_F(RegistryTest, NamesThatCouldLeaveTheKeyAreRefused) {
    const std::u16string withNul(u"a\0b", 3);
    for (const std::u16string& name :
         {std::u16string(u".."), std::u16string(u"."), std::u16string(u"a\\..\\..\\x"),
          std::u16string(u"a\\\\b"), std::u16string(u"\\a"), withNul, std::u16string(u".kavox-deleted-1")}) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        EXPECT_FALSE(Key().CreateSubKey(name));
        EXPECT_FALSE(RegistryKey::Create(RegistryHive::LocalMachine, name));
    }
    for (const std::u16string& name :
         {std::u16string(u".."), std::u16string(u"."), std::u16string(u"a/b"), withNul}) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        EXPECT_FALSE(Key().WriteString(name, u"x"));
    }
    EXPECT_TRUE(FilesOf(Key().Folder()).empty());
    EXPECT_EQ(FilesOf(m_dir.Path()), std::vector<std::string>{"registry"});
    // A key name may be a single dot-leading or backslash-free name; value names may hold '\\'.
    EXPECT_TRUE(Key().CreateSubKey(u".hidden"));
    EXPECT_TRUE(Key().WriteString(u"a\\b", u"x"));
}

TEST_F(RegistryTest, SymbolicLinksAreNeitherKeysNorValues) {
    const std::string outside = m_dir.Path() + "/outside";
    ASSERT_TRUE(CreateFolders(outside));
    ASSERT_TRUE(WriteFileAtomically(outside + "/secret.sz", "x"));
    fs::create_directory_symlink(outside, Key().Folder() + "/Link");
    fs::create_symlink(outside + "/secret.sz", Key().Folder() + "/Secret.sz");
    EXPECT_FALSE(Key().OpenSubKey(u"Link"));
    EXPECT_FALSE(Key().ReadString(u"Secret"));
    EXPECT_TRUE(Key().SubKeys().empty());
}

TEST_F(RegistryTest, ReadStringWithLimitRefusesTextThatDoesNotFit) {
    ASSERT_TRUE(Key().WriteString(u"Language", std::u16string(39, u'x')));
    EXPECT_TRUE(Key().ReadString(u"Language", 80));
    ASSERT_TRUE(Key().WriteString(u"Language", std::u16string(40, u'x')));
    EXPECT_FALSE(Key().ReadString(u"Language", 80));
}

TEST_F(RegistryTest, DwordFilesWrittenByHandParseStrictly) {
    const struct {
        const char* text;
        std::optional<uint32_t> value;
    } cases[] = {
        {"12\n", 12u},
        {" 4294967295 ", 0xFFFFFFFFu},
        {"4294967296", std::nullopt},
        {"", std::nullopt},
        {"0x10", std::nullopt},
        {"-1", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(WriteFileAtomically(Key().Folder() + "/V.dword", c.text));
        EXPECT_EQ(Key().ReadDword(u"V"), c.value);
    }
}

TEST_F(RegistryTest, DeletingValuesAndSubtrees) {
    auto profile = Key().CreateSubKey(u"PROFILES\\{1}");
    ASSERT_TRUE(profile);
    ASSERT_TRUE(profile->WriteString(u"Name", u"Game"));
    ASSERT_TRUE(Key().WriteString(u"Language", u"German"));

    EXPECT_TRUE(Key().DeleteValue(u"LANGUAGE"));
    EXPECT_FALSE(Key().DeleteValue(u"Language"));
    EXPECT_FALSE(Key().DeleteSubKeyTree(u""));
    EXPECT_TRUE(Key().DeleteSubKeyTree(u"profiles"));
    EXPECT_FALSE(Key().OpenSubKey(u"PROFILES"));
    EXPECT_TRUE(FilesOf(Key().Folder()).empty());
    // A key deleted under a holder stays deleted: writing through it fails.
    EXPECT_FALSE(profile->WriteString(u"Name", u"Again"));
    EXPECT_FALSE(fs::exists(profile->Folder()));
}

TEST(RegistryRootFolder, ComesFromTheEnvironment) {
    const struct {
        const char* registry;
        const char* configHome;
        std::string expected;
    } cases[] = {
        {"/r/reg/", "/cfg", "/r/reg"},
        {nullptr, "/cfg", "/cfg/kavox/registry"},
        {"", "/cfg/", "/cfg/kavox/registry"},
    };
    for (const auto& c : cases) {
        c.registry ? ::setenv("KAVOX_REGISTRY", c.registry, 1) : ::unsetenv("KAVOX_REGISTRY");
        ::setenv("XDG_CONFIG_HOME", c.configHome, 1);
        EXPECT_EQ(RegistryRootFolder(), c.expected);
    }
}

// --- watching ---------------------------------------------------------------------------

namespace {

using Action = std::function<void(RegistryKey&)>;
using Filter = RegistryWatch::Filter;
using Result = RegistryWatch::Result;

} // namespace

TEST_F(RegistryTest, WatchReportsOnlyWhatItsFilterAsksFor) {
    const struct {
        const char* what;
        Filter filter;
        Action action;
        Result expected;
    } cases[] = {
        {"value at the key", Filter::Values, [](RegistryKey& k) { k.WriteString(u"A", u"1"); },
         Result::Changed},
        {"value deep below", Filter::Values,
         [](RegistryKey& k) { k.OpenSubKey(u"PROFILES\\{1}")->WriteDword(u"N", 2); }, Result::Changed},
        {"value, names watched", Filter::Names, [](RegistryKey& k) { k.WriteString(u"A", u"1"); },
         Result::TimedOut},
        {"value deleted", Filter::Values, [](RegistryKey& k) { k.DeleteValue(u"Old"); }, Result::Changed},
        {"empty sub-key, values watched", Filter::Values, [](RegistryKey& k) { k.CreateSubKey(u"New"); },
         Result::TimedOut},
        {"sub-key deep below", Filter::Names, [](RegistryKey& k) { k.CreateSubKey(u"PROFILES\\{2}"); },
         Result::Changed},
        {"sub-key deleted", Filter::Names, [](RegistryKey& k) { k.DeleteSubKeyTree(u"PROFILES"); },
         Result::Changed},
        {"sub-key deleted, values watched", Filter::Values,
         [](RegistryKey& k) { k.DeleteSubKeyTree(u"PROFILES"); }, Result::Changed},
        {"both", Filter::NamesAndValues, [](RegistryKey& k) { k.CreateSubKey(u"New"); }, Result::Changed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto model = Key().CreateSubKey(Utf8ToUtf16(c.what));
        ASSERT_TRUE(model);
        ASSERT_TRUE(model->CreateSubKey(u"PROFILES\\{1}"));
        ASSERT_TRUE(model->WriteString(u"Old", u"x"));
        auto watch = RegistryWatch::Start(*model, c.filter);
        ASSERT_TRUE(watch);
        c.action(*model);
        EXPECT_EQ(watch->Wait(c.expected == Result::Changed ? 5s : 100ms), c.expected);
    }
}

TEST_F(RegistryTest, WatchFollowsSubKeysCreatedAfterItStarted) {
    auto watch = RegistryWatch::Start(Key(), Filter::Values);
    ASSERT_TRUE(watch);
    auto created = Key().CreateSubKey(u"A\\B");
    ASSERT_TRUE(created);
    EXPECT_EQ(watch->Wait(100ms), Result::TimedOut);
    ASSERT_TRUE(created->WriteString(u"Name", u"x"));
    EXPECT_EQ(watch->Wait(5s), Result::Changed);
}

TEST_F(RegistryTest, ChangesBetweenWaitsAreKeptAndOneWriteWakesOnce) {
    auto watch = RegistryWatch::Start(Key(), Filter::NamesAndValues);
    ASSERT_TRUE(watch);
    ASSERT_TRUE(Key().WriteBinary(u"AppPath", Bytes({1, 2, 3})));
    EXPECT_EQ(watch->Wait(5s), Result::Changed);
    EXPECT_EQ(watch->Wait(100ms), Result::TimedOut);
}

TEST_F(RegistryTest, WatcherThreadWakesOnAWriteFromAnotherThread) {
    auto watch = RegistryWatch::Start(Key(), Filter::Values);
    ASSERT_TRUE(watch);
    auto result =
        std::async(std::launch::async, [&] { return watch->Wait(std::chrono::milliseconds::max()); });
    std::thread writer([key = Key()]() mutable {
        std::this_thread::sleep_for(50ms); // most likely the watcher is blocked by now
        key.CreateSubKey(u"PROFILES")->WriteString(u"ActiveProfile", u"{1}");
    });
    writer.join();
    ASSERT_EQ(result.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(result.get(), Result::Changed);
}

TEST_F(RegistryTest, WatchOfADeletedKeyFailsAndKeepsFailing) {
    auto model = Key().CreateSubKey(u"Model\\PROFILES");
    ASSERT_TRUE(model);
    auto watch = RegistryWatch::Start(*Key().OpenSubKey(u"Model"), Filter::Names);
    ASSERT_TRUE(watch);
    ASSERT_TRUE(Key().DeleteSubKeyTree(u"Model"));
    EXPECT_EQ(watch->Wait(5s), Result::Failed);
    EXPECT_EQ(watch->Wait(5s), Result::Failed);
    EXPECT_FALSE(RegistryWatch::Start(*model, Filter::Names));
}
