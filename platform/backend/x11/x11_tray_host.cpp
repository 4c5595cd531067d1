// XEmbed tray icons: dock requests, painting at the size the host gives, pointer events
// as mouse messages, tips on hover, and hosts that come and go.
#include "platform/backend/x11/x11_tray_host.h"

#include "platform/backend/x11/x11_xlib.h"
#include "platform/text/utf.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace plat::x11 {

namespace {

constexpr long kDockRequest = 0;  // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kXEmbedMapped = 1; // XEMBED_MAPPED in _XEMBED_INFO's flags
constexpr int kInitialSize = 24;
constexpr std::uint32_t kSlotBackground = 0xFF3C3C3C;
constexpr Time kDoubleClickMs = 500;
constexpr int kPollMs = 100;

constexpr UINT kMouseMove = 0x0200;
// Down, up, double click for X buttons 1 (left), 2 (middle), 3 (right).
constexpr UINT kButtonMessages[3][3] = {
    {0x0201, 0x0202, 0x0203}, {0x0207, 0x0208, 0x0209}, {0x0204, 0x0205, 0x0206}};

std::uint32_t Blend(std::uint32_t over, std::uint32_t under) {
    const std::uint32_t a = over >> 24;
    auto channel = [&](int shift) {
        const std::uint32_t o = (over >> shift) & 0xFF, u = (under >> shift) & 0xFF;
        return ((o * a + u * (255 - a) + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

} // namespace

Bitmap TraySlotPicture(const Bitmap& image, int width, int height, std::uint32_t background) {
    Bitmap out(std::max(width, 1), std::max(height, 1), background | 0xFF000000u);
    if (image.IsEmpty())
        return out;
    // The largest size of the image's shape that fits, never zero.
    const double scale = std::min(double(out.Width()) / image.Width(), double(out.Height()) / image.Height());
    const int w = std::max(1, int(image.Width() * scale));
    const int h = std::max(1, int(image.Height() * scale));
    const int left = (out.Width() - w) / 2, top = (out.Height() - h) / 2;
    for (int y = 0; y < h; ++y) {
        const int sy = std::min(image.Height() - 1, int((y + 0.5) * image.Height() / h));
        for (int x = 0; x < w; ++x) {
            const int sx = std::min(image.Width() - 1, int((x + 0.5) * image.Width() / w));
            out.Row(top + y)[left + x] = Blend(image.Row(sy)[sx], out.Row(top + y)[left + x]);
        }
    }
    return out;
}

struct X11TrayHost::State {
    struct Icon {
        Bitmap image;
        std::u16string tip;
        MouseSink sink;
        int width{kInitialSize};
        int height{kInitialSize};
        unsigned lastButton{0};
        Time lastPress{0};
    };

    // All with `mutex` held.
    Window FindManager();
    Window CreateIconWindow(const std::u16string& tip);
    void Dock(Window icon);
    void Paint(Window window);
    void SetTipText(Window window, const std::u16string& tip);
    void ShowTip(Window icon, int rootX, int rootY);
    void HideTip();
    void DropIconWindows();
    // Returns what to call once the lock is released.
    std::vector<std::function<void()>> Handle(XEvent& event);

    std::mutex mutex;
    Display* display{nullptr};
    int screen{0};
    Window root{};
    Atom selection{}, opcode{}, manager{}, xembedInfo{}, netWmName{}, utf8{};
    Window owner{}; // the tray host's window, 0 when none runs
    std::map<Window, Icon> icons;
    // Icons whose window the host took with it; their owners keep them until they add
    // their icons again.
    Window tip{};
    std::function<void()> listener;
    int wakeRead{-1}, wakeWrite{-1};
    bool stop{false};
};

Window X11TrayHost::State::FindManager() {
    if (owner)
        return owner;
    owner = XGetSelectionOwner(display, selection);
    if (owner)
        XSelectInput(display, owner, StructureNotifyMask);
    return owner;
}

Window X11TrayHost::State::CreateIconWindow(const std::u16string& tipText) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = kSlotBackground & 0xFFFFFF;
    attributes.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    const Window window = XCreateWindow(display, root, 0, 0, kInitialSize, kInitialSize, 0, CopyFromParent,
                                        InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    const long info[2] = {0, kXEmbedMapped};
    XChangeProperty(display, window, xembedInfo, xembedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    XSizeHints hints{};
    hints.flags = PMinSize;
    hints.min_width = hints.min_height = 16;
    XSetWMNormalHints(display, window, &hints);
    SetTipText(window, tipText);
    return window;
}

void X11TrayHost::State::Dock(Window icon) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = owner;
    event.xclient.message_type = opcode;
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = kDockRequest;
    event.xclient.data.l[2] = static_cast<long>(icon);
    XSendEvent(display, owner, False, NoEventMask, &event);
    XFlush(display);
}

void X11TrayHost::State::Paint(Window window) {
    const auto it = icons.find(window);
    if (it == icons.end())
        return;
    const Icon& icon = it->second;
    Bitmap picture = TraySlotPicture(icon.image, icon.width, icon.height, kSlotBackground);
    XImage* image =
        XCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap, 0,
                     reinterpret_cast<char*>(picture.Data()), picture.Width(), picture.Height(), 32, 0);
    if (!image)
        return;
    const GC gc = DefaultGC(display, screen);
    XPutImage(display, window, gc, image, 0, 0, 0, 0, picture.Width(), picture.Height());
    image->data = nullptr; // the bitmap owns the pixels
    XDestroyImage(image);
    XFlush(display);
}

void X11TrayHost::State::SetTipText(Window window, const std::u16string& tipText) {
    const std::string text = Utf16ToUtf8(tipText);
    XChangeProperty(display, window, netWmName, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    XStoreName(display, window, text.c_str());
}

void X11TrayHost::State::ShowTip(Window iconWindow, int rootX, int rootY) {
    HideTip();
    const auto it = icons.find(iconWindow);
    if (it == icons.end() || it->second.tip.empty())
        return;
    // A plain box near the pointer with the tip in the server's default font.
    const std::string text = Utf16ToUtf8(it->second.tip);
    XFontStruct* font = XQueryFont(display, XGContextFromGC(DefaultGC(display, screen)));
    const int textWidth =
        font ? XTextWidth(font, text.c_str(), static_cast<int>(text.size())) : 6 * int(text.size());
    const int ascent = font ? font->ascent : 11, descent = font ? font->descent : 3;
    if (font)
        XFreeFontInfo(nullptr, font, 1);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = 0xFFFFE1;
    attributes.border_pixel = 0;
    const int width = textWidth + 8, height = ascent + descent + 6;
    const int x = std::max(0, std::min(rootX + 12, DisplayWidth(display, screen) - width - 2));
    const int y =
        rootY + 20 + height < DisplayHeight(display, screen) ? rootY + 20 : std::max(0, rootY - 20 - height);
    tip = XCreateWindow(display, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 1,
                        CopyFromParent, InputOutput, CopyFromParent,
                        CWOverrideRedirect | CWBackPixel | CWBorderPixel, &attributes);
    XSelectInput(display, tip, ExposureMask);
    XStoreName(display, tip, text.c_str());
    XMapRaised(display, tip);
    XFlush(display);
}

void X11TrayHost::State::HideTip() {
    if (!tip)
        return;
    XDestroyWindow(display, tip);
    tip = 0;
    XFlush(display);
}

void X11TrayHost::State::DropIconWindows() {
    HideTip();
    for (auto& [window, icon] : icons)
        XDestroyWindow(display, window);
    icons.clear();
    XFlush(display);
}

std::vector<std::function<void()>> X11TrayHost::State::Handle(XEvent& event) {
    std::vector<std::function<void()>> calls;
    auto send = [&](Window window, UINT message) {
        const auto it = icons.find(window);
        if (it != icons.end() && it->second.sink)
            calls.push_back([sink = it->second.sink, message] { sink(message); });
    };
    switch (event.type) {
    case ClientMessage:
        if (event.xclient.window == root && event.xclient.message_type == manager &&
            static_cast<Atom>(event.xclient.data.l[1]) == selection) {
            // A new host: the icons of the old one are gone for good.
            DropIconWindows();
            owner = 0;
            FindManager();
            if (listener)
                calls.push_back(listener);
        }
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == owner && owner) {
            owner = 0;
            // Unembedded icons would land on the root window (the host's save-set).
            DropIconWindows();
        }
        break;
    case ConfigureNotify: {
        const auto it = icons.find(event.xconfigure.window);
        if (it != icons.end() &&
            (it->second.width != event.xconfigure.width || it->second.height != event.xconfigure.height)) {
            it->second.width = event.xconfigure.width;
            it->second.height = event.xconfigure.height;
            Paint(event.xconfigure.window);
        }
        break;
    }
    case Expose:
        if (event.xexpose.count == 0 && event.xexpose.window == tip) {
            const GC gc = DefaultGC(display, screen);
            XFontStruct* font = XQueryFont(display, XGContextFromGC(gc));
            const int ascent = font ? font->ascent : 11;
            if (font)
                XFreeFontInfo(nullptr, font, 1);
            char* name = nullptr;
            if (XFetchName(display, tip, &name) && name) {
                XSetForeground(display, gc, BlackPixel(display, screen));
                XDrawString(display, tip, gc, 4, 3 + ascent, name, static_cast<int>(std::strlen(name)));
                XFree(name);
            }
        } else if (event.xexpose.count == 0) {
            Paint(event.xexpose.window);
        }
        break;
    case MotionNotify:
        send(event.xmotion.window, kMouseMove);
        break;
    case EnterNotify:
        if (icons.count(event.xcrossing.window))
            ShowTip(event.xcrossing.window, event.xcrossing.x_root, event.xcrossing.y_root);
        break;
    case LeaveNotify:
        HideTip();
        break;
    default:
        if (event.type == xevent::kButtonPress || event.type == xevent::kButtonRelease) {
            const XButtonEvent& b = event.xbutton;
            if (b.button < 1 || b.button > 3)
                break;
            HideTip();
            const auto it = icons.find(b.window);
            if (it == icons.end())
                break;
            const UINT* messages = kButtonMessages[b.button - 1];
            if (event.type == xevent::kButtonRelease) {
                send(b.window, messages[1]);
                break;
            }
            State::Icon& icon = it->second;
            const bool second = icon.lastButton == b.button && b.time - icon.lastPress <= kDoubleClickMs;
            send(b.window, second ? messages[2] : messages[0]);
            // A third press starts a new pair.
            icon.lastButton = second ? 0 : b.button;
            icon.lastPress = b.time;
        }
        break;
    }
    return calls;
}

namespace {

class X11Icon final : public TrayIcon {
public:
    X11Icon(std::weak_ptr<X11TrayHost::State> state, unsigned long window)
        : m_state(std::move(state)), m_window(window) {}
    ~X11Icon() override;
    void SetImage(const Bitmap& image) override;
    void SetTip(const std::u16string& tip) override;

private:
    // Runs `change` on this icon's entry under the host's lock, if host and icon still exist.
    template <class Change> void Update(Change change) {
        auto state = m_state.lock();
        if (!state)
            return;
        std::lock_guard lock(state->mutex);
        const auto it = state->icons.find(m_window);
        if (it != state->icons.end())
            change(*state, it->second);
    }

    std::weak_ptr<X11TrayHost::State> m_state;
    unsigned long m_window;
};

} // namespace

X11Icon::~X11Icon() {
    auto state = m_state.lock();
    if (!state)
        return;
    std::lock_guard lock(state->mutex);
    if (state->icons.erase(m_window)) {
        state->HideTip();
        XDestroyWindow(state->display, m_window);
        XFlush(state->display);
    }
}

void X11Icon::SetImage(const Bitmap& image) {
    Update([&](X11TrayHost::State& state, X11TrayHost::State::Icon& icon) {
        icon.image = image;
        state.Paint(m_window);
    });
}

void X11Icon::SetTip(const std::u16string& tip) {
    Update([&](X11TrayHost::State& state, X11TrayHost::State::Icon& icon) {
        icon.tip = tip;
        state.SetTipText(m_window, tip);
        XFlush(state.display);
    });
}

std::unique_ptr<X11TrayHost> X11TrayHost::Open(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display)
        return nullptr;
    auto state = std::make_shared<State>();
    state->display = display;
    state->screen = DefaultScreen(display);
    state->root = RootWindow(display, state->screen);
    const std::string selectionName = "_NET_SYSTEM_TRAY_S" + std::to_string(state->screen);
    state->selection = XInternAtom(display, selectionName.c_str(), False);
    state->opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
    state->manager = XInternAtom(display, "MANAGER", False);
    state->xembedInfo = XInternAtom(display, "_XEMBED_INFO", False);
    state->netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    state->utf8 = XInternAtom(display, "UTF8_STRING", False);
    // MANAGER is sent to the root window with StructureNotifyMask.
    XSelectInput(display, state->root, StructureNotifyMask);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        XCloseDisplay(display);
        return nullptr;
    }
    state->wakeRead = pipeFds[0];
    state->wakeWrite = pipeFds[1];
    XFlush(display);
    std::unique_ptr<X11TrayHost> host(new X11TrayHost(std::move(state)));
    host->m_thread = std::thread([raw = host.get()] { raw->Run(); });
    return host;
}

X11TrayHost::X11TrayHost(std::shared_ptr<State> state) : m_state(std::move(state)) {}

X11TrayHost::~X11TrayHost() {
    {
        std::lock_guard lock(m_state->mutex);
        m_state->stop = true;
    }
    const char byte = 0;
    [[maybe_unused]] const auto written = write(m_state->wakeWrite, &byte, 1);
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_state->mutex);
    m_state->DropIconWindows();
    XCloseDisplay(m_state->display);
    m_state->display = nullptr;
    close(m_state->wakeRead);
    close(m_state->wakeWrite);
    // Icons that outlive the host find no state and do nothing.
}

