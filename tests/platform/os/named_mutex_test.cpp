#include "child_process.h"
#include "platform/os/named_mutex.h"
#include "platform/text/utf.h"
#include "runtime_folder.h"

#include <gtest/gtest.h>

using namespace plat;
using namespace std::chrono_literals;
using WaitResult = NamedMutex::WaitResult;

TEST(NamedMutex, FirstOpenerCreatesItAndLaterOpenersSeeItExists) {
    RuntimeFolder runtime;
    auto first = NamedMutex::Create(u"CorvantisSysTray");
    auto second = NamedMutex::Create(u"CorvantisSysTray");
    auto other = NamedMutex::Create(u"corvantissystray");
    ASSERT_TRUE(first && second && other);
    EXPECT_FALSE(first->AlreadyExisted());
    EXPECT_TRUE(second->AlreadyExisted());
    EXPECT_FALSE(other->AlreadyExisted()) << "names are case-sensitive";
    first.reset();
    second.reset();
    EXPECT_FALSE(NamedMutex::Create(u"CorvantisSysTray")->AlreadyExisted());
}

TEST(NamedMutex, OwnershipIsExclusiveWithATimedWait) {
    RuntimeFolder runtime;
    auto a = NamedMutex::Create(u"SINGLE_INSTANCE_APP_CORVANTIS");
    auto b = NamedMutex::Create(u"SINGLE_INSTANCE_APP_CORVANTIS");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Wait(0ms), WaitResult::Acquired);
    EXPECT_EQ(a->Wait(0ms), WaitResult::Acquired) << "the owner may wait again";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(b->Wait(60ms), WaitResult::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
    EXPECT_TRUE(a->Release());
    EXPECT_EQ(b->Wait(0ms), WaitResult::Acquired);
}

TEST(NamedMutex, AnotherProcessHoldsItUntilItEnds) {
    RuntimeFolder runtime;
    ChildProcess child([] {
        static auto held = NamedMutex::Create(u"CorvantisSysTray");
        held->Wait(0ms);
    });
    auto mine = NamedMutex::Create(u"CorvantisSysTray");
    ASSERT_TRUE(mine);
    EXPECT_TRUE(mine->AlreadyExisted());
    EXPECT_EQ(mine->Wait(50ms), WaitResult::TimedOut);
    child.End(); // ends without releasing
    EXPECT_EQ(mine->Wait(1s), WaitResult::Acquired);
}

TEST(NamedMutex, EveryNameStaysInsideTheRuntimeFolder) {
    RuntimeFolder runtime;
    const std::string folder = runtime.Path() + "/kavox/";
    for (const char16_t* name : {u"..", u"a/../../b", u"Local\\Name", u"Ünïcode name"}) {
        const std::string path = NamedMutex::LockFilePath(name);
        SCOPED_TRACE(path);
        ASSERT_TRUE(path.starts_with(folder));
        EXPECT_EQ(path.find('/', folder.size()), std::string::npos);
        EXPECT_TRUE(NamedMutex::Create(name));
    }
    EXPECT_NE(NamedMutex::LockFilePath(u"a/b"), NamedMutex::LockFilePath(u"a%2Fb"));
    EXPECT_FALSE(NamedMutex::Create(u""));
}
