// The one way into Xlib's headers for this folder. Xlib names its event types with
// macros (KeyPress, FocusIn, ..., and CursorShape) that would rewrite our own NativeEventKind names, so
// our headers come first, the event types are kept as constants, and the macros go.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/backend/native_window.h"
#include "platform/backend/window_system.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

namespace plat::x11::xevent {
inline constexpr int kKeyPress = KeyPress;
inline constexpr int kKeyRelease = KeyRelease;
inline constexpr int kButtonPress = ButtonPress;
inline constexpr int kButtonRelease = ButtonRelease;
inline constexpr int kFocusIn = FocusIn;
inline constexpr int kFocusOut = FocusOut;
} // namespace plat::x11::xevent

#undef KeyPress
#undef KeyRelease
#undef ButtonPress
#undef ButtonRelease
#undef FocusIn
#undef FocusOut
#undef CursorShape // a size class of XQueryBestSize, never asked here
