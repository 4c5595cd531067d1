// The listening thread owns its Xlib connection alone. It sleeps in poll on the
// connection's socket and a wake pipe; a change of wishes or the end writes to the pipe,
// and the thread re-selects the root window's raw events itself.
#include "platform/backend/x11/x11_raw_input.h"

#include "platform/backend/x11/x11_xlib.h"
#include "platform/os/keyboard_codes.h"
#include "platform/os/raw_input.h"

#include <X11/extensions/XInput2.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>

namespace plat::x11 {

struct X11RawInput::Impl {
    Display* display = nullptr;
    int opcode = 0;
    int wakeRead = -1;
    int wakeWrite = -1;
    std::mutex mutex;
    std::condition_variable applied;
    unsigned wantedGeneration = 0;
    unsigned appliedGeneration = 0;
    bool keyboard = false;
    bool mouse = false;
    bool stop = false;

    ~Impl() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
        if (wakeRead >= 0) {
            close(wakeRead);
            close(wakeWrite);
        }
    }

    void Wake() const {
        const char byte = 1;
        [[maybe_unused]] const auto written = write(wakeWrite, &byte, 1);
    }

    void Select(bool wantKeys, bool wantButtons) {
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        if (wantKeys) {
            XISetMask(bits, XI_RawKeyPress);
            XISetMask(bits, XI_RawKeyRelease);
        }
        if (wantButtons) {
            XISetMask(bits, XI_RawButtonPress);
            XISetMask(bits, XI_RawButtonRelease);
        }
        XIEventMask mask;
        mask.deviceid = XIAllMasterDevices;
        mask.mask_len = sizeof bits;
        mask.mask = bits;
        XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
        XSync(display, False);
    }

    void Handle(XEvent& event) const {
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != opcode || !XGetEventData(display, cookie)) {
            return;
        }
        const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
        const auto detail = static_cast<unsigned>(raw->detail);
        switch (cookie->evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            if (detail >= kX11KeycodeOffset) {
                DeliverRawKey(detail - kX11KeycodeOffset, cookie->evtype == XI_RawKeyRelease);
            }
            break;
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            DeliverRawButton(detail, cookie->evtype == XI_RawButtonRelease);
            break;
        default:
            break;
        }
        XFreeEventData(display, cookie);
    }
};

std::unique_ptr<X11RawInput> X11RawInput::Open(const std::string& displayName) {
    auto impl = std::make_unique<Impl>();
    impl->display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (impl->display == nullptr) {
        return nullptr;
    }
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(impl->display, "XInputExtension", &impl->opcode, &event, &error) ||
        XIQueryVersion(impl->display, &major, &minor) != Success) {
        return nullptr;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return nullptr;
    }
    impl->wakeRead = fds[0];
    impl->wakeWrite = fds[1];
    return std::unique_ptr<X11RawInput>(new X11RawInput(std::move(impl)));
}

X11RawInput::X11RawInput(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {
    m_thread = std::thread([this] { Run(); });
    SetRawInputSourceHook(this, [this](bool keyboard, bool mouse) { Want(keyboard, mouse); });
}

X11RawInput::~X11RawInput() {
    RemoveRawInputSourceHook(this);
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stop = true;
    }
    m_impl->Wake();
    m_thread.join();
}

// Returns once the server listens as wished, so input right after a registration counts;
// a stuck server costs a bounded wait, not a hang.
void X11RawInput::Want(bool keyboard, bool mouse) {
    std::unique_lock lock(m_impl->mutex);
    m_impl->keyboard = keyboard;
    m_impl->mouse = mouse;
    const unsigned generation = ++m_impl->wantedGeneration;
    m_impl->Wake();
    m_impl->applied.wait_for(lock, std::chrono::seconds(2),
                             [&] { return m_impl->appliedGeneration >= generation || m_impl->stop; });
}

void X11RawInput::Run() {
    Impl& impl = *m_impl;
    bool keyboard = false;
    bool mouse = false;
    for (;;) {
        {
            std::lock_guard lock(impl.mutex);
            if (impl.stop) {
                return;
            }
            if (impl.keyboard != keyboard || impl.mouse != mouse) {
                keyboard = impl.keyboard;
                mouse = impl.mouse;
                impl.Select(keyboard, mouse);
            }
            impl.appliedGeneration = impl.wantedGeneration;
            impl.applied.notify_all();
        }
        while (XPending(impl.display) > 0) {
            XEvent event;
            XNextEvent(impl.display, &event);
            impl.Handle(event);
        }
        pollfd fds[2] = {{ConnectionNumber(impl.display), POLLIN, 0}, {impl.wakeRead, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            continue;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            char drain[64];
            while (read(impl.wakeRead, drain, sizeof drain) > 0) {
            }
        }
    }
}

} // namespace plat::x11
