// Another program's windows seen through the desktop: the process of the active window,
// and finding a top-level window by class and bringing it (or its pop-up) forward. The
// "other program" is the fixture's plain Xlib connection.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_desktop.h"
#include "platform/os/foreground_process.h"

namespace plat::testing {
namespace {

using x11::X11Desktop;

class X11DesktopTest : public X11Fixture {
protected:
    Window Foreign(const char* instanceName, const char* className, long pid, bool mapped) {
        const Window w = XCreateSimpleWindow(Probe(), DefaultRootWindow(Probe()), 10, 10, 50, 40, 0, 0, 0);
        XClassHint hint{const_cast<char*>(instanceName), const_cast<char*>(className)};
        XSetClassHint(Probe(), w, &hint);
        XChangeProperty(Probe(), w, XInternAtom(Probe(), "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        if (mapped)
            XMapWindow(Probe(), w);
        XSync(Probe(), False);
        return w;
    }
    void SetActive(Window w) {
        const long value = static_cast<long>(w);
        XChangeProperty(Probe(), DefaultRootWindow(Probe()),
                        XInternAtom(Probe(), "_NET_ACTIVE_WINDOW", False), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
        XSync(Probe(), False);
    }
    bool Viewable(Window w) {
        XWindowAttributes a{};
        return XGetWindowAttributes(Probe(), w, &a) && a.map_state == IsViewable;
    }
    Window Focus() {
        Window w{};
        int revert = 0;
        XGetInputFocus(Probe(), &w, &revert);
        return w;
    }
};

TEST_F(X11DesktopTest, ForegroundProcessIsThePidOfTheActiveWindow) {
    const Window w = Foreign("game", "Game", 4242, true);
    SetActive(w);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 4242);
    SetActive(0);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 0);
    const Window noPid = XCreateSimpleWindow(Probe(), DefaultRootWindow(Probe()), 0, 0, 5, 5, 0, 0, 0);
    SetActive(noPid);
    EXPECT_EQ(ProcessIdOfForegroundWindow(), 0) << "a window without _NET_WM_PID has no known process";
}

TEST_F(X11DesktopTest, FindsTheOwnerWindowOfAClassPreferringTheProcess) {
    auto desktop = X11Desktop::Open(DisplayName());
    ASSERT_TRUE(desktop);
    const Window other = Foreign("kavoxconfig", "KavoxConfig", 111, true);
    const Window mine = Foreign("kavoxconfig", "KavoxConfig", 222, true);
    const Window popup = Foreign("kavoxconfig", "KavoxConfig", 222, true);
    XSetTransientForHint(Probe(), popup, mine);
    XSync(Probe(), False);

    EXPECT_EQ(desktop->FindTopLevel("KAVOXCONFIG", 222), mine) << "class ignores case";
    EXPECT_EQ(desktop->FindTopLevel("KavoxConfig", 111), other);
    const Window any = desktop->FindTopLevel("KavoxConfig", 999);
    EXPECT_TRUE(any == other || any == mine) << "no pop-up, and any owner when the process is unknown";
    EXPECT_EQ(desktop->FindTopLevel("Nothing", 0), 0u);
}

TEST_F(X11DesktopTest, RaiseRestoresAMinimisedWindowAndFocusesTheLastPopup) {
    auto desktop = X11Desktop::Open(DisplayName());
    ASSERT_TRUE(desktop);
    const Window hidden = Foreign("first", "First", 5, false);
    ASSERT_TRUE(desktop->Raise(hidden));
    EXPECT_TRUE(Viewable(hidden));
    EXPECT_EQ(Focus(), hidden);

    const Window main = Foreign("second", "Second", 6, true);
    const Window popup = Foreign("second", "Second", 6, true);
    XSetTransientForHint(Probe(), popup, main);
    XSync(Probe(), False);
    ASSERT_TRUE(desktop->Raise(main));
    EXPECT_EQ(Focus(), popup) << "the user was busy in the pop-up";
    EXPECT_FALSE(desktop->Raise(0));
}

} // namespace
} // namespace plat::testing
