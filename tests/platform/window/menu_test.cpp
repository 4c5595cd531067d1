// Pop-up menus: choosing by keys, by underlined letters and by mouse, dismissing, greyed
// items and separators, the command posted when no return is asked for, and the drawn
// check marks and underlines.
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
    std::function<void(HWND)> Key(std::uint16_t vk, std::u16string text = {}) {
        return [this, vk, text](HWND) {
            m_screen->PressKey(ControlTest::Key(vk, text));
            m_screen->ReleaseKey(ControlTest::Key(vk));
        };
    }
    // A letter key as the keyboard types it.
    std::function<void(HWND)> Letter(char16_t c) {
        const char16_t upper = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
        return Key(static_cast<std::uint16_t>(upper), std::u16string(1, c));
    }
    // Runs the menu through `steps`; the chosen id and whether the steps ran out.
    UINT_PTR Play(std::vector<std::function<void(HWND)>> steps) {
        m_owner.steps = std::move(steps);
        m_owner.next = 0;
        m_owner.ranOut = false;
        return m_menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 50, 40, &m_owner);
    }
    // The screen while the menu is open, and where the menu is.
    Bitmap Picture(Rect* placed) {
        Bitmap picture;
        m_owner.steps = {[&](HWND menu) {
            GetWindowRect(menu, placed);
            picture = m_screen->ComposeScreen();
            plat::PostMessage(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }};
        m_owner.next = 0;
        m_menu.TrackPopupMenu(TPM_RETURNCMD, 50, 40, &m_owner);
        return picture;
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

TEST_F(MenuTest, UnderlinedLettersChooseOrCycle) {
    enum : UINT { kSave = 201, kDuplicate = 202, kLock = 203, kDisable = 204 };
    m_menu.CreatePopupMenu();
    m_menu.AppendMenu(MF_STRING, kOpen, u"&Open");
    m_menu.AppendMenu(MF_STRING, kRename, u"&Rename");
    m_menu.AppendMenu(MF_SEPARATOR);
    m_menu.AppendMenu(MF_STRING | MF_GRAYED, kDisable, u"&Disable");
    m_menu.AppendMenu(MF_STRING, kDelete, u"&Delete");
    m_menu.AppendMenu(MF_STRING, kDuplicate, u"Dup&licate");
    m_menu.AppendMenu(MF_STRING, kLock, u"&Lock");
    m_menu.AppendMenu(MF_STRING, kSave, u"Save && e&xit");
    struct Case {
        const char* what;
        std::vector<std::function<void(HWND)>> steps;
        UINT_PTR chosen;
    };
    const std::vector<Case> cases = {
        {"a letter of one item", {Letter(u'r')}, kRename},
        {"in capitals", {Letter(u'O')}, kOpen},
        {"the greyed item of the same letter does not count", {Letter(u'd')}, kDelete},
        {"a shared letter only highlights", {Letter(u'l'), Key(VK_RETURN)}, kDuplicate},
        {"and moves on each time", {Letter(u'l'), Letter(u'l'), Key(VK_RETURN)}, kLock},
        {"round to the first again", {Letter(u'l'), Letter(u'l'), Letter(u'l'), Key(VK_RETURN)}, kDuplicate},
        {"from the highlighted item on", {Key(VK_END), Letter(u'l'), Key(VK_RETURN)}, kDuplicate},
        {"after a doubled ampersand", {Letter(u'x')}, kSave},
        {"a doubled ampersand marks nothing", {Key(u'7', u"&"), Key(VK_ESCAPE)}, 0},
        {"a letter no item has", {Letter(u'q'), Key(VK_ESCAPE)}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Play(c.steps), c.chosen) << c.what;
        EXPECT_EQ(m_owner.next, c.steps.size()) << c.what;
        EXPECT_FALSE(m_owner.ranOut) << c.what << ": the menu ended by itself";
    }
}

TEST_F(MenuTest, TheMarkedLetterIsUnderlined) {
    // The same menu drawn with and without the mark differs only in a thin line under
    // the first letter.
    m_menu.CreatePopupMenu();
    m_menu.AppendMenu(MF_STRING, kOpen, u"Open");
    m_menu.AppendMenu(MF_STRING, kRename, u"Rename");
    Rect plainAt;
    const Bitmap plain = Picture(&plainAt);
    m_menu.CreatePopupMenu();
    m_menu.AppendMenu(MF_STRING, kOpen, u"Open");
    m_menu.AppendMenu(MF_STRING, kRename, u"&Rename");
    Rect markedAt;
    const Bitmap marked = Picture(&markedAt);
    ASSERT_EQ(plainAt, markedAt);
    ASSERT_FALSE(plainAt.IsEmpty());

    const int letterWidth = Font::Create(LogFont{.height = -12, .faceName = u"Tahoma"})->MeasureText(u"R").cx;
    const int textLeft = markedAt.left + 1 + 30;
    const int itemTop = markedAt.top + 4 + CPopupMenu::kItemHeight;
    Rect changed;
    for (int y = markedAt.top; y < markedAt.bottom; ++y)
        for (int x = markedAt.left; x < markedAt.right; ++x)
            if (plain.PixelAt(x, y) != marked.PixelAt(x, y))
                changed = changed.IsEmpty()
                              ? Rect{x, y, x + 1, y + 1}
                              : Rect{std::min(changed.left, x), std::min(changed.top, y),
                                     std::max(changed.right, x + 1), std::max(changed.bottom, y + 1)};
    ASSERT_FALSE(changed.IsEmpty()) << "no underline drawn";
    EXPECT_EQ(changed.left, textLeft);
    EXPECT_EQ(changed.Width(), letterWidth);
    EXPECT_LE(changed.Height(), 2);
    EXPECT_GT(changed.top, itemTop + CPopupMenu::kItemHeight / 2) << "below the middle of the item";
    EXPECT_LT(changed.bottom, itemTop + CPopupMenu::kItemHeight);
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
