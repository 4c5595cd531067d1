// X11 windows: creation with the hints every kind needs, and the property changes that
// the window layer asks for, each turned into the request a window manager understands
// (or into a direct change when the window is a pop-up or no manager runs).
#include "platform/backend/x11/x11_native_window.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/backend/x11/x11_surface.h"
#include "platform/text/utf.h"

#include "platform/backend/x11/x11_xlib.h"
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace plat::x11 {

namespace {

constexpr long kWindowEvents = ExposureMask | StructureNotifyMask | FocusChangeMask | EnterWindowMask |
                               LeaveWindowMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                               KeyPressMask | KeyReleaseMask;

constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
constexpr long kSourceApplication = 1;
constexpr long kMoveResizeMove = 8;
constexpr unsigned long kMotifHintsDecorations = 1ul << 1;

unsigned ExtentOf(int length) {
    return static_cast<unsigned>(std::max(1, length));
}

short ClampShort(int v) {
    return static_cast<short>(std::clamp(v, SHRT_MIN, SHRT_MAX));
}

unsigned short ClampExtent(int v) {
    return static_cast<unsigned short>(std::clamp(v, 0, USHRT_MAX));
}

std::vector<XRectangle> XRectsOf(const Region& region) {
    std::vector<XRectangle> rects;
    for (const Rect& r : region.Rects())
        rects.push_back(
            {ClampShort(r.left), ClampShort(r.top), ClampExtent(r.Width()), ClampExtent(r.Height())});
    return rects;
}

unsigned FontCursorOf(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow:
        return XC_left_ptr;
    case CursorShape::Hand:
        return XC_hand2;
    case CursorShape::IBeam:
        return XC_xterm;
    case CursorShape::Wait:
        return XC_watch;
    case CursorShape::SizeAll:
        return XC_fleur;
    case CursorShape::SizeWE:
        return XC_sb_h_double_arrow;
    case CursorShape::SizeNS:
        return XC_sb_v_double_arrow;
    case CursorShape::No:
        return XC_X_cursor;
    }
    return XC_left_ptr;
}

long XButtonOf(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return 1;
    case MouseButton::Middle:
        return 2;
    case MouseButton::Right:
        return 3;
    case MouseButton::X1:
        return 8;
    case MouseButton::X2:
        return 9;
    }
    return 1;
}

// WM_NAME is Latin-1 by definition; what it cannot hold becomes '?'.
std::string Latin1Of(const std::u16string& text) {
    std::string out;
    for (char16_t c : text)
        out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return out;
}

