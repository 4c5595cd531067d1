// Modal loops: a window (a dialog, a pop-up list, a menu) runs the thread's messages until
// it is ended, then returns its own result. Loops nest; ending an outer loop lets it return
// as soon as the loops started inside it have returned.
#pragma once

#include "platform/core/messages.h"

namespace plat {

// Runs messages until EndModalLoop(hwnd, ...) and returns that result. Returns -1 without
// running when the handle is stale or belongs to another thread, and -1 when the window is
// destroyed or WM_QUIT arrives before the loop is ended; the quit request is then posted
// again so that the enclosing loop ends too.
int RunModalLoop(HWND hwnd);

// Ends the innermost running loop of `hwnd` with `result`; may be called from any thread.
// False when no loop of that window runs.
bool EndModalLoop(HWND hwnd, int result);

// True while a loop of `hwnd` runs and has not been ended.
bool IsInModalLoop(HWND hwnd);

} // namespace plat
