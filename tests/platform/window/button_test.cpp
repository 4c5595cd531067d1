// Push buttons and statics: click notifications, double clicks, owner drawing state.
#include "control_test_support.h"

#include "platform/window/button.h"
#include "platform/window/static_control.h"

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr UINT kId = 42;

class ButtonTest : public ControlTest {
protected:
    RecordingWnd& Parent() { return TopLevel({0, 0, 200, 120}, kGrey); }
};

class StateButton : public CButton {
public:
    std::vector<UINT> states;
    void DrawItem(DRAWITEMSTRUCT& item) override {
        states.push_back(item.itemState);
        CButton::DrawItem(item);
    }
};

TEST_F(ButtonTest, ClickSendsClickedOnlyWhenReleasedInside) {
    auto& parent = Parent();
    CButton button;
    ASSERT_TRUE(button.Create(u"OK", WS_VISIBLE, {10, 10, 90, 40}, &parent, kId));
    Pump();
    parent.log.clear();

    ClickAt(button, {5, 5});
    EXPECT_EQ(Commands(parent), (std::vector<Notification>{{kId, BN_CLICKED}}));

    // Pressed, dragged off, released outside: no click.
    MoveTo(button, {5, 5});
    m_screen->PressButton(MouseButton::Left);
    Pump();
    EXPECT_TRUE(button.IsPressed());
    MoveTo(button, {150, 60});
    EXPECT_FALSE(button.IsPressed());
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_TRUE(Commands(parent).empty());

    // Space presses it from the keyboard.
    button.SetFocus();
    Tap(VK_SPACE);
    EXPECT_EQ(Commands(parent), (std::vector<Notification>{{kId, BN_CLICKED}}));
    button.DestroyWindow();
}

TEST_F(ButtonTest, DoubleClickNotifiesOnlyWhenAskedFor) {
    struct Case {
        DWORD style;
        std::vector<Notification> expected;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, {{kId, BN_CLICKED}, {kId, BN_CLICKED}}},
        {BS_NOTIFY, {{kId, BN_CLICKED}, {kId, BN_DOUBLECLICKED}}},
        {BS_OWNERDRAW, {{kId, BN_CLICKED}, {kId, BN_DOUBLECLICKED}}},
    };
    auto& parent = Parent();
    for (const Case& c : cases) {
        CButton button;
        ASSERT_TRUE(button.Create(u"B", WS_VISIBLE | c.style, {10, 10, 90, 40}, &parent, kId));
        Pump();
        parent.log.clear();
        ClickAt(button, {5, 5});
        ClickAt(button, {5, 5});
        EXPECT_EQ(Commands(parent), c.expected) << "style " << c.style;
        button.DestroyWindow();
        m_clock.Advance(Milliseconds(1000));
    }
}

TEST_F(ButtonTest, OwnerDrawSeesPressedFocusAndDisabledState) {
    auto& parent = Parent();
    StateButton button;
    ASSERT_TRUE(button.Create(u"", WS_VISIBLE | BS_OWNERDRAW, {10, 10, 90, 40}, &parent, kId));
    Pump();
    ASSERT_FALSE(button.states.empty());
    EXPECT_EQ(button.states.back(), 0u);
    EXPECT_GE(parent.Count(WM_DRAWITEM), 1) << "the default DrawItem asks the parent";

    MoveTo(button, {5, 5});
    m_screen->PressButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(button.states.back(), ODS_SELECTED | ODS_FOCUS);
    m_screen->ReleaseButton(MouseButton::Left);
    Pump();
    EXPECT_EQ(button.states.back(), ODS_FOCUS);

    button.EnableWindow(false);
    Pump();
    EXPECT_TRUE(button.states.back() & ODS_DISABLED);
    button.DestroyWindow();
}

TEST_F(ButtonTest, StaticNotifiesClicksOnlyWithNotifyStyle) {
    auto& parent = Parent();
    CStatic plain;
    CStatic notifying;
    ASSERT_TRUE(plain.Create(u"label", WS_VISIBLE, {10, 10, 90, 30}, &parent, 7));
    ASSERT_TRUE(notifying.Create(u"link", WS_VISIBLE | SS_NOTIFY, {10, 50, 90, 70}, &parent, 8));
    Pump();
    parent.log.clear();

    ClickAt(plain, {5, 5});
    EXPECT_TRUE(Commands(parent).empty());
    ClickAt(notifying, {5, 5});
    EXPECT_EQ(Commands(parent), (std::vector<Notification>{{8, STN_CLICKED}}));
    plain.DestroyWindow();
    notifying.DestroyWindow();
}

} // namespace
} // namespace window_test
