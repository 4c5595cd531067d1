// Clipboard over X selections. Transfers in pieces (INCR) are not spoken: the programs
// copy short texts only, and a huge foreign selection reads as empty rather than hanging.
#include "platform/backend/x11/x11_clipboard.h"

#include "platform/backend/x11/x11_connection.h"

#include "platform/backend/x11/x11_xlib.h"
#include <poll.h>

#include <chrono>

namespace plat::x11 {

X11Clipboard::X11Clipboard(X11Connection& connection) : m_connection(connection) {}

X11Clipboard::~X11Clipboard() {
    if (m_carrier != None)
        XDestroyWindow(m_connection.display(), m_carrier);
}

Window X11Clipboard::Carrier() {
    if (m_carrier == None) {
        Display* d = m_connection.display();
        m_carrier = XCreateSimpleWindow(d, m_connection.Root(), -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(d, m_carrier, PropertyChangeMask);
    }
    return m_carrier;
}

void X11Clipboard::SetText(const std::string& utf8) {
    Display* d = m_connection.display();
    m_text = utf8;
    XSetSelectionOwner(d, m_connection.atoms().clipboard, Carrier(), m_connection.LastEventTime());
    m_owner = XGetSelectionOwner(d, m_connection.atoms().clipboard) == m_carrier;
    m_connection.WakeIfQueued();
}

std::string X11Clipboard::Text() {
    if (m_owner)
        return m_text;
    Display* d = m_connection.display();
    const X11Atoms& atoms = m_connection.atoms();
    if (XGetSelectionOwner(d, atoms.clipboard) == None)
        return {};
    XConvertSelection(d, atoms.clipboard, atoms.utf8String, atoms.clipboardTransfer, Carrier(),
                      m_connection.LastEventTime());
    XEvent notify;
    std::string text;
    if (WaitForNotify(notify) && notify.xselection.property != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, m_carrier, atoms.clipboardTransfer, 0, 1 << 20, True, AnyPropertyType,
                               &type, &format, &count, &after, &data) == Success &&
            data && format == 8 && type != atoms.incr)
            text.assign(reinterpret_cast<const char*>(data), count);
        if (data)
            XFree(data);
    }
    m_connection.WakeIfQueued();
    return text;
}

bool X11Clipboard::WaitForNotify(XEvent& notify) {
    Display* d = m_connection.display();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        if (XCheckTypedWindowEvent(d, m_carrier, SelectionNotify, &notify))
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
        XEventsQueued(d, QueuedAfterReading);
    }
}

bool X11Clipboard::HandleEvent(const XEvent& event) {
    if (m_carrier == None || event.xany.window != m_carrier)
        return false;
    if (event.type == SelectionRequest) {
        Serve(event.xselectionrequest);
    } else if (event.type == SelectionClear) {
        m_owner = false;
        m_text.clear();
    }
    return true;
}

void X11Clipboard::Serve(const XSelectionRequestEvent& request) {
    Display* d = m_connection.display();
    const X11Atoms& atoms = m_connection.atoms();
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = d;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Old requestors leave the property unset and mean the target's name.
    const Atom property = request.property == None ? request.target : request.property;
    reply.property = None;
    if (m_owner && request.target == atoms.targets) {
        const Atom offered[] = {atoms.targets, atoms.utf8String, XA_STRING};
        XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 3);
        reply.property = property;
    } else if (m_owner && (request.target == atoms.utf8String || request.target == XA_STRING)) {
        XChangeProperty(d, request.requestor, property, request.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(m_text.data()),
                        static_cast<int>(m_text.size()));
        reply.property = property;
    }
    XEvent out;
    out.xselection = reply;
    XSendEvent(d, request.requestor, False, NoEventMask, &out);
    XFlush(d);
}

} // namespace plat::x11
