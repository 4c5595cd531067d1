// Foreground process and cross-process window lookup through EWMH properties, falling
// back to plain Xlib requests when no window manager runs.
#include "platform/backend/x11/x11_desktop.h"

#include "platform/backend/x11/x11_xlib.h"
#include "platform/os/foreground_process.h"
#include "platform/os/instance_record.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"

#include <optional>
#include <vector>

namespace plat::x11 {

namespace {

constexpr long kSourceApplication = 1; // _NET_ACTIVE_WINDOW from an ordinary program

} // namespace

struct X11Desktop::Impl {
    Display* display{nullptr};
    Window root{};
    Atom activeWindow{}, wmPid{}, clientList{}, wmState{}, netWmState{}, netWmStateHidden{}, transientFor{};

    std::vector<unsigned long> Property32(Window window, Atom name, Atom type) {
        std::vector<unsigned long> out;
        Atom actualType{};
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, name, 0, 4096, False, type, &actualType, &format, &count,
                               &after, &data) == Success &&
            data && format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            out.assign(items, items + count);
        }
        if (data)
            XFree(data);
        return out;
    }

    // Managed clients when a window manager lists them; else the root's mapped or
    // withdrawn children and, under frames, their children.
    std::vector<Window> TopLevels() {
        auto listed = Property32(root, clientList, XA_WINDOW);
        if (!listed.empty())
            return {listed.begin(), listed.end()};
        std::vector<Window> out;
        Window rootReturn{}, parent{};
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, root, &rootReturn, &parent, &children, &count))
            return out;
        out.assign(children, children + count);
        if (children)
            XFree(children);
        return out;
    }

    bool ClassMatches(Window window, const std::string& wanted) {
        XClassHint hint{};
        if (!XGetClassHint(display, window, &hint))
            return false;
        const std::u16string want = Utf8ToUtf16(wanted);
        const bool match = (hint.res_name && EqualsNoCase(Utf8ToUtf16(hint.res_name), want)) ||
                           (hint.res_class && EqualsNoCase(Utf8ToUtf16(hint.res_class), want));
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        return match;
    }

    int PidOf(Window window) {
        const auto pid = Property32(window, wmPid, XA_CARDINAL);
        return pid.empty() ? 0 : static_cast<int>(pid[0]);
    }

    bool IsMinimised(Window window) {
        const auto state = Property32(window, wmState, wmState);
        if (!state.empty() && state[0] == IconicState)
            return true;
        for (unsigned long atom : Property32(window, netWmState, XA_ATOM))
            if (atom == netWmStateHidden)
                return true;
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsUnmapped;
    }

    // The last shown pop-up that names `owner` as the window it belongs to; stacking order
    // (bottom to top) makes the last one the one used last.
    Window LastPopup(Window owner) {
        Window found = owner;
        for (Window window : TopLevels()) {
            Window target{};
            XWindowAttributes attributes{};
            if (window != owner && XGetTransientForHint(display, window, &target) && target == owner &&
                XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
                found = window;
        }
        return found;
    }

    void Activate(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = activeWindow;
        event.xclient.format = 32;
        event.xclient.data.l[0] = kSourceApplication;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
        // Without a window manager nobody answers that message: map and focus directly.
        XMapRaised(display, window);
        XSync(display, False);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }
};

X11Desktop::X11Desktop(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

X11Desktop::~X11Desktop() {
    XCloseDisplay(m_impl->display);
}

std::unique_ptr<X11Desktop> X11Desktop::Open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display)
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->display = display;
    impl->root = DefaultRootWindow(display);
    impl->activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    impl->wmPid = XInternAtom(display, "_NET_WM_PID", False);
    impl->clientList = XInternAtom(display, "_NET_CLIENT_LIST_STACKING", False);
    impl->wmState = XInternAtom(display, "WM_STATE", False);
    impl->netWmState = XInternAtom(display, "_NET_WM_STATE", False);
    impl->netWmStateHidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(impl)));
}

int X11Desktop::ActiveWindowProcess() {
    std::lock_guard lock(m_mutex);
    const auto active = m_impl->Property32(m_impl->root, m_impl->activeWindow, XA_WINDOW);
    if (active.empty() || active[0] == 0)
        return 0;
    return m_impl->PidOf(active[0]);
}

unsigned long X11Desktop::FindTopLevel(const std::string& windowClass, int pid) {
    std::lock_guard lock(m_mutex);
    Window any = 0;
    for (Window window : m_impl->TopLevels()) {
        if (!m_impl->ClassMatches(window, windowClass))
            continue;
        // Pop-ups of the program carry its class too; the owner is what is looked for.
        Window owner{};
        if (XGetTransientForHint(m_impl->display, window, &owner) && owner)
            continue;
        if (pid == 0 || m_impl->PidOf(window) == pid)
            return window;
        if (!any)
            any = window;
    }
    return any;
}

bool X11Desktop::Raise(unsigned long window) {
    std::lock_guard lock(m_mutex);
    if (!window)
        return false;
    const bool minimised = m_impl->IsMinimised(window);
    if (minimised)
        m_impl->Activate(window); // restores it, pop-ups with it
    const Window popup = m_impl->LastPopup(window);
    if (!minimised || popup != window)
        m_impl->Activate(popup);
    return true;
}

namespace {
std::mutex g_installMutex;
std::shared_ptr<X11Desktop> g_installed;
} // namespace

void X11Desktop::Install(std::shared_ptr<X11Desktop> desktop) {
    {
        std::lock_guard lock(g_installMutex);
        g_installed = desktop;
    }
    std::weak_ptr<X11Desktop> weak = desktop;
    SetForegroundProcessSource([weak] {
        auto d = weak.lock();
        return d ? d->ActiveWindowProcess() : 0;
    });
    SetInstanceActivator([weak](const RunningInstance& instance) {
        auto d = weak.lock();
        if (!d)
            return false;
        const unsigned long window = d->FindTopLevel(Utf16ToUtf8(instance.windowClass), instance.pid);
        return window != 0 && d->Raise(window);
    });
}

void X11Desktop::Uninstall() {
    SetForegroundProcessSource({});
    SetInstanceActivator({});
    std::lock_guard lock(g_installMutex);
    g_installed.reset();
}

} // namespace plat::x11
