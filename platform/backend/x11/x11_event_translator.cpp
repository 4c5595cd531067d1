// The translation table. Positions are screen coordinates (x_root, y_root) everywhere, so
// a window moved by its manager in between never skews a click.
#include "platform/backend/x11/x11_event_translator.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/backend/x11/x11_key_table.h"
#include "platform/backend/x11/x11_native_window.h"
#include "platform/core/clock.h"

#include "platform/backend/x11/x11_xlib.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <optional>

namespace plat::x11 {

namespace {

constexpr unsigned kWheelUp = 4;
constexpr unsigned kWheelDown = 5;
constexpr unsigned kWheelLeft = 6;
constexpr unsigned kWheelRight = 7;
constexpr int kWheelNotch = 120;

struct Scope {
    X11Connection& connection;
    X11NativeWindow& window;
    std::vector<NativeEvent>& out;

    NativeEvent& Emit(NativeEventKind kind) {
        NativeEvent& e = out.emplace_back();
        e.kind = kind;
        e.window = &window;
        e.time = GetTickCount();
        return e;
    }
};

using Translator = void (*)(Scope&, XEvent&);

std::optional<MouseButton> ButtonOf(unsigned xbutton) {
    switch (xbutton) {
    case 1:
        return MouseButton::Left;
    case 2:
        return MouseButton::Middle;
    case 3:
        return MouseButton::Right;
    case 8:
        return MouseButton::X1;
    case 9:
        return MouseButton::X2;
    default:
        return std::nullopt;
    }
}

unsigned BitOf(MouseButton button) {
    constexpr unsigned bits[] = {kModLeftButton, kModRightButton, kModMiddleButton, kModX1Button,
                                 kModX2Button};
    return bits[static_cast<int>(button)];
}

bool IsWheel(unsigned xbutton) {
    return xbutton >= kWheelUp && xbutton <= kWheelRight;
}

void OnExpose(Scope& s, XEvent& event) {
    const XExposeEvent& x = event.xexpose;
    s.Emit(NativeEventKind::Exposed).bounds = Rect::FromSize(x.x, x.y, x.width, x.height);
}

void OnConfigure(Scope& s, XEvent& event) {
    const XConfigureEvent& c = event.xconfigure;
    int x = c.x;
    int y = c.y;
    // A real event inside a manager's frame is relative to the frame; ask where we are.
    if (!c.send_event && s.window.Parent() != s.connection.Root()) {
        Window child = None;
        XTranslateCoordinates(s.connection.display(), s.window.Xid(), s.connection.Root(), 0, 0, &x, &y,
                              &child);
    }
    const Rect screen = Rect::FromSize(x, y, c.width, c.height);
    if (s.window.NoteConfigured(screen))
        s.Emit(NativeEventKind::Configured).bounds = screen;
}

void OnReparent(Scope& s, XEvent& event) {
    s.window.NoteParent(event.xreparent.parent);
}

void OnUnmap(Scope& s, XEvent&) {
    // The server ends a grab whose window stops being viewable.
    if (s.window.NoteGrabTaken())
        s.Emit(NativeEventKind::GrabBroken);
}

// Focus moves caused by grabs (a manager's key bindings) and focus that only follows
// the pointer are not activation changes.
bool IsActivationChange(const XFocusChangeEvent& f) {
    return f.mode != NotifyGrab && f.mode != NotifyUngrab && f.detail != NotifyPointer &&
           f.detail != NotifyInferior;
}

void OnFocusIn(Scope& s, XEvent& event) {
    if (IsActivationChange(event.xfocus) && s.window.NoteFocus(true))
        s.Emit(NativeEventKind::FocusIn);
}

void OnFocusOut(Scope& s, XEvent& event) {
    if (IsActivationChange(event.xfocus) && s.window.NoteFocus(false))
        s.Emit(NativeEventKind::FocusOut);
}

void OnEnter(Scope& s, XEvent& event) {
    const XCrossingEvent& c = event.xcrossing;
    if (c.detail == NotifyInferior)
        return;
    NativeEvent& e = s.Emit(NativeEventKind::PointerMove);
    e.screen = {c.x_root, c.y_root};
    e.modifiers = ModifiersOf(c.state, s.connection.ExtraButtons());
}

void OnLeave(Scope& s, XEvent& event) {
    const XCrossingEvent& c = event.xcrossing;
    if (c.detail == NotifyInferior)
        return;
    // Another client grabbing the pointer takes our own grab away.
    if (c.mode == NotifyGrab && s.window.NoteGrabTaken())
        s.Emit(NativeEventKind::GrabBroken);
    s.Emit(NativeEventKind::PointerLeave);
}

void OnMotion(Scope& s, XEvent& event) {
    const XMotionEvent& m = event.xmotion;
    s.connection.NoteEventTime(m.time);
    // Only the newest of a run of motions matters.
    Display* d = s.connection.display();
    if (XEventsQueued(d, QueuedAlready) > 0) {
        XEvent next;
        XPeekEvent(d, &next);
        if (next.type == MotionNotify && next.xmotion.window == m.window)
            return;
    }
    NativeEvent& e = s.Emit(NativeEventKind::PointerMove);
    e.screen = {m.x_root, m.y_root};
    e.modifiers = ModifiersOf(m.state, s.connection.ExtraButtons());
}

void OnButtonPress(Scope& s, XEvent& event) {
    const XButtonEvent& b = event.xbutton;
    s.connection.NoteEventTime(b.time);
    if (IsWheel(b.button)) {
        if (b.button == kWheelUp || b.button == kWheelDown) {
            NativeEvent& e = s.Emit(NativeEventKind::Wheel);
            e.wheelDelta = b.button == kWheelUp ? kWheelNotch : -kWheelNotch;
            e.screen = {b.x_root, b.y_root};
            e.modifiers = ModifiersOf(b.state, s.connection.ExtraButtons());
        }
        return;
    }
    const auto button = ButtonOf(b.button);
    if (!button)
        return;
    if (*button == MouseButton::X1 || *button == MouseButton::X2)
        s.connection.ExtraButtons() |= BitOf(*button);
    if (s.window.TakesFocusOnClick())
        XSetInputFocus(s.connection.display(), s.window.Xid(), RevertToParent, b.time);
    NativeEvent& e = s.Emit(NativeEventKind::ButtonPress);
    e.button = *button;
    e.screen = {b.x_root, b.y_root};
    e.modifiers = ModifiersOf(b.state, s.connection.ExtraButtons()) | BitOf(*button);
}

void OnButtonRelease(Scope& s, XEvent& event) {
    const XButtonEvent& b = event.xbutton;
    s.connection.NoteEventTime(b.time);
    const auto button = ButtonOf(b.button);
    if (IsWheel(b.button) || !button)
        return;
    s.connection.ExtraButtons() &= ~BitOf(*button);
    NativeEvent& e = s.Emit(NativeEventKind::ButtonRelease);
    e.button = *button;
    e.screen = {b.x_root, b.y_root};
    e.modifiers = ModifiersOf(b.state, s.connection.ExtraButtons()) & ~BitOf(*button);
}

bool IsKeypadDigit(KeySym sym) {
    return (sym >= XK_KP_0 && sym <= XK_KP_9) || sym == XK_KP_Decimal || sym == XK_KP_Separator;
}

NativeKey KeyOf(XKeyEvent& k, bool press) {
    char lookup[16];
    KeySym sym = NoSymbol;
    const int length = XLookupString(&k, lookup, sizeof lookup, &sym, nullptr);
    NativeKey key;
    const unsigned evdev = k.keycode >= 8 ? k.keycode - 8 : 0;
    if (const auto pc = PcKeyFromEvdev(evdev, IsKeypadDigit(sym))) {
        key.scanCode = pc->scanCode;
        key.extended = pc->extended;
        key.virtualKey = pc->virtualKey;
    }
    if (press)
        key.text = KeyText(lookup, length, sym);
    return key;
}

void OnKeyPress(Scope& s, XEvent& event) {
    XKeyEvent& k = event.xkey;
    s.connection.NoteEventTime(k.time);
    NativeKey key = KeyOf(k, true);
    key.autoRepeat = !s.connection.KeysDown().insert(k.keycode).second;
    if (key.virtualKey == 0 && key.text.empty())
        return;
    NativeEvent& e = s.Emit(NativeEventKind::KeyPress);
    e.key = std::move(key);
    e.modifiers = ModifiersOf(k.state, s.connection.ExtraButtons());
}

void OnKeyRelease(Scope& s, XEvent& event) {
    XKeyEvent& k = event.xkey;
    s.connection.NoteEventTime(k.time);
    s.connection.KeysDown().erase(k.keycode);
    NativeKey key = KeyOf(k, false);
    if (key.virtualKey == 0)
        return;
    NativeEvent& e = s.Emit(NativeEventKind::KeyRelease);
    e.key = std::move(key);
    e.modifiers = ModifiersOf(k.state, s.connection.ExtraButtons());
}

void OnClientMessage(Scope& s, XEvent& event) {
    const XClientMessageEvent& c = event.xclient;
    const X11Atoms& atoms = s.connection.atoms();
    if (c.message_type == atoms.wmProtocols && c.format == 32 &&
        static_cast<Atom>(c.data.l[0]) == atoms.wmDeleteWindow)
        s.Emit(NativeEventKind::CloseRequest);
}

constexpr std::array<Translator, LASTEvent> MakeTable() {
    std::array<Translator, LASTEvent> table{};
    table[Expose] = OnExpose;
    table[ConfigureNotify] = OnConfigure;
    table[ReparentNotify] = OnReparent;
    table[UnmapNotify] = OnUnmap;
    table[xevent::kFocusIn] = OnFocusIn;
    table[xevent::kFocusOut] = OnFocusOut;
    table[EnterNotify] = OnEnter;
    table[LeaveNotify] = OnLeave;
    table[MotionNotify] = OnMotion;
    table[xevent::kButtonPress] = OnButtonPress;
    table[xevent::kButtonRelease] = OnButtonRelease;
    table[xevent::kKeyPress] = OnKeyPress;
    table[xevent::kKeyRelease] = OnKeyRelease;
    table[ClientMessage] = OnClientMessage;
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

void TranslateEvent(X11Connection& connection, XEvent& event, std::vector<NativeEvent>& out) {
    if (event.type < 0 || event.type >= LASTEvent || !kTable[event.type])
        return;
    X11NativeWindow* window = connection.Find(event.xany.window);
    if (!window)
        return;
    Scope scope{connection, *window, out};
    kTable[event.type](scope, event);
}

std::u16string KeyText(const char* lookup, int length, unsigned long keysym) {
    char32_t c = 0;
    if (length == 1 && static_cast<unsigned char>(lookup[0]) < 0x80)
        c = static_cast<unsigned char>(lookup[0]);
    else
        c = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    if (c == 0 || c == 0x7F || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {};
    if (c < 0x10000)
        return std::u16string(1, static_cast<char16_t>(c));
    c -= 0x10000;
    return {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
}

unsigned ModifiersOf(unsigned state, unsigned extraButtons) {
    constexpr std::pair<unsigned, unsigned> kBits[] = {
        {ShiftMask, kModShift},        {ControlMask, kModControl},      {Mod1Mask, kModAlt},
        {Button1Mask, kModLeftButton}, {Button2Mask, kModMiddleButton}, {Button3Mask, kModRightButton},
    };
    unsigned mods = extraButtons & (kModX1Button | kModX2Button);
    for (auto [x, native] : kBits)
        if (state & x)
            mods |= native;
    return mods;
}

} // namespace plat::x11
