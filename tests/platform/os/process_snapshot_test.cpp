#include "platform/os/foreground_process.h"
#include "platform/os/process_snapshot.h"
#include "platform/text/utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace plat;

TEST(ProcessSnapshot, ListsRunningExecutablesWithTheirParents) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // The child shows the new executable once it has run exec.
    std::vector<ProcessEntry> snapshot;
    for (int attempt = 0; attempt < 200; ++attempt) {
        snapshot = CreateProcessSnapshot();
        const auto it =
            std::find_if(snapshot.begin(), snapshot.end(), [&](auto& p) { return p.pid == child; });
        if (it != snapshot.end() && it->exeFile == u"sleep") {
            break;
        }
        ::usleep(10'000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const auto find = [&](int pid) {
        return std::find_if(snapshot.begin(), snapshot.end(), [&](auto& p) { return p.pid == pid; });
    };
    ASSERT_NE(find(child), snapshot.end());
    EXPECT_EQ(find(child)->exeFile, u"sleep");
    EXPECT_EQ(find(child)->parentPid, ::getpid());
    ASSERT_NE(find(::getpid()), snapshot.end());
    EXPECT_EQ(find(::getpid())->exeFile, u"test_platform_os");
    EXPECT_EQ(find(::getpid())->parentPid, ::getppid());
}

TEST(ProcessSnapshot, ExecutableNameOfOneProcess) {
    EXPECT_EQ(ExecutableNameOfProcess(::getpid()), u"test_platform_os");
    for (int pid : {0, -1, 0x7FFFFFF0}) {
        EXPECT_FALSE(ExecutableNameOfProcess(pid)) << pid;
    }
}

TEST(ProcessSnapshot, StatLinesParseEvenWithOddNames) {
    const std::string tail = " S 42 1 1 0 -1 4194560 100 0 0 0 0 0 0 0 20 0 1 0 987654 1000 10\n";
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {"7 (sleep)" + tail, true},
        {"7 (a) S 1 (b))" + tail, true},
        {"7 (sp ace)" + tail, true},
        {"7 (sleep) S 42 1 1", false},
        {"7 sleep" + tail, false},
        {"7 (sleep) S x 1 1 0 -1 4194560 100 0 0 0 0 0 0 0 20 0 1 0 987654 1000\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto stat = ParseProcessStat(c.text);
        ASSERT_EQ(stat.has_value(), c.valid);
        if (stat) {
            EXPECT_EQ(stat->parentPid, 42);
            EXPECT_EQ(stat->startTime, 987654u);
        }
    }
}

TEST(ForegroundProcess, HeadlessValueUntilADisplaySourceIsInstalled) {
    SetHeadlessForegroundProcess(0);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 0);
    SetHeadlessForegroundProcess(1234);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 1234);
    SetForegroundProcessSource([] { return 77; });
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 77);
    SetForegroundProcessSource(nullptr);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 1234);
    SetHeadlessForegroundProcess(0);
}
