// Seams through which the window layer and the backends take part in every thread's
// message loop (see the note in message_queue.h): fetching backend events, producing
// low-priority paints, and pre-translating messages before dispatch.
#pragma once

#include "platform/core/messages.h"

namespace plat {

// Installed per thread with SetQueueHooks.
class QueueHooks {
public:
    virtual ~QueueHooks() = default;
    virtual void FetchEvents() {}
    // A low-priority message for a window matching `filter` (nullptr: any), or false.
    virtual bool NextPaint(HWND /*filter*/, MSG& /*out*/) { return false; }
};

class MessageFilter {
public:
    virtual ~MessageFilter() = default;
    // True when the message was consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& msg) = 0;
};

void SetQueueHooks(QueueHooks* hooks);
void SetWindowMessageFilter(MessageFilter* filter);

} // namespace plat
