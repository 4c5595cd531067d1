// Window handles: opaque ids resolved through one process-wide table. A handle carries a
// slot index and that slot's generation, so a destroyed handle, or a value that was never
// a handle, is recognised and refused instead of reaching a freed window.
#pragma once

#include "platform/core/message_target.h"

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plat {

namespace detail {
class ThreadContext;
}

// Creates a handle for `target`, owned by the calling thread: its messages are handled on
// this thread, and the handle becomes stale when the thread ends.
HWND CreateWindowHandle(MessageTarget* target);

// Makes the handle stale and drops its timers and the messages posted to it. Only the
// owning thread may destroy it;
// false otherwise or when the handle is already stale.
bool DestroyWindowHandle(HWND hwnd);

bool IsWindow(HWND hwnd);

// The owning thread's id; 0 for a stale handle.
DWORD GetWindowThreadId(HWND hwnd);

// The target behind a handle, for the owning thread only (nullptr for any other thread,
// since the target may be destroyed there at any time).
MessageTarget* GetWindowTarget(HWND hwnd);

// Points a handle at another target (a window object taking over a handle); owner only.
bool SetWindowTarget(HWND hwnd, MessageTarget* target);

class HandleTable {
public:
    struct Entry {
        MessageTarget* target = nullptr;
        std::shared_ptr<detail::ThreadContext> owner;
    };

    static HandleTable& Instance();

    HWND Create(MessageTarget* target, std::shared_ptr<detail::ThreadContext> owner);
    bool Destroy(HWND hwnd, const detail::ThreadContext& caller);
    std::optional<Entry> Lookup(HWND hwnd);
    bool Retarget(HWND hwnd, const detail::ThreadContext& caller, MessageTarget* target);
    // Stales every handle of a thread that ends.
    void ReleaseThread(const detail::ThreadContext& owner);

private:
    struct Slot {
        std::uint32_t generation = 1;
        bool used = false;
        Entry entry;
    };
    Slot* Find(HWND hwnd); // with m_mutex held
    void Free(std::size_t index);

    std::mutex m_mutex;
    std::vector<Slot> m_slots;
    std::vector<std::size_t> m_free;
};

} // namespace plat
