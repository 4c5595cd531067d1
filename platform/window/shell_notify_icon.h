// Icons in the desktop's notification area, owned by a window: the window names a
// callback message, and every pointer action on its icon is posted to it with the icon's
// id as wParam and the mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK,
// WM_RBUTTONUP, ...) as lParam. When a tray host appears (a panel starts or restarts) the
// icons of the old one are gone, and every top-level window of the process receives the
// registered message "TaskbarCreated" so that its owner adds its icons again.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/bitmap.h"

#include <memory>
#include <string>

namespace plat {

constexpr DWORD NIM_ADD = 0x0;
constexpr DWORD NIM_MODIFY = 0x1;
constexpr DWORD NIM_DELETE = 0x2;
constexpr DWORD NIM_SETVERSION = 0x4;

constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;

constexpr UINT NOTIFYICON_VERSION = 3;

// Tip texts longer than this (the terminator included) are cut.
constexpr size_t kNotifyTipCapacity = 128;

struct NOTIFYICONDATA {
    HWND hWnd{nullptr};
    UINT uID{0};
    UINT uFlags{0};
    UINT uCallbackMessage{0};
    std::shared_ptr<const Bitmap> hIcon; // any size: the tray scales it to its slot
    std::u16string szTip;
    UINT uVersion{0};
};

// True on success. Adding fails when no tray host runs or the window already has an icon
// of that id; the other commands fail for an icon that is not there.
bool Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data);

// Makes the process's top-level windows hear of tray hosts that appear. Called when the
// first top-level window is made; harmless to call again.
void WatchForTrayHost();

} // namespace plat
