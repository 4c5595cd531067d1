// A tray icon in a real XEmbed tray host (trayer): it docks and is painted, a click made
// by xdotool arrives as the callback message, and when trayer restarts the program hears
// "TaskbarCreated" and docks its icon again. Skips when trayer or xdotool is missing.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/core/registered_message.h"
#include "platform/window/shell_notify_icon.h"
#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

#include <csignal>
#include <cstring>
#include <optional>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace plat::testing {
namespace {

constexpr UINT kCallback = WM_USER + 9;
constexpr char16_t kOwnerClass[] = u"KavoxTrayOwner";
constexpr char16_t kTip[] = u"Kavox tray test";

class OwnerWnd : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> callbacks;
    int taskbarCreated{0};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kCallback)
            callbacks.emplace_back(wParam, lParam);
        if (message == RegisterWindowMessage(u"TaskbarCreated"))
            ++taskbarCreated;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class X11TrayTest : public X11Fixture {
protected:
    void SetUp() override {
        if (!ProgramInstalled("trayer") || !ProgramInstalled("xdotool"))
            GTEST_SKIP() << "trayer or xdotool is not installed";
        X11Fixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        LendSystem();
        m_installed = true;
        RegisterClass({0, kOwnerClass, std::nullopt, CursorShape::Arrow});
        ASSERT_TRUE(owner.CreateEx(0, kOwnerClass, u"owner", WS_POPUP, {0, 0, 10, 10}, nullptr));
    }
    void TearDown() override {
        if (m_installed) {
            NOTIFYICONDATA d = Data();
            Shell_NotifyIcon(NIM_DELETE, &d);
            owner.DestroyWindow();
        }
        StopTrayer();
        X11Fixture::TearDown();
    }

    NOTIFYICONDATA Data() {
        NOTIFYICONDATA d;
        d.hWnd = owner.GetSafeHwnd();
        d.uID = 7;
        d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        d.uCallbackMessage = kCallback;
        d.hIcon = std::make_shared<Bitmap>(64, 64, 0xFF00C000); // scaled down to the slot
        d.szTip = kTip;
        return d;
    }

    bool StartTrayer() {
        const std::string display = "DISPLAY=" + DisplayName();
        std::vector<std::string> args{"trayer",      "--edge",        "top",      "--align", "right",
                                      "--widthtype", "request",       "--height", "32",      "--transparent",
                                      "false",       "--SetDockType", "false"};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "DISPLAY=", 8) != 0)
                env.push_back(*e);
        env.push_back(const_cast<char*>(display.c_str()));
        env.push_back(nullptr);
        return posix_spawnp(&m_trayer, "trayer", nullptr, nullptr, argv.data(), env.data()) == 0;
    }
    void StopTrayer() {
        if (m_trayer <= 0)
            return;
        kill(m_trayer, SIGTERM);
        for (int i = 0; i < 300 && waitpid(m_trayer, nullptr, WNOHANG) == 0; ++i)
            usleep(10000);
        if (waitpid(m_trayer, nullptr, WNOHANG) == 0) {
            kill(m_trayer, SIGKILL);
            waitpid(m_trayer, nullptr, 0);
        }
        m_trayer = -1;
    }

    // Our icon window once a tray host has embedded it: named with the tip, not a child of
    // the root window, and shown.
    std::optional<Rect> DockedIcon() {
        std::optional<Rect> found;
        std::function<void(Window, int)> walk = [&](Window w, int depth) {
            Window root{}, parent{};
            Window* children = nullptr;
            unsigned count = 0;
            if (!XQueryTree(Probe(), w, &root, &parent, &children, &count))
                return;
            for (unsigned i = 0; i < count && !found; ++i) {
                const Window child = children[i];
                XWindowAttributes a{};
                if (depth > 0 && PropertyText(child, "_NET_WM_NAME") == "Kavox tray test" &&
                    XGetWindowAttributes(Probe(), child, &a) && a.map_state == IsViewable) {
                    int x = 0, y = 0;
                    Window unused{};
                    XTranslateCoordinates(Probe(), child, DefaultRootWindow(Probe()), 0, 0, &x, &y, &unused);
                    found = Rect::FromSize(x, y, a.width, a.height);
                }
                walk(child, depth + 1);
            }
            if (children)
                XFree(children);
        };
        walk(DefaultRootWindow(Probe()), 0);
        return found;
    }

    // A shown override-redirect window on the root that carries the tip text.
    bool TipShown() {
        Window root{}, parent{};
        Window* children = nullptr;
        unsigned count = 0;
        bool shown = false;
        if (!XQueryTree(Probe(), DefaultRootWindow(Probe()), &root, &parent, &children, &count))
            return false;
        for (unsigned i = 0; i < count && !shown; ++i) {
            XWindowAttributes a{};
            char* name = nullptr;
            if (XGetWindowAttributes(Probe(), children[i], &a) && a.override_redirect &&
                a.map_state == IsViewable && XFetchName(Probe(), children[i], &name) && name) {
                shown = std::string(name) == "Kavox tray test";
                XFree(name);
            }
        }
        if (children)
            XFree(children);
        return shown;
    }

    // Adds the icon once a host announces itself and waits until it is embedded.
    std::optional<Rect> DockAfterAnnouncement(int announcements) {
        if (!PumpUntil([&] { return owner.taskbarCreated >= announcements; }, 10s))
            return std::nullopt;
        NOTIFYICONDATA d = Data();
        if (!Shell_NotifyIcon(NIM_ADD, &d))
            return std::nullopt;
        std::optional<Rect> icon;
        PumpUntil([&] { return (icon = DockedIcon()).has_value(); }, 10s);
        return icon;
    }

    OwnerWnd owner;
    bool m_installed{false};
    pid_t m_trayer{-1};
};

