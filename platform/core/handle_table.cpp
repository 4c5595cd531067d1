// The process-wide handle table.
#include "platform/core/handle_table.h"

#include "platform/core/thread_context.h"

namespace plat {

namespace {

// A handle is (generation << 32) | (index + 1): never null, and never equal to a handle
// of the same slot from an earlier life.
HWND Encode(std::size_t index, std::uint32_t generation) {
    const std::uint64_t value = (std::uint64_t{generation} << 32) | (std::uint64_t{index} + 1);
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

// Nothing queued for a destroyed window can be handled any more; dropping it keeps loops
// and filters from ever seeing the dead handle.
void DropQueuedFor(detail::ThreadContext& owner, HWND hwnd) {
    std::lock_guard lock(owner.mutex);
    std::erase_if(owner.timers, [&](const detail::Timer& t) { return t.hwnd == hwnd; });
    std::erase_if(owner.posted, [&](const MSG& m) { return m.hwnd == hwnd; });
}

} // namespace

HandleTable& HandleTable::Instance() {
    static HandleTable* table = new HandleTable; // outlives every thread's exit
    return *table;
}

HandleTable::Slot* HandleTable::Find(HWND hwnd) {
    const auto value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hwnd));
    const std::uint64_t low = value & 0xFFFFFFFFu;
    if (low == 0 || low > m_slots.size()) {
        return nullptr;
    }
    Slot& slot = m_slots[low - 1];
    if (!slot.used || slot.generation != static_cast<std::uint32_t>(value >> 32)) {
        return nullptr;
    }
    return &slot;
}

void HandleTable::Free(std::size_t index) {
    Slot& slot = m_slots[index];
    slot.used = false;
    slot.entry = {};
    if (++slot.generation == 0) {
        slot.generation = 1;
    }
    m_free.push_back(index);
}

HWND HandleTable::Create(MessageTarget* target, std::shared_ptr<detail::ThreadContext> owner) {
    std::lock_guard lock(m_mutex);
    std::size_t index = 0;
    if (m_free.empty()) {
        index = m_slots.size();
        m_slots.emplace_back();
    } else {
        index = m_free.back();
        m_free.pop_back();
    }
    Slot& slot = m_slots[index];
    slot.used = true;
    slot.entry = {target, std::move(owner)};
    return Encode(index, slot.generation);
}

bool HandleTable::Destroy(HWND hwnd, const detail::ThreadContext& caller) {
    std::shared_ptr<detail::ThreadContext> owner;
    {
        std::lock_guard lock(m_mutex);
        Slot* slot = Find(hwnd);
        if (!slot || slot->entry.owner.get() != &caller) {
            return false;
        }
        owner = slot->entry.owner;
        Free(static_cast<std::size_t>(slot - m_slots.data()));
    }
    DropQueuedFor(*owner, hwnd);
    return true;
}

std::optional<HandleTable::Entry> HandleTable::Lookup(HWND hwnd) {
    std::lock_guard lock(m_mutex);
    if (Slot* slot = Find(hwnd)) {
        return slot->entry;
    }
    return std::nullopt;
}

bool HandleTable::Retarget(HWND hwnd, const detail::ThreadContext& caller, MessageTarget* target) {
    std::lock_guard lock(m_mutex);
    Slot* slot = Find(hwnd);
    if (!slot || slot->entry.owner.get() != &caller) {
        return false;
    }
    slot->entry.target = target;
    return true;
}

void HandleTable::ReleaseThread(const detail::ThreadContext& owner) {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].used && m_slots[i].entry.owner.get() == &owner) {
            Free(i);
        }
    }
}

HWND CreateWindowHandle(MessageTarget* target) {
    return HandleTable::Instance().Create(target, detail::CurrentContext());
}

bool DestroyWindowHandle(HWND hwnd) {
    return HandleTable::Instance().Destroy(hwnd, *detail::CurrentContext());
}

bool IsWindow(HWND hwnd) {
    return HandleTable::Instance().Lookup(hwnd).has_value();
}

DWORD GetWindowThreadId(HWND hwnd) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    return entry ? entry->owner->id : 0;
}

MessageTarget* GetWindowTarget(HWND hwnd) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry || entry->owner != detail::CurrentContext()) {
        return nullptr;
    }
    return entry->target;
}

bool SetWindowTarget(HWND hwnd, MessageTarget* target) {
    return HandleTable::Instance().Retarget(hwnd, *detail::CurrentContext(), target);
}

} // namespace plat
