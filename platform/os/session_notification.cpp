// The registered windows, under one lock; delivery posts, so a source never waits for a
// window thread.
#include "platform/os/session_notification.h"

#include "platform/core/handle_table.h"
#include "platform/core/message_queue.h"
#include "platform/os/notification_sources.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace plat {
namespace {

std::mutex g_mutex;
std::vector<HWND> g_windows;

} // namespace

bool WTSRegisterSessionNotification(HWND window, DWORD flags) {
    if (!IsWindow(window) || flags > NOTIFY_FOR_ALL_SESSIONS) {
        return false;
    }
    {
        std::lock_guard lock(g_mutex);
        if (std::find(g_windows.begin(), g_windows.end(), window) == g_windows.end()) {
            g_windows.push_back(window);
        }
    }
    StartNotificationSources();
    return true;
}

bool WTSUnRegisterSessionNotification(HWND window) {
    std::lock_guard lock(g_mutex);
    return std::erase(g_windows, window) > 0;
}

void DeliverSessionChange(WPARAM code, DWORD sessionId) {
    std::vector<HWND> windows;
    {
        std::lock_guard lock(g_mutex);
        windows = g_windows;
    }
    for (HWND w : windows) {
        PostMessage(w, WM_WTSSESSION_CHANGE, code, static_cast<LPARAM>(sessionId));
    }
}

} // namespace plat
