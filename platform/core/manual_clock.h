// A clock for tests: virtual time that moves only when the test says so or when nothing
// else could happen, so that a two-second time-out or a 500 ms pause runs in microseconds
// and always in the same order.
//
// Rule of time. Constructing a ManualClock installs it (until it is destroyed) and starts
// virtual time at zero. Time moves in two ways only:
//  - Advance(d) moves it forward by d and wakes every wait that has become due;
//  - when every thread that takes part is blocked in a wait of this layer (a message loop
//    with nothing to do, Sleep, a cross-thread send, an event, a lock, a thread's end), time
//    jumps to the earliest deadline among those waits and wakes the waits due then.
// A thread takes part from the moment plat::Thread or CWinThread starts it (other threads:
// from their first wait of this layer; the thread that constructs the clock: at once) until
// it ends. A thread blocked anywhere else, or simply computing, counts as running and holds
// time still, so a wait never times out because another thread was slow in real time:
// a 7500 ms wait for a worker that sleeps 500 ms always sees the worker finish first.
// Wrap blocking calls made outside this layer in ExternalWaitScope, or time cannot move
// while they block. When all threads block with no deadline at all, nothing can wake
// them: that is a deadlock of the test, as it would be of the program.
//
// Install the clock before starting the threads that use it and destroy it after they
// have ended.
#pragma once

#include "platform/core/clock.h"

#include <memory>

namespace plat {

class ManualClock final : public Clock {
public:
    ManualClock();
    ~ManualClock() override;
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    TimePoint Now() override;
    // Virtual time since the clock was constructed.
    Milliseconds Elapsed();
    void Advance(Milliseconds by);

    void Park(detail::Parker& parker, Deadline deadline) override;
    void Unpark(detail::Parker& parker) override;
    std::function<void()> EnrollNewThread() override;
    void BeginExternalWait() override;
    void EndExternalWait() override;

    struct State;

private:
    std::shared_ptr<State> m_state;
    Clock* m_previous = nullptr;
};

} // namespace plat
