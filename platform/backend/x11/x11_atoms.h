// The atoms the driver speaks: window-manager hints and states (ICCCM, EWMH, Motif) and
// the clipboard's selection names, interned once per connection in one round trip.
#pragma once

#include "platform/backend/x11/x11_xlib.h"

namespace plat::x11 {

struct X11Atoms {
    Atom wmProtocols{};
    Atom wmDeleteWindow{};
    Atom wmState{};
    Atom motifWmHints{};
    Atom utf8String{};
    Atom netWmName{};
    Atom netWmPid{};
    Atom netWmWindowType{};
    Atom netWmWindowTypeNormal{};
    Atom netWmWindowTypeDialog{};
    Atom netWmState{};
    Atom netWmStateAbove{};
    Atom netWmStateModal{};
    Atom netWmStateSkipTaskbar{};
    Atom netWmStateSkipPager{};
    Atom netWmWindowOpacity{};
    Atom netWmMoveResize{};
    Atom netWmUserTime{};
    Atom netActiveWindow{};
    Atom netSupported{};
    Atom netSupportingWmCheck{};
    Atom netWorkArea{};
    Atom clipboard{};
    Atom targets{};
    Atom clipboardTransfer{};
    Atom incr{};

    void Intern(Display* display);
};

} // namespace plat::x11
