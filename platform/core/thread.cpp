// Worker threads: start with a context and a clock enrolment, signal the end to waiters.
#include "platform/core/thread.h"

#include "platform/core/parker.h"
#include "platform/core/thread_context.h"

namespace plat {

struct Thread::State {
    std::mutex mutex;
    detail::WaiterList waiters;
    bool started = false;
    bool finished = false;
    int exitCode = 0;
};

Thread::Thread() : m_state(std::make_shared<State>()) {}

Thread::~Thread() {
    if (m_thread.joinable()) {
        WaitUntil(std::nullopt);
        m_thread.join();
    }
}

bool Thread::Start(std::function<int()> body) {
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->started) {
            return false;
        }
        m_state->started = true;
    }
    auto context = detail::NewContext();
    m_threadId = context->id;
    auto enrol = CurrentClock().EnrollNewThread();
    m_thread = std::thread([state = m_state, context = std::move(context), enrol = std::move(enrol),
                            body = std::move(body)]() mutable {
        if (enrol) {
            enrol();
        }
        detail::AdoptContext(std::move(context));
        const int code = body();
        // The queue ends before waiters learn of the end: a send after the wait fails at once.
        detail::EndCurrentContext();
        std::lock_guard lock(state->mutex);
        state->finished = true;
        state->exitCode = code;
        detail::UnparkAll(state->waiters);
    });
    return true;
}

bool Thread::IsRunning() {
    std::lock_guard lock(m_state->mutex);
    return m_state->started && !m_state->finished;
}

std::optional<int> Thread::ExitCode() {
    std::lock_guard lock(m_state->mutex);
    return m_state->finished ? std::optional<int>(m_state->exitCode) : std::nullopt;
}

bool Thread::WaitUntil(Deadline deadline) {
    std::unique_lock lock(m_state->mutex);
    if (!m_state->started) {
        return true;
    }
    return detail::WaitUntil(lock, m_state->waiters, deadline, [&] { return m_state->finished; });
}

} // namespace plat
