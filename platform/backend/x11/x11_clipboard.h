// The CLIPBOARD selection of one connection: owning it with our text and serving other
// programs' requests for it (UTF8_STRING, STRING, TARGETS), and asking its owner for text.
#pragma once

#include "platform/backend/x11/x11_xlib.h"

#include <string>

namespace plat::x11 {

class X11Connection;

class X11Clipboard {
public:
    explicit X11Clipboard(X11Connection& connection);
    ~X11Clipboard();

    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    void SetText(const std::string& utf8);
    // Our own text, or what the owner hands over within a second; empty otherwise.
    std::string Text();

    // Serves selection requests and loss of ownership; true when the event was ours.
    bool HandleEvent(const XEvent& event);

private:
    void Serve(const XSelectionRequestEvent& request);
    Window Carrier();
    bool WaitForNotify(XEvent& notify);

    X11Connection& m_connection;
    Window m_carrier{None}; // an unmapped window that owns and receives selections
    bool m_owner{false};
    std::string m_text;
};

} // namespace plat::x11
