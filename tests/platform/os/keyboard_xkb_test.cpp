#include "platform/os/virtual_keys.h"
#include "platform/os/xkb_keyboard_layout.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace plat;

namespace {

class EnvironmentScope {
public:
    EnvironmentScope(const char* name, const char* value) : m_name(name) {
        const char* old = std::getenv(name);
        m_had = old != nullptr;
        m_old = old ? old : "";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvironmentScope() { m_had ? setenv(m_name, m_old.c_str(), 1) : unsetenv(m_name); }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace

TEST(KeyboardXkb, GermanLayoutSwapsLettersAndShowsDeadKeys) {
    auto layout = KeyboardLayoutFromNames({"evdev", "pc105", "de", "", ""});
    if (!layout) { // xkbcommon reads the system's keyboard data
        GTEST_SKIP() << "no xkb keyboard data";
    }
    EXPECT_EQ(layout->Character(21, ShiftState::None), U'z');
    EXPECT_EQ(layout->Character(44, ShiftState::None), U'y');
    EXPECT_EQ(layout->Character(16, ShiftState::AltGr), U'@');
    EXPECT_EQ(layout->Character(41, ShiftState::None), U'^'); // dead circumflex
    EXPECT_EQ(layout->VirtualKeyOf(*KeyCodeFromEvdev(21)), 'Z');
    auto at = layout->KeyStrokeFor(U'@');
    ASSERT_TRUE(at);
    EXPECT_EQ(at->virtualKey, 'Q');
    EXPECT_TRUE(at->ctrl && at->alt);
}

TEST(KeyboardXkb, UnknownLayoutGivesNothing) {
    EXPECT_EQ(KeyboardLayoutFromNames({"evdev", "pc105", "no-such-layout-xyz", "", ""}), nullptr);
    EXPECT_EQ(KeyboardLayoutFromXkbKeymap(nullptr, "none"), nullptr);
}

TEST(KeyboardXkb, SystemNamesComeFromTheEnvironmentOrTheSettingsFile) {
    TempFolder dir;
    const std::string settings = dir.Path() + "/keyboard";
    std::ofstream(settings)
        << "# keyboard\nXKBMODEL=\"pc105\"\nXKBLAYOUT=\"fr\"\nXKBVARIANT='oss'\nXKBOPTIONS=\"\"\n";
    {
        EnvironmentScope noLayout("XKB_DEFAULT_LAYOUT", nullptr);
        XkbLayoutNames names = SystemXkbLayoutNames(settings);
        EXPECT_EQ(names.model, "pc105");
        EXPECT_EQ(names.layout, "fr");
        EXPECT_EQ(names.variant, "oss");
        EXPECT_EQ(names.options, "");
        EXPECT_EQ(SystemXkbLayoutNames(dir.Path() + "/missing").layout, "");
    }
    EnvironmentScope layout("XKB_DEFAULT_LAYOUT", "se");
    EXPECT_EQ(SystemXkbLayoutNames(settings).layout, "se");
}

TEST(KeyboardXkb, HeadlessRunsKeepTheUsDefault) {
    EnvironmentScope headless("KAVOX_PLATFORM", "headless");
    EnvironmentScope layout("XKB_DEFAULT_LAYOUT", "de");
    EXPECT_EQ(LoadSystemKeyboardLayout(), nullptr);
}
