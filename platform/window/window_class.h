// Window classes: a name under which windows are created, found (FindWindow) and shown to
// the desktop (the X11 WM_CLASS), with the class style (CS_DBLCLKS), the background
// colour DefWindowProc erases with, and the cursor.
#pragma once

#include "platform/backend/native_window.h"
#include "platform/core/messages.h"
#include "platform/gfx/color.h"

#include <optional>
#include <string>
#include <string_view>

namespace plat {

struct WNDCLASS {
    UINT style{0};
    std::u16string className;
    std::optional<COLORREF> background; // none: WM_ERASEBKGND erases nothing
    CursorShape cursor{CursorShape::Arrow};
};

// False when the name is empty or already registered.
bool RegisterClass(const WNDCLASS& windowClass);
bool UnregisterClass(std::u16string_view className);
// The class of that name (compared ignoring case); the empty name gives a plain class.
std::optional<WNDCLASS> FindWindowClass(std::u16string_view className);

} // namespace plat
