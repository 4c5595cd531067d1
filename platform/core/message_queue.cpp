// Posting, sending, retrieval and dispatch over the per-thread contexts.
#include "platform/core/message_queue.h"

#include "platform/core/handle_table.h"
#include "platform/core/thread_context.h"
#include "platform/core/timers.h"
#include "platform/core/win_thread.h"

#include <algorithm>

namespace plat {

namespace {

using detail::QueueFilter;
using detail::SentMessage;
using detail::ThreadContext;

bool Enqueue(ThreadContext& owner, const MSG& msg) {
    std::lock_guard lock(owner.mutex);
    if (!owner.alive) {
        return false;
    }
    owner.posted.push_back(msg);
    UnparkAll(owner.waiters);
    return true;
}

// Handles one message sent by another thread to a window of this one.
void Deliver(ThreadContext& self, SentMessage& sent) {
    const auto entry = HandleTable::Instance().Lookup(sent.hwnd);
    const bool ours = entry && entry->owner.get() == &self && entry->target;
    const LRESULT result = ours ? entry->target->WindowProc(sent.message, sent.wParam, sent.lParam) : 0;
    if (sent.sender) {
        detail::CompleteSend(sent, ours, result);
    }
}

void ServeSentMessages(ThreadContext& self) {
    for (;;) {
        std::shared_ptr<SentMessage> next;
        {
            std::lock_guard lock(self.mutex);
            if (self.sent.empty()) {
                return;
            }
            next = std::move(self.sent.front());
            self.sent.pop_front();
        }
        Deliver(self, *next);
    }
}

// With the mutex held: the first matching posted message, or the quit request.
bool TakePosted(ThreadContext& self, const QueueFilter& filter, bool remove, MSG& out) {
    const auto it = std::find_if(self.posted.begin(), self.posted.end(),
                                 [&](const MSG& m) { return filter.Matches(m.hwnd, m.message); });
    if (it != self.posted.end()) {
        out = *it;
        if (remove) {
            self.posted.erase(it);
        }
        return true;
    }
    if (self.quitPosted && !filter.hwnd && filter.Matches(nullptr, WM_QUIT)) {
        out = {nullptr, WM_QUIT, static_cast<WPARAM>(self.quitCode), 0, GetTickCount()};
        if (remove) {
            self.quitPosted = false;
        }
        return true;
    }
    return false;
}

bool Fetch(ThreadContext& self, const QueueFilter& filter, bool remove, MSG& out) {
    ServeSentMessages(self);
    if (self.hooks) {
        self.hooks->FetchEvents();
        ServeSentMessages(self);
    }
    {
        std::lock_guard lock(self.mutex);
        self.woken = false;
        if (TakePosted(self, filter, remove, out)) {
            return true;
        }
    }
    if (self.hooks && filter.Matches(filter.hwnd, WM_PAINT) && self.hooks->NextPaint(filter.hwnd, out)) {
        return true;
    }
    const TimePoint now = Now();
    std::lock_guard lock(self.mutex);
    return detail::TakeDueTimer(self, filter, now, remove, out);
}

// Blocks until the queue may hold something for `filter`: a sent message, a matching
// posted one, a quit request, a wake, or the next matching timer's due time.
void WaitForQueue(ThreadContext& self, const QueueFilter& filter) {
    std::unique_lock lock(self.mutex);
    const Deadline timer = detail::NextTimerDue(self, filter);
    detail::WaitUntil(lock, self.waiters, timer, [&] {
        return self.woken || !self.sent.empty() || (self.quitPosted && !filter.hwnd) ||
               std::any_of(self.posted.begin(), self.posted.end(),
                           [&](const MSG& m) { return filter.Matches(m.hwnd, m.message); });
    });
}

} // namespace

void SetQueueHooks(QueueHooks* hooks) {
    detail::CurrentContext()->hooks = hooks;
}

void SetWindowMessageFilter(MessageFilter* filter) {
    detail::CurrentContext()->windowFilter = filter;
}

DWORD GetCurrentThreadId() {
    return detail::CurrentContext()->id;
}

bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd) {
        return Enqueue(*detail::CurrentContext(), {nullptr, message, wParam, lParam, GetTickCount()});
    }
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    return entry && Enqueue(*entry->owner, {hwnd, message, wParam, lParam, GetTickCount()});
}

