// Progress reports to observer windows.
#include "device/progress_messenger.h"

#include "platform/core/message_queue.h"

#include <algorithm>
#include <mutex>

plat::CCriticalSection& CProgressMessenger::ChannelLock() {
    static plat::CCriticalSection lock;
    return lock;
}

void CProgressMessenger::AddObserver(plat::HWND window) {
    std::lock_guard guard(ChannelLock());
    if (std::find(m_observers.begin(), m_observers.end(), window) == m_observers.end()) {
        m_observers.push_back(window);
    }
}

void CProgressMessenger::RemoveObserver(plat::HWND window) {
    std::lock_guard guard(ChannelLock());
    std::erase(m_observers, window);
}

bool CProgressMessenger::HasObserver(plat::HWND window) const {
    std::lock_guard guard(ChannelLock());
    return std::find(m_observers.begin(), m_observers.end(), window) != m_observers.end();
}

void CProgressMessenger::ReportProgress(int percent) {
    SendToEach(WM_PROGRESS_PERCENT, percent);
}

void CProgressMessenger::ReportText(std::u16string_view text) {
    const std::u16string terminated(text);
    SendToEach(WM_PROGRESS_TEXT, reinterpret_cast<plat::LPARAM>(terminated.c_str()));
}

// The list is walked under the lock, but each send happens outside it: an observer's
// thread takes the same lock to check the channel while handling the message, and a send
// made under the lock would wait for it forever. An observer removed meanwhile is skipped.
void CProgressMessenger::SendToEach(plat::UINT message, plat::LPARAM lParam) {
    std::vector<plat::HWND> observers;
    {
        std::lock_guard guard(ChannelLock());
        observers = m_observers;
    }
    for (plat::HWND window : observers) {
        if (HasObserver(window)) {
            plat::SendMessage(window, message, reinterpret_cast<plat::WPARAM>(this), lParam);
        }
    }
}

void CProgressMessenger::SetCaption(std::u16string_view caption) {
    std::lock_guard guard(ChannelLock());
    m_caption.assign(caption);
}

std::u16string CProgressMessenger::GetCaption() const {
    std::lock_guard guard(ChannelLock());
    return m_caption;
}
