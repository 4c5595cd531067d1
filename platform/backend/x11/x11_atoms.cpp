// Interning of the driver's atoms.
#include "platform/backend/x11/x11_atoms.h"

#include <array>
#include <iterator>

namespace plat::x11 {

void X11Atoms::Intern(Display* display) {
    struct Named {
        Atom X11Atoms::*member;
        const char* name;
    };
    static constexpr Named kNames[] = {
        {&X11Atoms::wmProtocols, "WM_PROTOCOLS"},
        {&X11Atoms::wmDeleteWindow, "WM_DELETE_WINDOW"},
        {&X11Atoms::wmState, "WM_STATE"},
        {&X11Atoms::motifWmHints, "_MOTIF_WM_HINTS"},
        {&X11Atoms::utf8String, "UTF8_STRING"},
        {&X11Atoms::netWmName, "_NET_WM_NAME"},
        {&X11Atoms::netWmPid, "_NET_WM_PID"},
        {&X11Atoms::netWmWindowType, "_NET_WM_WINDOW_TYPE"},
        {&X11Atoms::netWmWindowTypeNormal, "_NET_WM_WINDOW_TYPE_NORMAL"},
        {&X11Atoms::netWmWindowTypeDialog, "_NET_WM_WINDOW_TYPE_DIALOG"},
        {&X11Atoms::netWmState, "_NET_WM_STATE"},
        {&X11Atoms::netWmStateAbove, "_NET_WM_STATE_ABOVE"},
        {&X11Atoms::netWmStateModal, "_NET_WM_STATE_MODAL"},
        {&X11Atoms::netWmStateSkipTaskbar, "_NET_WM_STATE_SKIP_TASKBAR"},
        {&X11Atoms::netWmStateSkipPager, "_NET_WM_STATE_SKIP_PAGER"},
        {&X11Atoms::netWmWindowOpacity, "_NET_WM_WINDOW_OPACITY"},
        {&X11Atoms::netWmMoveResize, "_NET_WM_MOVERESIZE"},
        {&X11Atoms::netWmUserTime, "_NET_WM_USER_TIME"},
        {&X11Atoms::netActiveWindow, "_NET_ACTIVE_WINDOW"},
        {&X11Atoms::netSupported, "_NET_SUPPORTED"},
        {&X11Atoms::netSupportingWmCheck, "_NET_SUPPORTING_WM_CHECK"},
        {&X11Atoms::netWorkArea, "_NET_WORKAREA"},
        {&X11Atoms::clipboard, "CLIPBOARD"},
        {&X11Atoms::targets, "TARGETS"},
        {&X11Atoms::clipboardTransfer, "KAVOX_CLIPBOARD"},
        {&X11Atoms::incr, "INCR"},
    };
    constexpr int kCount = static_cast<int>(std::size(kNames));
    std::array<char*, kCount> names{};
    for (int i = 0; i < kCount; ++i)
        names[i] = const_cast<char*>(kNames[i].name);
    std::array<Atom, kCount> atoms{};
    XInternAtoms(display, names.data(), kCount, False, atoms.data());
    for (int i = 0; i < kCount; ++i)
        this->*kNames[i].member = atoms[i];
}

} // namespace plat::x11