TEST_F(X11TrayTest, IconDocksAnswersClicksAndComesBackWhenTheTrayRestarts) {
    NOTIFYICONDATA d = Data();
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d)) << "no tray host runs yet";

    ASSERT_TRUE(StartTrayer());
    const auto icon = DockAfterAnnouncement(1);
    ASSERT_TRUE(icon) << "the icon did not dock into trayer";
    EXPECT_GE(icon->Width(), 16);

    // Painted: the middle of the slot shows the icon's colour.
    const int cx = icon->left + icon->Width() / 2, cy = icon->top + icon->Height() / 2;
    auto middle = [&] { return ScreenPixels(Rect::FromSize(cx, cy, 1, 1)).ColorAt(0, 0); };
    PumpUntil([&] { return middle() == RGB(0, 0xC0, 0); }, 3s);
    EXPECT_EQ(middle(), RGB(0, 0xC0, 0));

    const std::string x = std::to_string(cx), y = std::to_string(cy);
    // Hovering shows the tip near the pointer.
    ASSERT_TRUE(Xdotool({"mousemove", x, y}));
    EXPECT_TRUE(PumpUntil([&] { return TipShown(); }, 5s)) << "no tip on hover";
    ASSERT_TRUE(Xdotool({"mousemove", x, y, "click", "1", "click", "3"}));
    auto has = [&](LPARAM mouse) {
        for (const auto& [id, lParam] : owner.callbacks)
            if (id == 7 && lParam == mouse)
                return true;
        return false;
    };
    EXPECT_TRUE(PumpUntil([&] { return has(WM_LBUTTONDOWN) && has(WM_RBUTTONUP); }, 10s));
    EXPECT_TRUE(has(WM_MOUSEMOVE) || has(WM_LBUTTONDOWN));

    // A restarted tray: the program hears of it and docks again.
    StopTrayer();
    ASSERT_TRUE(StartTrayer());
    EXPECT_TRUE(DockAfterAnnouncement(2)) << "the icon did not come back";
}

} // namespace
} // namespace plat::testing
