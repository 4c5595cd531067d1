// The window calls of the programs by handle. Each works on a window of any thread: on
// the owner's thread it acts directly, from another thread it is carried over to the
// owner and waits for it. Input state (capture, focus, active window, key states) is per
// thread, as the programs' windows expect.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/rect.h"
#include "platform/gfx/region.h"
#include "platform/window/window_defs.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// Runs `call` on the window's thread while the caller waits; false for a stale handle.
bool RunOnWindowThread(HWND hwnd, const std::function<void()>& call);

bool DestroyWindow(HWND hwnd);
bool ShowWindow(HWND hwnd, int command);
bool IsWindowVisible(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
bool IsIconic(HWND hwnd);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint);
bool BringWindowToTop(HWND hwnd);
bool GetWindowRect(HWND hwnd, Rect* rect);
bool GetClientRect(HWND hwnd, Rect* rect);
bool ClientToScreen(HWND hwnd, Point* point);
bool ScreenToClient(HWND hwnd, Point* point);
HWND GetParent(HWND hwnd);
HWND GetDlgItem(HWND hwnd, int id);
int GetDlgCtrlID(HWND hwnd);
bool SetWindowText(HWND hwnd, std::u16string_view text);
std::u16string GetWindowText(HWND hwnd);
bool SetWindowRgn(HWND hwnd, std::optional<Region> shape, bool redraw);
bool SetLayeredWindowAttributes(HWND hwnd, COLORREF key, std::uint8_t alpha, DWORD flags);
DWORD GetWindowLongStyle(HWND hwnd);
DWORD GetWindowLongExStyle(HWND hwnd);

bool InvalidateRect(HWND hwnd, const Rect* client, bool erase);
bool UpdateWindow(HWND hwnd);
bool RedrawWindow(HWND hwnd, const Rect* client, UINT flags);

// Capture, focus and activation of the calling thread.
HWND SetCapture(HWND hwnd);
HWND GetCapture();
bool ReleaseCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND hwnd);
// The active window of any thread of the process, or null.
HWND GetForegroundWindow();
bool TrackMouseEvent(TRACKMOUSEEVENT* track);

// The deepest window of the process under a screen point (only top-level windows of
// other threads), or null.
HWND WindowFromPoint(Point screen);
// A top-level window by class name and/or title (empty: any), topmost first.
HWND FindWindow(std::u16string_view className, std::u16string_view title);
// The last active pop-up owned by the window, or the window itself.
HWND GetLastActivePopup(HWND hwnd);

bool GetCursorPos(Point* point);
// Bit 15: down; bit 0: toggled. As of the messages the calling thread has received.
short GetKeyState(int virtualKey);
// Bit 15: down right now.
short GetAsyncKeyState(int virtualKey);
int GetSystemMetrics(int index);
// Pixels per logical inch of the screen.
int GetScreenDpi();

} // namespace plat