void X11TrayHost::Run() {
    const int xfd = ConnectionNumber(m_state->display);
    for (;;) {
        std::vector<std::function<void()>> calls;
        {
            std::lock_guard lock(m_state->mutex);
            if (m_state->stop)
                return;
            while (XPending(m_state->display)) {
                XEvent event;
                XNextEvent(m_state->display, &event);
                auto more = m_state->Handle(event);
                calls.insert(calls.end(), more.begin(), more.end());
            }
        }
        for (auto& call : calls)
            call();
        pollfd fds[2] = {{xfd, POLLIN, 0}, {m_state->wakeRead, POLLIN, 0}};
        // Requests of other threads may leave events in Xlib's queue without waking the
        // socket; the bounded wait picks them up.
        poll(fds, 2, kPollMs);
        char drain[16];
        while (read(m_state->wakeRead, drain, sizeof drain) > 0) {
        }
    }
}

bool X11TrayHost::Available() {
    std::lock_guard lock(m_state->mutex);
    return m_state->FindManager() != 0;
}

std::unique_ptr<TrayIcon> X11TrayHost::AddIcon(const Bitmap& image, const std::u16string& tip,
                                               MouseSink sink) {
    std::lock_guard lock(m_state->mutex);
    if (!m_state->FindManager())
        return nullptr;
    const Window window = m_state->CreateIconWindow(tip);
    m_state->icons[window] = State::Icon{image, tip, std::move(sink)};
    m_state->Dock(window);
    const char byte = 0;
    [[maybe_unused]] const auto written = write(m_state->wakeWrite, &byte, 1);
    return std::make_unique<X11Icon>(m_state, window);
}

void X11TrayHost::SetAppearanceListener(std::function<void()> listener) {
    std::lock_guard lock(m_state->mutex);
    m_state->listener = std::move(listener);
}

} // namespace plat::x11
