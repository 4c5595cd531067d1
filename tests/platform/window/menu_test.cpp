// Pop-up menus: choosing by keys and by mouse, dismissing, greyed items and separators,
// the command posted when no return is asked for, and the drawn check marks.
#include "control_test_support.h"

#include "platform/window/menu.h"
#include "platform/window/popup_menu.h"

#include <functional>

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
enum : UINT { kOpen = 101, kRename = 102, kGreyed = 103, kDelete = 104 };

// The owner plays a script of input, one step each time the menu waits.
class MenuOwner : public RecordingWnd {
public:
    std::vector<std::function<void(HWND menu)>> steps;
    size_t next{0};
    bool ranOut{false};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            const HWND menu = reinterpret_cast<HWND>(lParam);
            if (next < steps.size()) {
                steps[next++](menu);
            } else if (!ranOut) {
                ranOut = true;
                plat::PostMessage(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            return 0;
        }
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

class MenuTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(
            m_owner.CreateEx(0, kPlainClass, u"owner", WS_POPUP | WS_VISIBLE, {0, 0, 400, 300}, nullptr));
        m_owner.fill = kGrey;
        m_menu.CreatePopupMenu();
        m_menu.AppendMenu(MF_STRING, kOpen, u"Open");
        m_menu.AppendMenu(MF_STRING | MF_CHECKED, kRename, u"Rename");
        m_menu.AppendMenu(MF_SEPARATOR);
        m_menu.AppendMenu(MF_STRING | MF_GRAYED, kGreyed, u"Unassign application");
        m_menu.AppendMenu(MF_STRING, kDelete, u"Delete");
        m_menu.SetDefaultItem(kOpen);
        Pump();
    }
    void TearDown() override {
        m_owner.DestroyWindow();
        ControlTest::TearDown();
    }
    std::function<void(HWND)> Key(std::uint16_t vk) {
        return [this, vk](HWND) {
            m_screen->PressKey(ControlTest::Key(vk));
            m_screen->ReleaseKey(ControlTest::Key(vk));
        };
    }
    // A click on the item at `position`, or outside the menu for -1.
    std::function<void(HWND)> ClickItem(int position) {
        return [this, position](HWND menu) {
            Rect r;
            GetWindowRect(menu, &r);
            if (position < 0) {
                m_screen->Click({r.right + 20, r.bottom + 20});
                return;
            }
            int y = r.top + 4;
            for (int i = 0; i < position; ++i)
                y += m_menu.Items()[static_cast<size_t>(i)].IsSeparator() ? CPopupMenu::kSeparatorHeight
                                                                          : CPopupMenu::kItemHeight;
            m_screen->Click({r.left + 40, y + CPopupMenu::kItemHeight / 2});
        };
    }

    MenuOwner m_owner;
    CMenu m_menu;
};

TEST_F(MenuTest, ChoiceByKeysAndMouse) {
    struct Case {
        const char* what;
        std::vector<std::function<void(HWND)>> steps;
        UINT_PTR chosen;
    };
    const std::vector<Case> cases = {
        {"Down, Enter", {Key(VK_DOWN), Key(VK_RETURN)}, kOpen},
        {"Down past the separator",
         {Key(VK_DOWN), Key(VK_DOWN), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)},
         kDelete},
        {"Up wraps to the last", {Key(VK_UP), Key(VK_RETURN)}, kDelete},
        {"Enter on a greyed item keeps the menu open",
         {Key(VK_END), Key(VK_UP), Key(VK_RETURN), Key(VK_ESCAPE)},
         0},
        {"Escape", {Key(VK_ESCAPE)}, 0},
        {"click an item", {ClickItem(1)}, kRename},
        {"click a greyed item, then outside", {ClickItem(3), ClickItem(-1)}, 0},
        {"click the last item", {ClickItem(4)}, kDelete},
    };
    for (const Case& c : cases) {
        m_owner.steps = c.steps;
        m_owner.next = 0;
        m_owner.ranOut = false;
        const UINT_PTR chosen = m_menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 50, 40, &m_owner);
        EXPECT_EQ(chosen, c.chosen) << c.what;
        EXPECT_EQ(m_owner.next, c.steps.size()) << c.what;
        EXPECT_FALSE(m_owner.ranOut) << c.what << ": the menu ended by itself";
        Pump();
        EXPECT_TRUE(Commands(m_owner).empty()) << c.what << ": nothing posted with TPM_RETURNCMD";
    }
}

TEST_F(MenuTest, WithoutReturnTheChoiceIsPostedToTheOwner) {
    m_owner.steps = {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)};
    EXPECT_NE(m_menu.TrackPopupMenu(TPM_LEFTALIGN, 50, 40, &m_owner), 0u);
    Pump();
    EXPECT_EQ(Commands(m_owner), (std::vector<Notification>{{kRename, 0}}));
}

TEST_F(MenuTest, StaysOnScreenAndDrawsCheckMarks) {
    HWND seen = nullptr;
    Rect placed;
    Bitmap picture;
    // Opened at the bottom-right corner, the menu opens up and to the left.
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    m_owner.steps = {[&](HWND menu) {
        seen = menu;
        GetWindowRect(menu, &placed);
        picture = m_screen->ComposeScreen();
        plat::PostMessage(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }};
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD, w - 5, h - 5, &m_owner), 0u);
    ASSERT_NE(seen, nullptr);
    EXPECT_LE(placed.right, w);
    EXPECT_LE(placed.bottom, h);
    EXPECT_EQ(placed.right, w - 5);
    // A dark tick in the gutter of the checked item, none in the others'.
    auto inkInGutter = [&](int position) {
        const int top = placed.top + 4 + position * CPopupMenu::kItemHeight;
        int dark = 0;
        for (int y = top; y < top + CPopupMenu::kItemHeight; ++y)
            for (int x = placed.left + 4; x < placed.left + 26; ++x)
                dark += GetRValue(ColorFromPixel(picture.PixelAt(x, y))) < 100;
        return dark;
    };
    EXPECT_GT(inkInGutter(1), 6);
    EXPECT_EQ(inkInGutter(0), 0);
}

TEST_F(MenuTest, ItemStateBookkeeping) {
    EXPECT_EQ(m_menu.GetDefaultItem(), UINT{kOpen});
    EXPECT_EQ(m_menu.CheckMenuItem(kRename, MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(m_menu.EnableMenuItem(kGreyed, MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(m_menu.CheckMenuItem(999, MF_CHECKED), 0xFFFFFFFFu);
    m_menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 7, u"First");
    EXPECT_EQ(m_menu.GetDefaultItem(true), 1u) << "the default follows its item";
    EXPECT_TRUE(m_menu.DeleteMenu(kOpen, MF_BYCOMMAND));
    EXPECT_EQ(m_menu.GetDefaultItem(), 0xFFFFFFFFu);
    EXPECT_FALSE(m_menu.SetDefaultItem(2, true)) << "a separator cannot be the default";
    m_menu.CreatePopupMenu();
    EXPECT_EQ(m_menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &m_owner), 0u) << "an empty menu does not open";
}

} // namespace
} // namespace window_test
