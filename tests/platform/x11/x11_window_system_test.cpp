// The display as a whole: which window system a process gets, and the clipboard passed
// between two threads, each on a connection of its own.
#include "tests/platform/x11/x11_test_support.h"

#include <atomic>
#include <cstdlib>
#include <optional>
#include <thread>

namespace plat::testing {
namespace {

class X11WindowSystemTest : public X11Fixture {};

TEST_F(X11WindowSystemTest, X11OnlyWhenTheDisplayOpensAndHeadlessIsNotAsked) {
    struct Case {
        const char* platform; // KAVOX_PLATFORM, null: unset
        std::optional<std::string> display;
        const char* expected;
    };
    const char* original = std::getenv("KAVOX_PLATFORM");
    const std::optional<std::string> kept = original ? std::optional<std::string>(original) : std::nullopt;
    const Case cases[] = {
        {nullptr, DisplayName(), "x11"},     {"headless", DisplayName(), "headless"},
        {"x11", DisplayName(), "x11"},       {nullptr, ":4711", "headless"},
        {nullptr, std::nullopt, "headless"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.platform ? c.platform : "(unset)") + " " + c.display.value_or("(unset)"));
        if (c.platform)
            setenv("KAVOX_PLATFORM", c.platform, 1);
        else
            unsetenv("KAVOX_PLATFORM");
        if (c.display)
            setenv("DISPLAY", c.display->c_str(), 1);
        else
            unsetenv("DISPLAY");
        InstallWindowSystem(nullptr);
        EXPECT_EQ(CurrentWindowSystem().Name(), c.expected);
        InstallWindowSystem(nullptr);
    }
    if (kept)
        setenv("KAVOX_PLATFORM", kept->c_str(), 1);
    else
        unsetenv("KAVOX_PLATFORM");
}

TEST_F(X11WindowSystemTest, ClipboardTextReachesAnotherConnection) {
    EventCollector events(System());
    const std::u16string text = u"Gr\u00fc\u00dfe \u2014 Kavox";
    System().SetClipboardText(text);
    EXPECT_EQ(System().ClipboardText(), text) << "the owner reads its own text";

    // Another thread asks over its own connection; this thread's loop serves it.
    const DWORD self = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::u16string received;
    std::thread reader([&] {
        received = System().ClipboardText();
        done = true;
        PostThreadMessage(self, WM_NULL, 0, 0);
    });
    EXPECT_TRUE(events.WaitFor([&](const auto&) { return done.load(); }));
    reader.join();
    EXPECT_EQ(received, text);
}

} // namespace
} // namespace plat::testing
