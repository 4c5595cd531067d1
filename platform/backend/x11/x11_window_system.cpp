// Connections per thread, and the questions about the whole display: screen size, work
// area and resolution, the pointer, which keys are down, the clipboard.
#include "platform/backend/x11/x11_window_system.h"

#include "platform/backend/x11/x11_clipboard.h"
#include "platform/backend/x11/x11_connection.h"
#include "platform/backend/x11/x11_desktop.h"
#include "platform/backend/x11/x11_key_table.h"
#include "platform/backend/x11/x11_native_window.h"
#include "platform/backend/x11/x11_raw_input.h"
#include "platform/backend/x11/x11_tray_host.h"
#include "platform/text/utf.h"

#include "platform/backend/x11/x11_xlib.h"

#include <cmath>
#include <cstdlib>
#include <set>

namespace plat {

std::unique_ptr<WindowSystem> OpenX11WindowSystem(std::string* whyNot) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        if (whyNot)
            *whyNot = "DISPLAY is not set";
        return nullptr;
    }
    return x11::X11WindowSystem::Open(display, whyNot);
}

} // namespace plat

namespace plat::x11 {

namespace {

// Systems alive now, so that a thread ending after its system is gone touches nothing.
// Never destroyed: the process's default system may itself be destroyed during static
// destruction, after anything defined here would be.
struct LiveSystems {
    std::mutex mutex;
    std::set<X11WindowSystem*> systems;
};
LiveSystems& Live() {
    static auto* live = new LiveSystems;
    return *live;
}

struct ThreadEnd {
    std::set<X11WindowSystem*> used;
    ~ThreadEnd() {
        std::lock_guard lock(Live().mutex);
        for (X11WindowSystem* system : used)
            if (Live().systems.count(system))
                system->CloseThreadConnection(std::this_thread::get_id());
    }
};

thread_local ThreadEnd t_threadEnd;

// Xft.dpi of the desktop's resources, else the 96 the programs were drawn for.
int DesktopDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (!resources)
        return 96;
    XrmInitialize();
    XrmDatabase db = XrmGetStringDatabase(resources);
    int dpi = 96;
    char* type = nullptr;
    XrmValue value{};
    if (XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        const double parsed = std::strtod(value.addr, nullptr);
        if (parsed >= 48 && parsed <= 480)
            dpi = static_cast<int>(std::lround(parsed));
    }
    XrmDestroyDatabase(db);
    return dpi;
}

Rect WorkArea(X11Connection& connection, const Rect& screen) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Rect area = screen;
    if (XGetWindowProperty(connection.display(), connection.Root(), connection.atoms().netWorkArea, 0, 4,
                           False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count >= 4) {
        const auto* v = reinterpret_cast<const long*>(data);
        const Rect announced = Rect::FromSize(static_cast<int>(v[0]), static_cast<int>(v[1]),
                                              static_cast<int>(v[2]), static_cast<int>(v[3]));
        if (!announced.Intersect(screen).IsEmpty())
            area = announced.Intersect(screen);
    }
    if (data)
        XFree(data);
    return area;
}

} // namespace

std::unique_ptr<X11WindowSystem> X11WindowSystem::Open(const std::string& displayName, std::string* whyNot) {
    auto connection = X11Connection::Open(displayName, whyNot);
    if (!connection)
        return nullptr;
    std::unique_ptr<X11WindowSystem> system(new X11WindowSystem(displayName));
    system->m_connections[std::this_thread::get_id()] = std::move(connection);
    t_threadEnd.used.insert(system.get());
    // The foreground process and the first instance's window are found on this display.
    if (auto desktop = X11Desktop::Open(displayName)) {
        X11Desktop::Install(std::move(desktop));
        system->m_desktopInstalled = true;
    }
    // Without XInput 2 raw input stays silent; the windows work all the same.
    system->m_rawInput = X11RawInput::Open(displayName);
    return system;
}

X11WindowSystem::X11WindowSystem(std::string displayName) : m_displayName(std::move(displayName)) {
    std::lock_guard lock(Live().mutex);
    Live().systems.insert(this);
}

X11WindowSystem::~X11WindowSystem() {
    {
        std::lock_guard lock(Live().mutex);
        Live().systems.erase(this);
    }
    m_tray.reset();
    if (m_desktopInstalled)
        X11Desktop::Uninstall();
    m_rawInput.reset();
    std::lock_guard lock(m_mutex);
    m_connections.clear();
}

namespace {

// What a display whose second connection fails offers: never a tray.
class NoTrayHost final : public TrayHost {
public:
    bool Available() override { return false; }
    std::unique_ptr<TrayIcon> AddIcon(const Bitmap&, const std::u16string&, MouseSink) override {
        return nullptr;
    }
    void SetAppearanceListener(std::function<void()>) override {}
};

} // namespace

