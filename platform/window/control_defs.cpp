// Window classes shared by the controls and the notification helper.
#include "platform/window/control_defs.h"

#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

namespace plat {

void EnsureControlClasses() {
    // Registering again is refused harmlessly, so this stays cheap and survives a test
    // that unregisters classes.
    RegisterClass({CS_DBLCLKS, u"Button", std::nullopt, CursorShape::Arrow});
    RegisterClass({CS_DBLCLKS, u"Static", std::nullopt, CursorShape::Arrow});
    RegisterClass({CS_DBLCLKS, u"Edit", std::nullopt, CursorShape::IBeam});
    RegisterClass({0, u"KavoxDialog", RGB(240, 240, 240), CursorShape::Arrow});
    RegisterClass({CS_SAVEBITS, u"KavoxPopupMenu", std::nullopt, CursorShape::Arrow});
}

void NotifyParent(const CWnd& control, UINT code) {
    CWnd* parent = control.GetParent();
    if (!parent || !parent->GetSafeHwnd())
        return;
    parent->SendMessage(
        WM_COMMAND,
        MAKEWPARAM(static_cast<std::uint16_t>(control.GetDlgCtrlID()), static_cast<std::uint16_t>(code)),
        reinterpret_cast<LPARAM>(control.GetSafeHwnd()));
}

} // namespace plat
