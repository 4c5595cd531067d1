// The shared fixture and the event collector of the x11 tests.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/core/timers.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace plat::testing {

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const UINT_PTR tick = SetTimer(nullptr, 0, 10);
    MSG msg;
    bool ok = done();
    while (!ok && std::chrono::steady_clock::now() < deadline && GetMessage(&msg, nullptr, 0, 0)) {
        PumpMessage(msg);
        ok = done();
    }
    KillTimer(nullptr, tick);
    return ok;
}

void Settle() {
    int rounds = 0;
    PumpUntil([&] { return ++rounds > 5; });
}

namespace {

constexpr UINT kTimeUp = WM_APP + 0x3F0;
constexpr UINT kSomethingArrived = WM_APP + 0x3F1;

} // namespace

EventCollector::EventCollector(WindowSystem& system) : m_system(system) {
    SetQueueHooks(this);
}

EventCollector::~EventCollector() {
    SetQueueHooks(nullptr);
}

void EventCollector::FetchEvents() {
    const size_t before = events.size();
    m_system.FetchEvents(events);
    if (events.size() != before)
        PostThreadMessage(GetCurrentThreadId(), kSomethingArrived, 0, 0);
}

bool EventCollector::WaitFor(const std::function<bool(const std::vector<NativeEvent>&)>& done,
                             std::chrono::milliseconds limit) {
    const DWORD self = GetCurrentThreadId();
    std::mutex mutex;
    std::condition_variable cv;
    bool finished = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        if (!cv.wait_for(lock, limit, [&] { return finished; }))
            PostThreadMessage(self, kTimeUp, 0, 0);
    });
    MSG msg;
    bool ok = done(events);
    while (!ok && GetMessage(&msg, nullptr, 0, 0)) {
        ok = done(events);
        if (msg.message == kTimeUp)
            break;
    }
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    cv.notify_all();
    watchdog.join();
    // Leave no time-up behind for the next wait.
    while (PeekMessage(&msg, nullptr, kTimeUp, kSomethingArrived, PM_REMOVE)) {
    }
    return ok;
}

bool EventCollector::WaitForKind(NativeEventKind kind, std::chrono::milliseconds limit) {
    return WaitFor(
        [kind](const std::vector<NativeEvent>& all) {
            for (const NativeEvent& e : all)
                if (e.kind == kind)
                    return true;
            return false;
        },
        limit);
}

void X11Fixture::SetUp() {
    if (!XvfbServer::Installed())
        GTEST_SKIP() << "Xvfb is not installed";
    m_server = std::make_unique<XvfbServer>();
    ASSERT_TRUE(m_server->Running()) << "Xvfb did not start";
    setenv("DISPLAY", m_server->Display().c_str(), 1);
    std::string whyNot;
    m_system = x11::X11WindowSystem::Open(m_server->Display(), &whyNot);
    ASSERT_TRUE(m_system) << whyNot;
    m_x11 = m_system.get();
    m_probe = XOpenDisplay(m_server->Display().c_str());
    ASSERT_NE(m_probe, nullptr);
}

void X11Fixture::LendSystem() {
    m_previous = InstallWindowSystem(std::move(m_system));
    m_lent = true;
}

void X11Fixture::TearDown() {
    if (m_lent) {
        m_system.reset(
            static_cast<x11::X11WindowSystem*>(InstallWindowSystem(std::move(m_previous)).release()));
        m_lent = false;
    }
    // A window system a test opened on this server must go before the server does: its
    // connection would break, and Xlib ends the process when the next test touches it.
    InstallWindowSystem(nullptr);
    if (m_probe)
        XCloseDisplay(m_probe);
    m_probe = nullptr;
    m_system.reset();
    m_x11 = nullptr;
    m_server.reset();
    unsetenv("DISPLAY");
}

bool X11Fixture::Xdotool(const std::vector<std::string>& args) {
    if (!ProgramInstalled("xdotool"))
        return false;
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunWithDisplay(m_server->Display(), argv);
}

std::vector<unsigned long> X11Fixture::Property32(Window window, const char* name, Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    const Atom atom = XInternAtom(m_probe, name, False);
    if (XGetWindowProperty(m_probe, window, atom, 0, 64, False, type, &actual, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        const auto* v = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            values.push_back(v[i] & 0xFFFFFFFFul);
    }
    if (data)
        XFree(data);
    return values;
}

std::string X11Fixture::PropertyText(Window window, const char* name) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::string text;
    const Atom atom = XInternAtom(m_probe, name, False);
    if (XGetWindowProperty(m_probe, window, atom, 0, 1024, False, AnyPropertyType, &actual, &format, &count,
                           &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

std::vector<Rect> X11Fixture::ShapeRects(Window window, int kind) {
    int count = 0;
    int ordering = 0;
    XRectangle* rects = XShapeGetRectangles(m_probe, window, kind, &count, &ordering);
    std::vector<Rect> out;
    for (int i = 0; i < count; ++i)
        out.push_back(Rect::FromSize(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
    if (rects)
        XFree(rects);
    return out;
}

Bitmap X11Fixture::ScreenPixels(const Rect& area) {
    Bitmap out(area.Width(), area.Height());
    XImage* image = XGetImage(m_probe, DefaultRootWindow(m_probe), area.left, area.top,
                              static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()),
                              AllPlanes, ZPixmap);
    if (!image)
        return out;
    for (int y = 0; y < area.Height(); ++y)
        for (int x = 0; x < area.Width(); ++x)
            out.SetPixelAt(x, y, static_cast<std::uint32_t>(XGetPixel(image, x, y)) | 0xFF000000u);
    XDestroyImage(image);
    return out;
}

void X11Fixture::SyncOurs() {
    if (x11::X11Connection* connection = m_x11->ThisThreadConnection())
        connection->SyncForError();
}

void X11Fixture::SyncProbe() {
    SyncOurs();
    XSync(m_probe, False);
}

} // namespace plat::testing
