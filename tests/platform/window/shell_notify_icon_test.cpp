// Tray icons on the in-memory tray host: the commands and their failures, pointer actions
// arriving as the callback message, tips, and a tray host that restarts.
#include "platform/core/registered_message.h"
#include "platform/window/shell_notify_icon.h"
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr UINT kCallback = WM_USER + 5;

class ShellNotifyIconTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = &TopLevel({0, 0, 10, 10}, RGB(0, 0, 0));
        owner->ShowWindow(SW_HIDE);
    }
    void TearDown() override {
        NOTIFYICONDATA d = Data(1);
        Shell_NotifyIcon(NIM_DELETE, &d);
        d.uID = 2;
        Shell_NotifyIcon(NIM_DELETE, &d);
        WindowTest::TearDown();
    }

    NOTIFYICONDATA Data(UINT id, std::u16string tip = u"Kavox", COLORREF color = RGB(200, 0, 0)) {
        NOTIFYICONDATA d;
        d.hWnd = owner->GetSafeHwnd();
        d.uID = id;
        d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        d.uCallbackMessage = kCallback;
        d.hIcon = std::make_shared<Bitmap>(16, 16, PixelFromColor(color));
        d.szTip = std::move(tip);
        return d;
    }
    HeadlessTrayHost& Tray() { return m_screen->TrayArea(); }
    int OnlySerial() {
        const auto icons = Tray().Icons();
        EXPECT_EQ(icons.size(), 1u);
        return icons.empty() ? -1 : icons[0].serial;
    }

    RecordingWnd* owner{nullptr};
};

TEST_F(ShellNotifyIconTest, CommandsSucceedOnlyInTheirOrder) {
    NOTIFYICONDATA d = Data(1);
    struct Step {
        DWORD command;
        bool ok;
    };
    const Step steps[] = {
        {NIM_MODIFY, false}, {NIM_SETVERSION, false}, {NIM_DELETE, false}, // nothing added yet
        {NIM_ADD, true},     {NIM_ADD, false},                             // an id is added once
        {NIM_MODIFY, true},  {NIM_SETVERSION, true},  {NIM_DELETE, true},  {NIM_DELETE, false}, {0x77, false},
    };
    d.uVersion = NOTIFYICON_VERSION;
    for (const Step& s : steps)
        EXPECT_EQ(Shell_NotifyIcon(s.command, &d), s.ok) << "command " << s.command;
    EXPECT_TRUE(Tray().Icons().empty());
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, nullptr));

    NOTIFYICONDATA stranger = Data(1);
    stranger.hWnd = reinterpret_cast<HWND>(0x7777);
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &stranger)) << "an icon needs a live owner window";
}

TEST_F(ShellNotifyIconTest, PointerActionsArriveAsTheCallbackWithIdAndMouseMessage) {
    NOTIFYICONDATA d = Data(2);
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    const int serial = OnlySerial();
    owner->log.clear();
    for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONUP})
        EXPECT_TRUE(Tray().Act(serial, mouse));
    Pump();
    const auto got = owner->Take(kCallback, kCallback);
    ASSERT_EQ(got.size(), 4u);
    const UINT expected[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONUP};
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].wParam, 2u);
        EXPECT_EQ(got[i].lParam, static_cast<LPARAM>(expected[i]));
    }

    // A new callback message takes effect for the next action.
    d.uFlags = NIF_MESSAGE;
    d.uCallbackMessage = kCallback + 1;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &d));
    Tray().Act(serial, WM_RBUTTONUP);
    Pump();
    EXPECT_EQ(owner->Take(kCallback + 1, kCallback + 1).size(), 1u);
}

TEST_F(ShellNotifyIconTest, ModifyChangesOnlyWhatItsFlagsName) {
    NOTIFYICONDATA d = Data(1, u"first", RGB(200, 0, 0));
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    NOTIFYICONDATA tipOnly = Data(1, u"second", RGB(0, 0, 200));
    tipOnly.uFlags = NIF_TIP;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &tipOnly));
    auto icons = Tray().Icons();
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].tip, u"second");
    EXPECT_EQ(icons[0].image.ColorAt(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(Tray().HoverTip(icons[0].serial), u"second");

    NOTIFYICONDATA iconOnly = Data(1, u"third", RGB(0, 0, 200));
    iconOnly.uFlags = NIF_ICON;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &iconOnly));
    icons = Tray().Icons();
    EXPECT_EQ(icons[0].tip, u"second");
    EXPECT_EQ(icons[0].image.ColorAt(3, 3), RGB(0, 0, 200));
}

TEST_F(ShellNotifyIconTest, TipsAreCutAtTheirCapacityAndAtATerminator) {
    const struct {
        std::u16string given;
        std::u16string shown;
    } cases[] = {
        {std::u16string(200, u'x'), std::u16string(kNotifyTipCapacity - 1, u'x')},
        {std::u16string(kNotifyTipCapacity - 1, u'y'), std::u16string(kNotifyTipCapacity - 1, u'y')},
        {std::u16string(u"ab\0cd", 5), u"ab"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        NOTIFYICONDATA d = Data(1, c.given);
        ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
        EXPECT_EQ(Tray().Icons().at(0).tip, c.shown);
        ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &d));
    }
}

TEST_F(ShellNotifyIconTest, WithoutATrayAddFailsAndARestartedTrayAnnouncesItself) {
    const UINT taskbarCreated = RegisterWindowMessage(u"TaskbarCreated");
    auto& other = TopLevel({20, 20, 10, 10}, RGB(0, 0, 0));
    NOTIFYICONDATA d = Data(1);

    Tray().Stop();
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &d));
    Tray().Start();
    Pump();
    EXPECT_EQ(owner->Count(taskbarCreated), 1);
    EXPECT_EQ(other.Count(taskbarCreated), 1) << "every top-level window hears of it";

    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    // The restarted host has none of the old icons; adding again is what brings it back.
    Tray().Stop();
    Tray().Start();
    EXPECT_TRUE(Tray().Icons().empty());
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &d)) << "the icon went with the old host";
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &d));
    EXPECT_EQ(Tray().Icons().size(), 1u);
}

} // namespace
} // namespace window_test