void SendToRoot(X11Connection& connection, Window window, Atom type, std::initializer_list<long> data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    int i = 0;
    for (long v : data)
        event.xclient.data.l[i++] = v;
    XSendEvent(connection.display(), connection.Root(), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

} // namespace

X11NativeWindow::X11NativeWindow(X11Connection& connection, const NativeWindowParams& params)
    : m_connection(connection), m_params(params), m_parent(connection.Root()), m_bounds(params.bounds) {
    Display* d = connection.display();
    XSetWindowAttributes attrs{};
    attrs.background_pixmap = None; // nothing is painted under our own pixels, so nothing flickers
    attrs.border_pixel = 0;
    attrs.bit_gravity = NorthWestGravity;
    attrs.override_redirect = IsPopup() ? True : False;
    attrs.event_mask = kWindowEvents;
    m_window =
        XCreateWindow(d, connection.Root(), m_bounds.left, m_bounds.top, ExtentOf(m_bounds.Width()),
                      ExtentOf(m_bounds.Height()), 0, connection.Depth(), InputOutput, connection.visual(),
                      CWBackPixmap | CWBorderPixel | CWBitGravity | CWOverrideRedirect | CWEventMask, &attrs);
    connection.Register(m_window, this);
    SetClassHint();
    SetTitle(params.title);
    const long pid = getpid();
    XChangeProperty(d, m_window, connection.atoms().netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    if (!IsPopup()) {
        Atom protocols[] = {connection.atoms().wmDeleteWindow};
        XSetWMProtocols(d, m_window, protocols, 1);
        SetMotifHints();
        SetWindowType();
        SetWmHints();
        SetSizeHints();
        SetOwner();
        SetInitialStates();
    }
    if (params.clickThrough)
        ApplyShapes();
    Flush();
}

X11NativeWindow::~X11NativeWindow() {
    Display* d = m_connection.display();
    if (m_grabbed)
        XUngrabPointer(d, CurrentTime);
    m_surface.reset();
    m_connection.Unregister(m_window);
    XDestroyWindow(d, m_window);
    Flush();
}

bool X11NativeWindow::UsesShm() const {
    return m_surface && m_surface->UsesShm();
}

void X11NativeWindow::Show(bool activate) {
    Display* d = m_connection.display();
    if (!m_shown) {
        if (!IsPopup()) {
            SetInitialStates();
            // A user time of zero asks the manager not to focus the window as it maps.
            if (!activate || m_params.noActivate) {
                const long zero = 0;
                XChangeProperty(d, m_window, m_connection.atoms().netWmUserTime, XA_CARDINAL, 32,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(&zero), 1);
            } else {
                XDeleteProperty(d, m_window, m_connection.atoms().netWmUserTime);
            }
        }
        XMapRaised(d, m_window);
        m_shown = true;
    }
    if (activate && !m_params.noActivate)
        Activate();
    Flush();
}

void X11NativeWindow::Hide() {
    if (!m_shown)
        return;
    Display* d = m_connection.display();
    if (m_grabbed) {
        XUngrabPointer(d, CurrentTime);
        m_grabbed = false;
    }
    XUnmapWindow(d, m_window);
    if (!IsPopup()) {
        // The synthetic unmap tells the manager the window is withdrawn, not iconified.
        XEvent event{};
        event.xunmap.type = UnmapNotify;
        event.xunmap.event = m_connection.Root();
        event.xunmap.window = m_window;
        XSendEvent(d, m_connection.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    }
    m_shown = false;
    Flush();
}

void X11NativeWindow::SetBounds(const Rect& screen) {
    if (screen == m_bounds)
        return;
    m_bounds = screen;
    if (m_requestedBounds.size() >= 32)
        m_requestedBounds.pop_front();
    m_requestedBounds.push_back(screen);
    XMoveResizeWindow(m_connection.display(), m_window, screen.left, screen.top, ExtentOf(screen.Width()),
                      ExtentOf(screen.Height()));
    Flush();
}

bool X11NativeWindow::NoteConfigured(const Rect& screen) {
    const auto it = std::find(m_requestedBounds.begin(), m_requestedBounds.end(), screen);
    if (it != m_requestedBounds.end()) {
        m_requestedBounds.erase(m_requestedBounds.begin(), it + 1);
        return false;
    }
    if (screen == m_bounds)
        return false;
    m_bounds = screen;
    m_requestedBounds.clear();
    return true;
}

bool X11NativeWindow::NoteFocus(bool focused) {
    if (focused == m_focused)
        return false;
    m_focused = focused;
    return true;
}

bool X11NativeWindow::NoteGrabTaken() {
    const bool had = m_grabbed;
    m_grabbed = false;
    return had;
}

void X11NativeWindow::SetShape(const std::optional<Region>& shape) {
    m_shape = shape;
    ApplyShapes();
    Flush();
}

void X11NativeWindow::ApplyShapes() {
    if (!m_connection.HasShape())
        return;
    Display* d = m_connection.display();
    if (m_shape) {
        std::vector<XRectangle> rects = XRectsOf(*m_shape);
        XShapeCombineRectangles(d, m_window, ShapeBounding, 0, 0, rects.data(),
                                static_cast<int>(rects.size()), ShapeSet, YXBanded);
    } else {
        XShapeCombineMask(d, m_window, ShapeBounding, 0, 0, None, ShapeSet);
    }
    // The input area is the bounding shape unless the window lets every click through.
    if (m_params.clickThrough)
        XShapeCombineRectangles(d, m_window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    else
        XShapeCombineMask(d, m_window, ShapeInput, 0, 0, None, ShapeSet);
}

void X11NativeWindow::SetOpacity(std::uint8_t alpha) {
    if (alpha == m_opacity)
        return;
    m_opacity = alpha;
    Display* d = m_connection.display();
    if (alpha == 255) {
        XDeleteProperty(d, m_window, m_connection.atoms().netWmWindowOpacity);
    } else {
        const unsigned long value = 0x01010101ul * alpha;
        XChangeProperty(d, m_window, m_connection.atoms().netWmWindowOpacity, XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&value), 1);
    }
    Flush();
}

void X11NativeWindow::SetTopmost(bool topmost) {
    m_params.topmost = topmost;
    if (IsPopup()) {
        if (topmost)
            XRaiseWindow(m_connection.display(), m_window);
    } else {
        SetWmState(m_connection.atoms().netWmStateAbove, topmost);
    }
    Flush();
}

void X11NativeWindow::SetNoActivate(bool noActivate) {
    m_params.noActivate = noActivate;
    if (!IsPopup())
        SetWmHints();
    Flush();
}

void X11NativeWindow::SetClickThrough(bool clickThrough) {
    m_params.clickThrough = clickThrough;
    ApplyShapes();
    Flush();
}

void X11NativeWindow::SetTitle(const std::u16string& title) {
    m_params.title = title;
    Display* d = m_connection.display();
    const std::string utf8 = Utf16ToUtf8(title);
    XChangeProperty(d, m_window, m_connection.atoms().netWmName, m_connection.atoms().utf8String, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(utf8.data()),
                    static_cast<int>(utf8.size()));
    const std::string latin1 = Latin1Of(title);
    XChangeProperty(d, m_window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
    Flush();
}

void X11NativeWindow::Raise() {
    XRaiseWindow(m_connection.display(), m_window);
    Flush();
}

void X11NativeWindow::Lower() {
    XLowerWindow(m_connection.display(), m_window);
    Flush();
}

void X11NativeWindow::Activate() {
    if (!m_shown)
        return;
    const X11Atoms& atoms = m_connection.atoms();
    if (!IsPopup() && m_connection.WindowManagerSupports(atoms.netActiveWindow))
        SendToRoot(m_connection, m_window, atoms.netActiveWindow,
                   {kSourceApplication, static_cast<long>(m_connection.LastEventTime()), 0});
    else
        XSetInputFocus(m_connection.display(), m_window, RevertToParent, CurrentTime);
    Flush();
}

void X11NativeWindow::GrabPointer(bool grab) {
    Display* d = m_connection.display();
    if (grab && m_shown && !m_grabbed) {
        constexpr unsigned kMask =
            ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
        m_grabbed = XGrabPointer(d, m_window, False, kMask, GrabModeAsync, GrabModeAsync, None, None,
                                 CurrentTime) == GrabSuccess;
        m_connection.WakeIfQueued();
    } else if (!grab && m_grabbed) {
        XUngrabPointer(d, CurrentTime);
        m_grabbed = false;
    }
    Flush();
}

void X11NativeWindow::SetCursor(CursorShape shape) {
    XDefineCursor(m_connection.display(), m_window, m_connection.CursorFor(FontCursorOf(shape)));
    Flush();
}

bool X11NativeWindow::BeginMoveDrag(Point screen, MouseButton button) {
    const X11Atoms& atoms = m_connection.atoms();
    if (IsPopup() || !m_shown || !m_connection.WindowManagerSupports(atoms.netWmMoveResize))
        return false;
    // The press's own grab would keep the manager from grabbing the pointer for the move.
    XUngrabPointer(m_connection.display(), CurrentTime);
    m_grabbed = false;
    SendToRoot(m_connection, m_window, atoms.netWmMoveResize,
               {screen.x, screen.y, kMoveResizeMove, XButtonOf(button), kSourceApplication});
    Flush();
    return true;
}

void X11NativeWindow::Present(const Bitmap& backBuffer, const Region& damage) {
    if (!m_surface)
        m_surface = std::make_unique<X11Surface>(m_connection, m_window);
    m_surface->Present(backBuffer, damage);
}

void X11NativeWindow::SetMotifHints() {
    // flags, functions, decorations, input mode, status: only "no decorations" is said.
    const unsigned long hints[5] = {kMotifHintsDecorations, 0, 0, 0, 0};
    const Atom atom = m_connection.atoms().motifWmHints;
    XChangeProperty(m_connection.display(), m_window, atom, atom, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void X11NativeWindow::SetWindowType() {
    const X11Atoms& atoms = m_connection.atoms();
    const Atom type =
        m_params.kind == NativeWindowKind::Dialog ? atoms.netWmWindowTypeDialog : atoms.netWmWindowTypeNormal;
    XChangeProperty(m_connection.display(), m_window, atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
}

void X11NativeWindow::SetClassHint() {
    std::string name = m_params.className.empty() ? std::string("kavox") : m_params.className;
    XClassHint hint{name.data(), name.data()};
    XSetClassHint(m_connection.display(), m_window, &hint);
}

void X11NativeWindow::SetWmHints() {
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = m_params.noActivate ? False : True;
    hints.initial_state = NormalState;
    XSetWMHints(m_connection.display(), m_window, &hints);
}

void X11NativeWindow::SetSizeHints() {
    XSizeHints hints{};
    // Our coordinates are those of the window itself, wherever a manager puts its frame.
    hints.flags = USPosition | USSize | PPosition | PSize | PWinGravity;
    hints.x = m_bounds.left;
    hints.y = m_bounds.top;
    hints.width = static_cast<int>(ExtentOf(m_bounds.Width()));
    hints.height = static_cast<int>(ExtentOf(m_bounds.Height()));
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(m_connection.display(), m_window, &hints);
}

void X11NativeWindow::SetOwner() {
    const auto* owner = dynamic_cast<const X11NativeWindow*>(m_params.owner);
    if (owner)
        XSetTransientForHint(m_connection.display(), m_window, owner->Xid());
}

void X11NativeWindow::SetInitialStates() {
    const X11Atoms& atoms = m_connection.atoms();
    std::vector<Atom> states;
    if (m_params.topmost)
        states.push_back(atoms.netWmStateAbove);
    if (m_params.kind == NativeWindowKind::Dialog && m_params.owner)
        states.push_back(atoms.netWmStateModal);
    if (m_params.toolWindow) {
        states.push_back(atoms.netWmStateSkipTaskbar);
        states.push_back(atoms.netWmStateSkipPager);
    }
    XChangeProperty(m_connection.display(), m_window, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void X11NativeWindow::SetWmState(Atom state, bool on) {
    if (!m_shown) {
        SetInitialStates(); // read by the manager when the window maps
        return;
    }
    SendToRoot(m_connection, m_window, m_connection.atoms().netWmState,
               {on ? kNetWmStateAdd : kNetWmStateRemove, static_cast<long>(state), 0, kSourceApplication});
    if (on)
        XRaiseWindow(m_connection.display(), m_window); // what "above" means when no manager runs
}

void X11NativeWindow::Flush() {
    XFlush(m_connection.display());
}

} // namespace plat::x11
