// Creation, lookup and end of the per-thread contexts.
#include "platform/core/thread_context.h"

#include "platform/core/handle_table.h"

#include <atomic>
#include <unordered_map>

namespace plat::detail {

namespace {

std::atomic<DWORD> g_nextThreadId{1};

struct Registry {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<ThreadContext>> contexts;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry; // outlives every thread's exit
    return *registry;
}

std::shared_ptr<ThreadContext> MakeContext() {
    auto context = std::make_shared<ThreadContext>(g_nextThreadId.fetch_add(1));
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.contexts[context->id] = context;
    return context;
}

void End(ThreadContext& context) {
    std::deque<std::shared_ptr<SentMessage>> orphans;
    {
        std::lock_guard lock(context.mutex);
        if (!context.alive) {
            return;
        }
        context.alive = false;
        orphans.swap(context.sent);
        context.posted.clear();
        context.timers.clear();
        context.quitPosted = false;
    }
    for (const auto& sent : orphans) {
        if (sent->sender) {
            CompleteSend(*sent, false, 0);
        }
    }
    HandleTable::Instance().ReleaseThread(context);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.contexts.erase(context.id);
}

struct Holder {
    std::shared_ptr<ThreadContext> context;
    ~Holder() {
        if (context) {
            End(*context);
        }
    }
};

thread_local Holder t_holder;

} // namespace

std::shared_ptr<ThreadContext> CurrentContext() {
    if (!t_holder.context) {
        t_holder.context = MakeContext();
    }
    return t_holder.context;
}

std::shared_ptr<ThreadContext> NewContext() {
    return MakeContext();
}

void AdoptContext(std::shared_ptr<ThreadContext> context) {
    t_holder.context = std::move(context);
}

std::shared_ptr<ThreadContext> FindContext(DWORD threadId) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const auto it = registry.contexts.find(threadId);
    return it == registry.contexts.end() ? nullptr : it->second.lock();
}

void EndCurrentContext() {
    if (t_holder.context) {
        End(*t_holder.context);
    }
}

void CompleteSend(SentMessage& sent, bool delivered, LRESULT result) {
    ThreadContext& sender = *sent.sender;
    std::lock_guard lock(sender.mutex);
    sent.done = true;
    sent.delivered = delivered;
    sent.result = result;
    UnparkAll(sender.waiters);
}

} // namespace plat::detail
