// Objects a thread can wait for with a time-out: events and threads.
#pragma once

#include "platform/core/clock.h"

namespace plat {

inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;

class Waitable {
public:
    virtual ~Waitable() = default;
    // Blocks until the object is signalled (consuming an auto-reset signal) or the deadline
    // passes; true when signalled.
    virtual bool WaitUntil(Deadline deadline) = 0;
};

// WAIT_OBJECT_0 when `object` was signalled within `timeoutMs` (INFINITE: no limit; 0: a
// test without waiting), WAIT_TIMEOUT otherwise.
DWORD WaitForSingleObject(Waitable& object, DWORD timeoutMs);

} // namespace plat
