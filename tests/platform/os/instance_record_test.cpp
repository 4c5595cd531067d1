#include "child_process.h"
#include "platform/os/file_util.h"
#include "platform/os/instance_record.h"
#include "platform/os/process_snapshot.h"
#include "runtime_folder.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

constexpr std::u16string_view kClass = u"SINGLE_INSTANCE_APP_CORVANTIS";

uint64_t OwnStartTime() {
    return ReadProcessStat(::getpid())->startTime;
}

} // namespace

TEST(InstanceRecord, PublishedInstanceIsFoundUntilWithdrawn) {
    RuntimeFolder runtime;
    EXPECT_FALSE(InstanceRecord::Find(kClass));
    {
        auto record = InstanceRecord::Publish(kClass);
        ASSERT_TRUE(record);
        const auto found = InstanceRecord::Find(u"single_instance_app_corvantis");
        ASSERT_TRUE(found);
        EXPECT_EQ(found->pid, ::getpid());
        EXPECT_EQ(found->windowClass, kClass);
        EXPECT_TRUE(found->executable.ends_with("/test_platform_os"));
    }
    EXPECT_FALSE(InstanceRecord::Find(kClass));
}

TEST(InstanceRecord, StaleRecordsAreIgnored) {
    RuntimeFolder runtime;
    int endedPid = 0;
    {
        ChildProcess child([] {});
        endedPid = child.Pid();
    }
    const struct {
        const char* what;
        RunningInstance instance;
    } cases[] = {
        {"process ended", {endedPid, OwnStartTime(), std::u16string(kClass), ""}},
        {"pid reused by another process", {::getpid(), OwnStartTime() + 1, std::u16string(kClass), ""}},
        {"another class in the file", {::getpid(), OwnStartTime(), u"Other", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(
            WriteFileAtomically(InstanceRecord::RecordPath(kClass), InstanceRecord::Format(c.instance)));
        EXPECT_FALSE(InstanceRecord::Find(kClass));
    }
}

TEST(InstanceRecord, ParseAcceptsOnlyWholeRecords) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"pid 12\nstart 34\nclass C\nexe /a b/c\n", true},
        {"start 34\nclass C\n", false},
        {"pid 12\nstart 34\nclass C", false},
        {"pid 12x\nstart 34\nclass C\n", false},
        {"pid -3\nstart 34\nclass C\n", false},
        {"pid 12\nstart 34\nclass \n", false},
        {"pid 99999999999\nstart 34\nclass C\n", false},
        {"", false},
        {"\n\n\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(InstanceRecord::Parse(c.text).has_value(), c.valid);
    }
    EXPECT_EQ(InstanceRecord::Parse(cases[0].text)->executable, "/a b/c");
}

TEST(InstanceRecord, ASecondStartFindsTheFirstAndRaisesIt) {
    RuntimeFolder runtime;
    int raised = 0;
    SetInstanceActivator([&](const RunningInstance& instance) {
        raised = instance.pid;
        return true;
    });
    auto own = InstanceRecord::Publish(kClass);
    EXPECT_FALSE(ActivateRunningInstance(kClass)) << "a process is not another instance of itself";
    {
        ChildProcess first([] { static auto record = InstanceRecord::Publish(kClass); });
        EXPECT_TRUE(ActivateRunningInstance(kClass));
        EXPECT_EQ(raised, first.Pid());
    }
    EXPECT_FALSE(ActivateRunningInstance(kClass));
    SetInstanceActivator(nullptr);
}
