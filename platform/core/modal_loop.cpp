// Nested modal loops, one frame per loop on the owning thread's context.
#include "platform/core/modal_loop.h"

#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/core/thread_context.h"

#include <algorithm>

namespace plat {

namespace {

detail::ModalFrame* InnermostRunning(detail::ThreadContext& owner, HWND hwnd) {
    const auto it = std::find_if(owner.modalFrames.rbegin(), owner.modalFrames.rend(),
                                 [&](const detail::ModalFrame* f) { return f->hwnd == hwnd && !f->ended; });
    return it == owner.modalFrames.rend() ? nullptr : *it;
}

} // namespace

int RunModalLoop(HWND hwnd) {
    const auto self = detail::CurrentContext();
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry || entry->owner != self) {
        return -1;
    }
    detail::ModalFrame frame{hwnd};
    {
        std::lock_guard lock(self->mutex);
        self->modalFrames.push_back(&frame);
    }
    auto ended = [&] {
        std::lock_guard lock(self->mutex);
        return frame.ended;
    };
    MSG msg;
    while (!ended()) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        PumpMessage(msg);
        if (!IsWindow(hwnd)) {
            break;
        }
    }
    std::lock_guard lock(self->mutex);
    std::erase(self->modalFrames, &frame);
    return frame.ended ? frame.result : -1;
}

bool EndModalLoop(HWND hwnd, int result) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry) {
        return false;
    }
    {
        std::lock_guard lock(entry->owner->mutex);
        detail::ModalFrame* frame = InnermostRunning(*entry->owner, hwnd);
        if (!frame) {
            return false;
        }
        frame->ended = true;
        frame->result = result;
    }
    // Wakes the loop should it be blocked, whichever thread ended it.
    PostMessage(hwnd, WM_NULL, 0, 0);
    return true;
}

bool IsInModalLoop(HWND hwnd) {
    const auto entry = HandleTable::Instance().Lookup(hwnd);
    if (!entry) {
        return false;
    }
    std::lock_guard lock(entry->owner->mutex);
    return InnermostRunning(*entry->owner, hwnd) != nullptr;
}

} // namespace plat
