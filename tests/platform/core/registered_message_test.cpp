#include "platform/core/registered_message.h"
#include "platform/text/format.h"

#include <gtest/gtest.h>

#include <future>
#include <sys/wait.h>
#include <unistd.h>

using namespace plat;

TEST(RegisterWindowMessage, SameNumberForTheSameNameIgnoringCase) {
    const uint32_t taskbar = RegisterWindowMessage(u"TaskbarCreated");
    EXPECT_GE(taskbar, WM_REGISTERED_FIRST);
    EXPECT_LE(taskbar, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessage(u"TASKBARCREATED"), taskbar);
    EXPECT_NE(RegisterWindowMessage(u"TaskbarCreated2"), taskbar);
    EXPECT_EQ(RegisterWindowMessage(u""), 0u);
}

TEST(RegisterWindowMessage, ThreadsRacingForOneNameAgree) {
    auto a = std::async(std::launch::async, [] { return RegisterWindowMessage(u"RaceName"); });
    auto b = std::async(std::launch::async, [] { return RegisterWindowMessage(u"racename"); });
    EXPECT_EQ(a.get(), b.get());
}

TEST(RegisterWindowMessage, GivesZeroOnceEveryNumberIsTaken) {
    // In a child, so the full table does not outlive the test.
    const pid_t child = ::fork();
    if (child == 0) {
        const uint32_t fifth = RegisterWindowMessage(u"name5");
        uint32_t last = 0;
        for (int i = 0; i < 0x4000; ++i) {
            const uint32_t number = RegisterWindowMessage(Format(u"name%d", i));
            last = number ? number : last;
        }
        const bool ok = last == 0xFFFFu && RegisterWindowMessage(u"one too many") == 0 &&
                        RegisterWindowMessage(u"NAME5") == fifth;
        ::_exit(ok ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
