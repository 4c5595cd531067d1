// The process that owns the window in the foreground, for switching profiles by application.
// The display backend installs the source that asks the window system; without one (the
// headless platform) the answer is whatever a test set.
#pragma once

#include <functional>

namespace plat {

// The foreground window's process id; 0 when there is no foreground window.
int ProcessIdOfForegroundWindow();

// Installed by a display backend; an empty function removes it.
void SetForegroundProcessSource(std::function<int()> source);

// What the headless platform reports as the foreground window's process.
void SetHeadlessForegroundProcess(int pid);

} // namespace plat
