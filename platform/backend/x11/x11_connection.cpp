// Opening a connection (visual check, atoms, MIT-SHM probe, detectable key repeat), the
// watcher that wakes the owner's loop, and the drain of events into native events.
#include "platform/backend/x11/x11_connection.h"

#include "platform/backend/x11/x11_clipboard.h"
#include "platform/backend/x11/x11_event_translator.h"
#include "platform/core/message_queue.h"

#include "platform/backend/x11/x11_xlib.h"
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace plat::x11 {

namespace {

// X errors are expected (a window the window manager destroyed, a refused shared-memory
// attach); each thread notes the first one since it last asked, instead of exiting.
thread_local int t_firstError = 0;

int NoteError(Display*, XErrorEvent* error) {
    if (t_firstError == 0)
        t_firstError = error->error_code;
    return 0;
}

std::once_flag g_handlerOnce;

bool IsOurPixelFormat(const Visual* visual, int depth) {
    return visual->c_class == TrueColor && (depth == 24 || depth == 32) && visual->red_mask == 0xFF0000 &&
           visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

// Shared memory works only when the server sees our segments (a local server): try one.
bool ProbeShm(X11Connection& connection) {
    Display* d = connection.display();
    if (!XShmQueryExtension(d))
        return false;
    XShmSegmentInfo info{};
    info.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
    if (info.shmid < 0)
        return false;
    info.shmaddr = static_cast<char*>(shmat(info.shmid, nullptr, 0));
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (info.shmaddr == reinterpret_cast<char*>(-1))
        return false;
    info.readOnly = True;
    XShmAttach(d, &info);
    const bool attached = connection.SyncForError() == 0;
    if (attached)
        XShmDetach(d, &info);
    connection.SyncForError();
    shmdt(info.shmaddr);
    return attached;
}

} // namespace

std::unique_ptr<X11Connection> X11Connection::Open(const std::string& displayName, std::string* whyNot) {
    std::call_once(g_handlerOnce, [] {
        XInitThreads();
        XSetErrorHandler(NoteError);
    });
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) {
        if (whyNot)
            *whyNot = "cannot open display \"" + displayName + "\"";
        return nullptr;
    }
    std::unique_ptr<X11Connection> connection(new X11Connection(display, GetCurrentThreadId()));
    if (!connection->Initialise(whyNot))
        return nullptr;
    connection->StartWatcher();
    return connection;
}

X11Connection::X11Connection(Display* display, DWORD thread) : m_display(display), m_thread(thread) {}

X11Connection::~X11Connection() {
    StopWatcher();
    m_clipboard.reset();
    for (auto& [shape, cursor] : m_cursors)
        XFreeCursor(m_display, cursor);
    XCloseDisplay(m_display);
}

bool X11Connection::Initialise(std::string* whyNot) {
    const int screen = DefaultScreen(m_display);
    m_root = RootWindow(m_display, screen);
    m_visual = DefaultVisual(m_display, screen);
    m_depth = DefaultDepth(m_display, screen);
    if (!IsOurPixelFormat(m_visual, m_depth)) {
        if (whyNot)
            *whyNot = "the display's default visual is not 24-bit true colour";
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    m_hasShape = XShapeQueryExtension(m_display, &eventBase, &errorBase);
    m_atoms.Intern(m_display);
    // KAVOX_X11_SHM=0 forces plain image requests (a server that cannot be trusted with
    // shared memory, or a comparison of both ways).
    const char* shm = std::getenv("KAVOX_X11_SHM");
    m_hasShm = !(shm && std::string_view(shm) == "0") && ProbeShm(*this);
    // Held keys repeat as presses only, so a repeat is told from a new press.
    Bool supported = False;
    XkbSetDetectableAutoRepeat(m_display, True, &supported);
    m_clipboard = std::make_unique<X11Clipboard>(*this);
    return true;
}

void X11Connection::Register(Window window, X11NativeWindow* native) {
    m_windows[window] = native;
}

void X11Connection::Unregister(Window window) {
    m_windows.erase(window);
}

X11NativeWindow* X11Connection::Find(Window window) const {
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : it->second;
}

void X11Connection::Fetch(std::vector<NativeEvent>& out) {
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (m_clipboard->HandleEvent(event))
            continue;
        TranslateEvent(*this, event, out);
    }
    // Translation may have answered with requests (focus on click, a selection reply).
    XFlush(m_display);
    Arm();
}

void X11Connection::WakeIfQueued() {
    if (XEventsQueued(m_display, QueuedAlready) > 0)
        WakeThread(m_thread);
}

int X11Connection::SyncForError() {
    XSync(m_display, False);
    const int error = t_firstError;
    t_firstError = 0;
    WakeIfQueued();
    return error;
}

bool X11Connection::WindowManagerSupports(Atom feature) {
    auto readWindow = [&](Window on) -> Window {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        Window result = None;
        if (XGetWindowProperty(m_display, on, m_atoms.netSupportingWmCheck, 0, 1, False, XA_WINDOW, &type,
                               &format, &count, &after, &data) == Success &&
            data && count == 1 && format == 32)
            result = static_cast<Window>(reinterpret_cast<unsigned long*>(data)[0]);
        if (data)
            XFree(data);
        return result;
    };
    // A stale check window (the manager died) has no property of its own.
    const Window check = readWindow(m_root);
    const bool running = check != None && readWindow(check) == check;
    bool supported = false;
    if (running) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m_display, m_root, m_atoms.netSupported, 0, 4096, False, XA_ATOM, &type,
                               &format, &count, &after, &data) == Success &&
            data && format == 32) {
            const auto* atoms = reinterpret_cast<unsigned long*>(data);
            supported = std::find(atoms, atoms + count, feature) != atoms + count;
        }
        if (data)
            XFree(data);
    }
    SyncForError();
    return supported;
}

void X11Connection::NoteEventTime(Time time) {
    if (time != CurrentTime)
        m_lastTime = time;
}

Cursor X11Connection::CursorFor(unsigned fontShape) {
    auto it = m_cursors.find(fontShape);
    if (it == m_cursors.end())
        it = m_cursors.emplace(fontShape, XCreateFontCursor(m_display, fontShape)).first;
    return it->second;
}

void X11Connection::StartWatcher() {
    m_stopFd = eventfd(0, EFD_CLOEXEC);
    m_watcher = std::thread([this] { Watch(); });
}

void X11Connection::StopWatcher() {
    {
        std::lock_guard lock(m_watchMutex);
        m_stop = true;
    }
    m_watchCv.notify_all();
    if (m_stopFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(m_stopFd, &one, sizeof one);
    }
    if (m_watcher.joinable())
        m_watcher.join();
    if (m_stopFd >= 0)
        close(m_stopFd);
}

void X11Connection::Arm() {
    {
        std::lock_guard lock(m_watchMutex);
        m_armed = true;
    }
    m_watchCv.notify_all();
}

void X11Connection::Watch() {
    const int socket = ConnectionNumber(m_display);
    std::unique_lock lock(m_watchMutex);
    while (!m_stop) {
        m_watchCv.wait(lock, [&] { return m_armed || m_stop; });
        if (m_stop)
            break;
        lock.unlock();
        pollfd fds[2] = {{socket, POLLIN, 0}, {m_stopFd, POLLIN, 0}};
        const int ready = poll(fds, 2, -1);
        lock.lock();
        if (m_stop)
            break;
        if (ready > 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            // Quiet until the owner has drained; a dead connection is reported once.
            m_armed = false;
            WakeThread(m_thread);
        }
    }
}

} // namespace plat::x11
