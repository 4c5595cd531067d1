// Controls on a real X server, driven by xdotool: a pop-up menu chosen with the mouse and
// an edit field typed into and selected from the keyboard. A screenshot of each is saved
// in the build tree (x11-menu.png, x11-edit.png) for a look by eye.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/core/timers.h"
#include "platform/gfx/image_codec.h"
#include "platform/window/edit.h"
#include "platform/window/menu.h"
#include "platform/window/popup_menu.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

namespace plat::testing {
namespace {

constexpr Rect kPanel = Rect::FromSize(100, 80, 360, 220);

// A light panel; while a menu runs it plays `onIdle` each time the menu waits.
class Panel : public CWnd {
public:
    std::function<void(HWND menu)> onIdle;
    int paints{0};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERIDLE && onIdle) {
            onIdle(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        if (message == WM_PAINT)
            ++paints;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class X11ControlsTest : public X11Fixture {
protected:
    void SetUp() override {
        X11Fixture::SetUp();
        if (HasFailure() || IsSkipped())
            return;
        if (!ProgramInstalled("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
        LendSystem();
        RegisterClass({0, u"KavoxControlsPanel", RGB(240, 240, 240), CursorShape::Arrow});
        ASSERT_TRUE(
            m_panel.CreateEx(0, u"KavoxControlsPanel", u"controls", WS_POPUP | WS_VISIBLE, kPanel, nullptr));
        ASSERT_TRUE(PumpUntil([&] { return m_panel.paints > 0; }));
        Settle();
    }
    void TearDown() override {
        if (m_panel.GetSafeHwnd()) {
            m_panel.DestroyWindow();
            Settle();
        }
        X11Fixture::TearDown();
    }
    bool Mouse(Point p, bool click) {
        std::vector<std::string> args{"mousemove", std::to_string(p.x), std::to_string(p.y)};
        if (click) {
            args.push_back("click");
            args.push_back("1");
        }
        return Xdotool(args);
    }

    Panel m_panel;
};

TEST_F(X11ControlsTest, MenuChosenWithTheMouse) {
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 11, u"Copy");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 12, u"Rename");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 13, u"Unassign application");
    menu.AppendMenu(MF_STRING, 14, u"Delete");
    menu.SetDefaultItem(11);

    int stage = 0;
    Rect placed;
    std::chrono::steady_clock::time_point hoverSince;
    m_panel.onIdle = [&](HWND handle) {
        auto* popup = dynamic_cast<CPopupMenu*>(CWnd::FromHandle(handle));
        if (!popup)
            return;
        if (stage == 0) {
            placed = popup->GetWindowRect();
            const int rename = placed.top + 4 + CPopupMenu::kItemHeight + CPopupMenu::kItemHeight / 2;
            Mouse({placed.left + 50, rename}, false);
            stage = 1;
        } else if (stage == 1 && popup->HotItem() == 1) {
            hoverSince = std::chrono::steady_clock::now();
            stage = 2;
        } else if (stage == 2 && std::chrono::steady_clock::now() - hoverSince > 200ms) {
            SyncOurs();
            SavePng(ScreenPixels(placed.Inflate(8, 8)), std::string(KAVOX_BUILD_DIR) + "/x11-menu.png");
            stage = 3;
            Xdotool({"click", "1"});
        }
    };
    // A thread timer keeps the menu's loop looking at the script while nothing else happens.
    const UINT_PTR tick = SetTimer(nullptr, 0, 20);
    const UINT_PTR chosen = menu.TrackPopupMenu(TPM_RETURNCMD, kPanel.left + 40, kPanel.top + 30, &m_panel);
    KillTimer(nullptr, tick);
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(chosen, 12u);
}

TEST_F(X11ControlsTest, EditTypedAndSelectedFromTheKeyboard) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, {30, 30, 250, 56}, &m_panel, 338));
    Settle();
    const Point inside = edit.ClientToScreen(Point{20, 13});
    ASSERT_TRUE(Mouse(inside, true));
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit.GetSafeHwnd(); }));
    ASSERT_TRUE(Xdotool({"type", "--delay", "20", "Kavox 42"}));
    EXPECT_TRUE(PumpUntil([&] { return edit.GetWindowText() == u"Kavox 42"; }));
    ASSERT_TRUE(Xdotool({"key", "--delay", "20", "shift+Left", "shift+Left"}));
    int start = 0;
    int end = 0;
    EXPECT_TRUE(PumpUntil([&] {
        edit.GetSel(start, end);
        return start == 6 && end == 8;
    }));
    Settle();
    SyncOurs();
    SavePng(ScreenPixels(edit.GetWindowRect().Inflate(10, 10)),
            std::string(KAVOX_BUILD_DIR) + "/x11-edit.png");
    edit.DestroyWindow();
}

} // namespace
} // namespace plat::testing
