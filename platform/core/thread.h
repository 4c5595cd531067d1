// A worker thread that can be waited for with a time-out and that has its own message
// queue from the moment it is started (so messages posted to it right away are kept).
// Ending it is the body's business; the destructor waits for the end.
#pragma once

#include "platform/core/waitable.h"

#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace plat {

class Thread final : public Waitable {
public:
    Thread();
    ~Thread() override;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts `body` on a new thread; its return value becomes the exit code. False when
    // this object already started a thread.
    bool Start(std::function<int()> body);

    // The new thread's id (for PostThreadMessage); 0 before Start.
    DWORD ThreadId() const { return m_threadId; }
    bool IsRunning();
    // The exit code once the thread has ended.
    std::optional<int> ExitCode();

    bool WaitUntil(Deadline deadline) override;

    struct State;

private:
    std::shared_ptr<State> m_state;
    std::thread m_thread;
    DWORD m_threadId = 0;
};

} // namespace plat
