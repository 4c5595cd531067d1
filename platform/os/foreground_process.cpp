#include "platform/os/foreground_process.h"

#include <atomic>
#include <mutex>

namespace plat {
namespace {

std::atomic<int> g_headlessPid{0};

struct Source {
    std::mutex lock;
    std::function<int()> query;
};

Source& TheSource() {
    static Source source;
    return source;
}

} // namespace

int ProcessIdOfForegroundWindow() {
    Source& source = TheSource();
    std::function<int()> query;
    {
        std::lock_guard guard(source.lock);
        query = source.query;
    }
    return query ? query() : g_headlessPid.load();
}

void SetForegroundProcessSource(std::function<int()> source) {
    std::lock_guard guard(TheSource().lock);
    TheSource().query = std::move(source);
}

void SetHeadlessForegroundProcess(int pid) {
    g_headlessPid = pid;
}

} // namespace plat