bool PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto owner = detail::FindContext(threadId);
    return owner && Enqueue(*owner, {nullptr, message, wParam, lParam, GetTickCount()});
}

void PostQuitMessage(int exitCode) {
    const auto self = detail::CurrentContext();
    std::lock_guard lock(self->mutex);
    self->quitPosted = true;
    self->quitCode = exitCode;
}

bool TrySendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry) {
        return false;
    }
    const auto self = detail::CurrentContext();
    if (entry->owner == self) {
        const LRESULT r = entry->target ? entry->target->WindowProc(message, wParam, lParam) : 0;
        if (result) {
            *result = r;
        }
        return true;
    }
    auto sent = std::make_shared<SentMessage>();
    *sent = {hwnd, message, wParam, lParam, self};
    {
        std::lock_guard lock(entry->owner->mutex);
        if (!entry->owner->alive) {
            return false;
        }
        entry->owner->sent.push_back(sent);
        UnparkAll(entry->owner->waiters);
    }
    for (;;) {
        ServeSentMessages(*self);
        std::unique_lock lock(self->mutex);
        detail::WaitUntil(lock, self->waiters, std::nullopt,
                          [&] { return sent->done || !self->sent.empty(); });
        if (sent->done) {
            if (sent->delivered && result) {
                *result = sent->result;
            }
            return sent->delivered;
        }
    }
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    return TrySendMessage(hwnd, message, wParam, lParam, &result) ? result : 0;
}

bool SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry) {
        return false;
    }
    if (entry->owner == detail::CurrentContext()) {
        if (entry->target) {
            entry->target->WindowProc(message, wParam, lParam);
        }
        return true;
    }
    auto sent = std::make_shared<SentMessage>();
    *sent = {hwnd, message, wParam, lParam, nullptr};
    std::lock_guard lock(entry->owner->mutex);
    if (!entry->owner->alive) {
        return false;
    }
    entry->owner->sent.push_back(std::move(sent));
    UnparkAll(entry->owner->waiters);
    return true;
}

bool GetMessage(MSG* msg, HWND filter, UINT min, UINT max) {
    const auto self = detail::CurrentContext();
    const QueueFilter f{filter, min, max};
    while (!Fetch(*self, f, true, *msg)) {
        WaitForQueue(*self, f);
    }
    return msg->message != WM_QUIT;
}

bool PeekMessage(MSG* msg, HWND filter, UINT min, UINT max, UINT removeFlags) {
    return Fetch(*detail::CurrentContext(), {filter, min, max}, (removeFlags & PM_REMOVE) != 0, *msg);
}

void WaitMessage() {
    WaitForQueue(*detail::CurrentContext(), {});
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg->hwnd) {
        return 0;
    }
    MessageTarget* target = GetWindowTarget(msg->hwnd);
    return target ? target->WindowProc(msg->message, msg->wParam, msg->lParam) : 0;
}

bool PreTranslateWindowMessage(MSG& msg) {
    MessageFilter* filter = detail::CurrentContext()->windowFilter;
    return filter && filter->PreTranslateMessage(msg);
}

void PumpMessage(MSG& msg) {
    CWinThread* thread = detail::CurrentContext()->winThread;
    const bool consumed = thread ? thread->PreTranslateMessage(msg) : PreTranslateWindowMessage(msg);
    if (!consumed) {
        DispatchMessage(&msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        PumpMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

bool WakeThread(DWORD threadId) {
    const auto owner = detail::FindContext(threadId);
    if (!owner) {
        return false;
    }
    std::lock_guard lock(owner->mutex);
    owner->Wake();
    return true;
}

} // namespace plat
