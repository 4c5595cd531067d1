// The per-thread side of messaging: one ThreadContext per thread that uses this layer,
// holding its message queue (sent, posted, quit), its timers and its modal loops. Other
// threads reach a context through the handle table (a window's owner) or by thread id,
// and always under the context's mutex; the owner alone reads the queue and runs handlers.
#pragma once

#include "platform/core/messages.h"
#include "platform/core/parker.h"

#include <deque>
#include <memory>

namespace plat {
class CWinThread;
class MessageFilter;
class QueueHooks;
} // namespace plat

namespace plat::detail {

class ThreadContext;

// A message sent to another thread's window, waiting there to be handled. A notify send
// has no sender; otherwise the sender blocks until `done`.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    std::shared_ptr<ThreadContext> sender;
    // Guarded by the sender's mutex.
    bool done = false;
    bool delivered = false;
    LRESULT result = 0;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    Milliseconds period{0};
    TimePoint due{};
};

struct ModalFrame {
    HWND hwnd = nullptr;
    bool ended = false;
    int result = -1;
};

class ThreadContext {
public:
    explicit ThreadContext(DWORD threadId) : id(threadId) {}

    const DWORD id;

    // Guarded by `mutex`; waiters are the owner's parker while it waits.
    std::mutex mutex;
    WaiterList waiters;
    bool alive = true;
    bool woken = false; // something other than a message wants the owner to look again
    std::deque<std::shared_ptr<SentMessage>> sent;
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 0x7F00;
    std::vector<ModalFrame*> modalFrames;

    // Touched by the owner thread only.
    QueueHooks* hooks = nullptr;
    CWinThread* winThread = nullptr;
    MessageFilter* windowFilter = nullptr;

    // With `mutex` held: makes the owner re-examine its queue.
    void Wake() {
        woken = true;
        UnparkAll(waiters);
    }
};

// The calling thread's context, created on first use.
std::shared_ptr<ThreadContext> CurrentContext();

// A context for a thread about to be started, so its id and queue exist before it runs;
// the new thread calls AdoptContext first.
std::shared_ptr<ThreadContext> NewContext();
void AdoptContext(std::shared_ptr<ThreadContext> context);

// The living context of a thread id, or nullptr.
std::shared_ptr<ThreadContext> FindContext(DWORD threadId);

// Ends the calling thread's messaging: pending sends fail, the queue and timers are
// dropped, the thread's window handles become stale. Runs by itself when a thread exits.
void EndCurrentContext();

// Reports a sent message as handled (or not) and wakes its sender.
void CompleteSend(SentMessage& sent, bool delivered, LRESULT result);

} // namespace plat::detail
