#include "platform/os/instance_record.h"

#include "platform/os/file_util.h"
#include "platform/os/process_snapshot.h"
#include "platform/os/runtime_file_name.h"
#include "platform/os/user_folders.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <charconv>
#include <climits>
#include <mutex>
#include <unistd.h>

namespace plat {
namespace {

template <typename T> bool ParseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string OwnExecutable() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

bool IsAlive(const RunningInstance& instance) {
    const auto stat = ReadProcessStat(instance.pid);
    return stat && stat->startTime == instance.startTime;
}

struct Activator {
    std::mutex lock;
    std::function<bool(const RunningInstance&)> activate;
};

Activator& TheActivator() {
    static Activator activator;
    return activator;
}

} // namespace

std::string InstanceRecord::RecordPath(std::u16string_view windowClass) {
    std::u16string folded(windowClass);
    for (char16_t& unit : folded) {
        unit = ToLowerUnit(unit);
    }
    return Utf16ToUtf8(UserRuntimeFolder()) + EscapeForFileName(folded) + ".instance";
}

std::string InstanceRecord::Format(const RunningInstance& instance) {
    return "pid " + std::to_string(instance.pid) + "\nstart " + std::to_string(instance.startTime) +
           "\nclass " + Utf16ToUtf8(instance.windowClass) + "\nexe " + instance.executable + "\n";
}

std::optional<RunningInstance> InstanceRecord::Parse(std::string_view text) {
    RunningInstance instance;
    bool hasPid = false, hasStart = false, hasClass = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt; // cut short
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        const size_t space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string_view value =
            space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (key == "pid") {
            hasPid = ParseNumber(value, instance.pid) && instance.pid > 0;
        } else if (key == "start") {
            hasStart = ParseNumber(value, instance.startTime);
        } else if (key == "class") {
            instance.windowClass = Utf8ToUtf16(value);
            hasClass = !value.empty();
        } else if (key == "exe") {
            instance.executable = std::string(value);
        }
    }
    if (!hasPid || !hasStart || !hasClass) {
        return std::nullopt;
    }
    return instance;
}

std::unique_ptr<InstanceRecord> InstanceRecord::Publish(std::u16string_view windowClass) {
    const auto stat = ReadProcessStat(::getpid());
    if (windowClass.empty() || !stat) {
        return nullptr;
    }
    RunningInstance self{::getpid(), stat->startTime, std::u16string(windowClass), OwnExecutable()};
    if (!WriteFileAtomically(RecordPath(windowClass), Format(self))) {
        return nullptr;
    }
    return std::unique_ptr<InstanceRecord>(new InstanceRecord(std::move(self)));
}

InstanceRecord::~InstanceRecord() {
    // A later instance may have taken the record over; only our own is withdrawn.
    const std::string path = RecordPath(m_self.windowClass);
    std::string text;
    if (!ReadWholeFile(path, text)) {
        return;
    }
    const auto recorded = Parse(text);
    if (recorded && recorded->pid == m_self.pid && recorded->startTime == m_self.startTime) {
        ::unlink(path.c_str());
    }
}

std::optional<RunningInstance> InstanceRecord::Find(std::u16string_view windowClass) {
    std::string text;
    if (windowClass.empty() || !ReadWholeFile(RecordPath(windowClass), text)) {
        return std::nullopt;
    }
    auto instance = Parse(text);
    if (!instance || !EqualsNoCase(instance->windowClass, windowClass) || !IsAlive(*instance)) {
        return std::nullopt;
    }
    return instance;
}

void SetInstanceActivator(std::function<bool(const RunningInstance&)> activator) {
    std::lock_guard guard(TheActivator().lock);
    TheActivator().activate = std::move(activator);
}

bool ActivateRunningInstance(std::u16string_view windowClass) {
    const auto instance = InstanceRecord::Find(windowClass);
    if (!instance || instance->pid == ::getpid()) {
        return false;
    }
    std::function<bool(const RunningInstance&)> activate;
    {
        std::lock_guard guard(TheActivator().lock);
        activate = TheActivator().activate;
    }
    if (activate) {
        activate(*instance);
    }
    return true;
}

} // namespace plat
