// Logon-session notifications: registered windows receive WM_WTSSESSION_CHANGE with the
// event code (WTS_SESSION_LOCK, ...) and the session id. Sources (logind, the screensaver,
// tests) call DeliverSessionChange.
#pragma once

#include "platform/core/messages.h"

namespace plat {

inline constexpr DWORD NOTIFY_FOR_THIS_SESSION = 0;
inline constexpr DWORD NOTIFY_FOR_ALL_SESSIONS = 1;

// False for a stale window or unknown flags. Registering a window twice keeps one entry.
bool WTSRegisterSessionNotification(HWND window, DWORD flags);
// False when the window was not registered.
bool WTSUnRegisterSessionNotification(HWND window);

void DeliverSessionChange(WPARAM code, DWORD sessionId);

} // namespace plat
