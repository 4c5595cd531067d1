// Turns X events of a connection's windows into native events: one small function per
// event kind, chosen from a table by the event's type.
#pragma once

#include "platform/backend/native_event.h"

#include "platform/backend/x11/x11_xlib.h"

#include <string>
#include <vector>

namespace plat::x11 {

class X11Connection;

// Appends what the event means (often nothing) to `out`.
void TranslateEvent(X11Connection& connection, XEvent& event, std::vector<NativeEvent>& out);

// The text a key press types, from what XLookupString gave: control characters as they
// are, everything else from the key symbol.
std::u16string KeyText(const char* lookup, int length, unsigned long keysym);

// Native modifier bits of an X state mask, plus the side buttons X does not track.
unsigned ModifiersOf(unsigned state, unsigned extraButtons);

} // namespace plat::x11