TrayHost& X11WindowSystem::Tray() {
    std::lock_guard lock(m_mutex);
    if (!m_tray) {
        m_tray = X11TrayHost::Open(m_displayName);
        if (!m_tray)
            m_tray = std::make_unique<NoTrayHost>();
    }
    return *m_tray;
}

X11Connection* X11WindowSystem::ThisThreadConnection() const {
    const auto id = std::this_thread::get_id();
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_connections.find(id);
        if (it != m_connections.end())
            return it->second.get();
    }
    auto connection = X11Connection::Open(m_displayName, nullptr);
    if (!connection)
        return nullptr;
    X11Connection* raw = connection.get();
    {
        std::lock_guard lock(m_mutex);
        m_connections[id] = std::move(connection);
    }
    t_threadEnd.used.insert(const_cast<X11WindowSystem*>(this));
    return raw;
}

void X11WindowSystem::CloseThreadConnection(std::thread::id thread) {
    std::unique_ptr<X11Connection> closing;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_connections.find(thread);
        if (it == m_connections.end())
            return;
        closing = std::move(it->second);
        m_connections.erase(it);
    }
}

ScreenInfo X11WindowSystem::Screen() const {
    X11Connection* connection = ThisThreadConnection();
    if (!connection)
        return {};
    Display* d = connection->display();
    const int screen = DefaultScreen(d);
    ScreenInfo info;
    info.bounds = {0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen)};
    info.workArea = WorkArea(*connection, info.bounds);
    info.dpi = DesktopDpi(d);
    connection->WakeIfQueued();
    return info;
}

std::unique_ptr<NativeWindow> X11WindowSystem::CreateWindow(const NativeWindowParams& params) {
    X11Connection* connection = ThisThreadConnection();
    if (!connection)
        return nullptr;
    return std::make_unique<X11NativeWindow>(*connection, params);
}

void X11WindowSystem::FetchEvents(std::vector<NativeEvent>& out) {
    X11Connection* connection = nullptr;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_connections.find(std::this_thread::get_id());
        if (it == m_connections.end())
            return;
        connection = it->second.get();
    }
    connection->Fetch(out);
}

Point X11WindowSystem::CursorPos() const {
    X11Connection* connection = ThisThreadConnection();
    if (!connection)
        return {};
    Window root = None;
    Window child = None;
    int x = 0;
    int y = 0;
    int wx = 0;
    int wy = 0;
    unsigned mask = 0;
    XQueryPointer(connection->display(), connection->Root(), &root, &child, &x, &y, &wx, &wy, &mask);
    connection->WakeIfQueued();
    return {x, y};
}

bool X11WindowSystem::IsKeyDown(std::uint16_t virtualKey) const {
    X11Connection* connection = ThisThreadConnection();
    if (!connection)
        return false;
    Display* d = connection->display();
    // Mouse buttons: left, right, middle (virtual keys 1, 2, 4).
    constexpr std::pair<std::uint16_t, unsigned> kButtons[] = {
        {0x01, Button1Mask}, {0x02, Button3Mask}, {0x04, Button2Mask}};
    for (auto [vk, mask] : kButtons) {
        if (vk != virtualKey)
            continue;
        Window root = None;
        Window child = None;
        int x = 0;
        int y = 0;
        unsigned state = 0;
        XQueryPointer(d, connection->Root(), &root, &child, &x, &y, &x, &y, &state);
        connection->WakeIfQueued();
        return (state & mask) != 0;
    }
    char keys[32] = {};
    XQueryKeymap(d, keys);
    connection->WakeIfQueued();
    for (unsigned keycode = 8; keycode < 256; ++keycode) {
        if (!(keys[keycode / 8] & (1 << (keycode % 8))))
            continue;
        const unsigned evdev = keycode - 8;
        // Keypad keys count under both of their meanings.
        for (bool numeric : {true, false}) {
            const auto pc = PcKeyFromEvdev(evdev, numeric);
            if (pc && pc->virtualKey == virtualKey)
                return true;
        }
        if (SidedVirtualKey(evdev) == virtualKey)
            return true;
    }
    return false;
}

void X11WindowSystem::SetClipboardText(const std::u16string& text) {
    if (X11Connection* connection = ThisThreadConnection())
        connection->Clipboard().SetText(Utf16ToUtf8(text));
}

std::u16string X11WindowSystem::ClipboardText() {
    X11Connection* connection = ThisThreadConnection();
    return connection ? Utf8ToUtf16(connection->Clipboard().Text()) : std::u16string{};
}

} // namespace plat::x11
