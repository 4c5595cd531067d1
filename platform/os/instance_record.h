// How a second start of a program finds the running instance without a display: the running
// instance leaves a small record (process id, start time, window class, executable) in the
// user's runtime folder. A record whose process has ended, or whose id now belongs to
// another process, is stale and ignored.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

struct RunningInstance {
    int pid = 0;
    uint64_t startTime = 0;
    std::u16string windowClass;
    std::string executable;
};

class InstanceRecord {
public:
    // Records this process as the running instance of `windowClass` until destroyed.
    static std::unique_ptr<InstanceRecord> Publish(std::u16string_view windowClass);
    ~InstanceRecord();
    InstanceRecord(const InstanceRecord&) = delete;
    InstanceRecord& operator=(const InstanceRecord&) = delete;

    // The live instance of a window class, this process included. Classes compare ignoring case.
    static std::optional<RunningInstance> Find(std::u16string_view windowClass);

    static std::string RecordPath(std::u16string_view windowClass);
    static std::string Format(const RunningInstance& instance);
    // Nullopt for text that is not a whole record.
    static std::optional<RunningInstance> Parse(std::string_view text);

private:
    explicit InstanceRecord(RunningInstance self) : m_self(std::move(self)) {}
    RunningInstance m_self;
};

// Brings a found instance's window forward. A display backend installs one that finds the
// top-level window of the class and raises it; headless there is none.
void SetInstanceActivator(std::function<bool(const RunningInstance&)> activator);

// True when another process runs as the instance of `windowClass`; its window is raised
// when an activator is installed.
bool ActivateRunningInstance(std::u16string_view windowClass);

} // namespace plat
