// The progress channel of a device object: observer windows that receive percent and text
// reports, and a caption. The party that reports owns the channel; observers only refer
// to it. One lock, shared by every channel of the process, guards every observer list.
#pragma once

#include "platform/core/critical_section.h"
#include "platform/core/messages.h"

#include <string>
#include <string_view>
#include <vector>

// Sent to each observer: wParam the channel, lParam the percent.
inline constexpr plat::UINT WM_PROGRESS_PERCENT = plat::WM_USER + 30;
// Sent to each observer: wParam the channel, lParam a const char16_t* to the text, valid
// for the duration of the send.
inline constexpr plat::UINT WM_PROGRESS_TEXT = plat::WM_USER + 31;

class CProgressMessenger {
public:
    CProgressMessenger() = default;
    virtual ~CProgressMessenger() = default;
    CProgressMessenger(const CProgressMessenger&) = delete;
    CProgressMessenger& operator=(const CProgressMessenger&) = delete;

    // The lock that every user of any channel takes around observer lists.
    static plat::CCriticalSection& ChannelLock();

    // A window already present is not added again.
    void AddObserver(plat::HWND window);
    void RemoveObserver(plat::HWND window);
    bool HasObserver(plat::HWND window) const;

    // Sent synchronously to each observer in turn.
    void ReportProgress(int percent);
    void ReportText(std::u16string_view text);

    void SetCaption(std::u16string_view caption);
    std::u16string GetCaption() const;

private:
    void SendToEach(plat::UINT message, plat::LPARAM lParam);

    std::vector<plat::HWND> m_observers;
    std::u16string m_caption;
};
