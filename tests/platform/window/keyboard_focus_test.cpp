// Keyboard: messages go to the focus window, carry scan code, extended bit, repeat,
// context and transition bits; activation follows clicks and show requests.
#include "platform/window/key_message.h"
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(90, 90, 90);

TEST(KeyMessageTest, MessageAndParameterBits) {
    struct Case {
        const char* what;
        KeyStroke stroke;
        UINT message;
        LPARAM lParam;
    };
    const Case cases[] = {
        {"A pressed", {0x1E, false, 'A', false, false, false, false, 1}, WM_KEYDOWN, 0x001E0001},
        {"A repeated", {0x1E, false, 'A', false, true, false, false, 1}, WM_KEYDOWN, 0x401E0001},
        {"A released", {0x1E, false, 'A', true, true, false, false, 1}, WM_KEYUP, 0xC01E0001},
        {"keypad Enter", {0x1C, true, 0x0D, false, false, false, false, 1}, WM_KEYDOWN, 0x011C0001},
        {"right Ctrl released",
         {0x1D, true, keys::kControl, true, true, false, false, 1},
         WM_KEYUP,
         0xC11D0001},
        {"Alt pressed", {0x38, false, keys::kAlt, false, false, true, false, 1}, WM_SYSKEYDOWN, 0x20380001},
        {"F4 with Alt", {0x3E, false, 0x73, false, false, true, false, 1}, WM_SYSKEYDOWN, 0x203E0001},
        {"F4 released with Alt", {0x3E, false, 0x73, true, true, true, false, 1}, WM_SYSKEYUP, 0xE03E0001},
        {"Alt released", {0x38, false, keys::kAlt, true, true, false, false, 1}, WM_SYSKEYUP, 0xC0380001},
        {"F10 alone", {0x44, false, keys::kF10, false, false, false, false, 1}, WM_SYSKEYDOWN, 0x00440001},
        {"AltGr+Q (Ctrl and Alt)", {0x10, false, 'Q', false, false, true, true, 1}, WM_KEYDOWN, 0x00100001},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyMessageFor(c.stroke), c.message) << c.what;
        EXPECT_EQ(KeyLParam(c.stroke), c.lParam) << c.what << std::hex << " got " << KeyLParam(c.stroke);
    }
}

class KeyboardFocusTest : public WindowTest {
protected:
    static NativeKey Key(std::uint16_t scan, std::uint16_t vk, bool extended = false,
                         std::u16string text = {}) {
        NativeKey k;
        k.scanCode = scan;
        k.virtualKey = vk;
        k.extended = extended;
        k.text = std::move(text);
        return k;
    }
};

TEST_F(KeyboardFocusTest, KeysGoToTheFocusWindowWithCharactersAfterTheirKeyDown) {
    auto& top = TopLevel({0, 0, 200, 200}, kGrey);
    auto& field = Child(top, {10, 10, 100, 30}, kGrey);
    auto& other = Child(top, {10, 50, 100, 70}, kGrey);
    Pump();
    field.SetFocus();
    EXPECT_EQ(GetFocus(), field.GetSafeHwnd());
    field.log.clear();

    m_screen->PressKey(Key(0x1E, 'A', false, u"a"));
    m_screen->PressKey(Key(0x1E, 'A', false, u"a")); // held: a repeat
    m_screen->ReleaseKey(Key(0x1E, 'A'));
    Pump();

    const auto got = field.Take(WM_KEYFIRST, WM_KEYLAST);
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0].message, WM_KEYDOWN);
    EXPECT_EQ(got[0].lParam, 0x001E0001);
    EXPECT_EQ(got[1].message, WM_CHAR);
    EXPECT_EQ(got[1].wParam, WPARAM{u'a'});
    EXPECT_EQ(got[2].lParam, 0x401E0001) << "previous-state bit on the repeat";
    EXPECT_EQ(got[4].message, WM_KEYUP);
    EXPECT_EQ(got[4].lParam, 0xC01E0001);
    EXPECT_EQ(other.Count(WM_KEYDOWN), 0);
}

TEST_F(KeyboardFocusTest, FocusChangesSendKillAndSetFocusWithTheOtherWindow) {
    auto& top = TopLevel({0, 0, 200, 200}, kGrey);
    auto& a = Child(top, {10, 10, 100, 30}, kGrey);
    auto& b = Child(top, {10, 50, 100, 70}, kGrey);
    Pump();
    a.SetFocus();
    a.log.clear();

    b.SetFocus();

    const auto killed = a.Take(WM_KILLFOCUS, WM_KILLFOCUS);
    const auto got = b.Take(WM_SETFOCUS, WM_SETFOCUS);
    ASSERT_EQ(killed.size(), 1u);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(killed[0].wParam), b.GetSafeHwnd());
    EXPECT_EQ(reinterpret_cast<HWND>(got[0].wParam), a.GetSafeHwnd());

    b.ShowWindow(SW_HIDE);
    EXPECT_NE(GetFocus(), b.GetSafeHwnd()) << "a hidden window loses the focus";
}

TEST_F(KeyboardFocusTest, ClickActivatesAWindowUnlessItIsNoActivate) {
    auto& first = TopLevel({0, 0, 100, 100}, kGrey);
    auto& second = TopLevel({200, 0, 300, 100}, kGrey);
    auto& overlay = TopLevel({400, 0, 500, 100}, kGrey, WS_EX_NOACTIVATE | WS_EX_TOPMOST);
    Pump();
    EXPECT_EQ(GetActiveWindow(), second.GetSafeHwnd()) << "the last shown";

    ClickAt(first, {50, 50});
    EXPECT_EQ(GetActiveWindow(), first.GetSafeHwnd());
    EXPECT_EQ(second.Count(WM_ACTIVATE), 2) << "activated, then deactivated";

    ClickAt(overlay, {50, 50});
    EXPECT_EQ(GetActiveWindow(), first.GetSafeHwnd());
    EXPECT_EQ(overlay.Count(WM_LBUTTONDOWN), 1) << "the click itself still arrives";
    EXPECT_EQ(GetForegroundWindow(), first.GetSafeHwnd());
}

TEST_F(KeyboardFocusTest, ActivatingAWindowFocusesItAndDeactivatingTakesTheFocus) {
    auto& first = TopLevel({0, 0, 100, 100}, kGrey);
    auto& field = Child(first, {10, 10, 50, 30}, kGrey);
    auto& second = TopLevel({200, 0, 300, 100}, kGrey);
    Pump();
    field.SetFocus();
    EXPECT_EQ(GetActiveWindow(), first.GetSafeHwnd());

    second.SetActiveWindow();

    EXPECT_EQ(GetFocus(), second.GetSafeHwnd());
    EXPECT_EQ(field.Count(WM_KILLFOCUS), 1);
    EXPECT_EQ(m_screen->ActiveWindow(), second.GetNativeWindow());
}

TEST_F(KeyboardFocusTest, DestroyingTheActivePopupActivatesItsOwner) {
    auto& owner = TopLevel({0, 0, 300, 300}, kGrey);
    Pump();
    RecordingWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, kPlainClass, u"popup", WS_POPUP | WS_VISIBLE, {50, 50, 150, 150}, &owner));
    Pump();
    EXPECT_EQ(GetActiveWindow(), popup.GetSafeHwnd());
    EXPECT_EQ(GetLastActivePopup(owner), popup.GetSafeHwnd());

    popup.DestroyWindow();

    EXPECT_EQ(GetActiveWindow(), owner.GetSafeHwnd());
}

} // namespace
} // namespace window_test
