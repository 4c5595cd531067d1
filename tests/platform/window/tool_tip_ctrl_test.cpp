// Tooltips: the rest before a tip shows, what hides it, and tips the owner tracks.
#include "platform/window/tool_tip_ctrl.h"
#include "window_test_support.h"

#include <functional>

namespace window_test {
namespace {

class ToolTipTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_owner = &TopLevel({100, 100, 400, 300}, RGB(240, 240, 240));
        ASSERT_TRUE(m_tip.Create(m_owner));
        const Rect left{0, 0, 100, 100};
        const Rect right{150, 0, 250, 100};
        m_tip.AddTool(m_owner, u"Left tool", &left, 1);
        m_tip.AddTool(m_owner, u"Right tool", &right, 2);
    }
    void TearDown() override {
        m_tip.DestroyWindow();
        WindowTest::TearDown();
    }
    // Moves the pointer and relays the move as the owner would.
    void Hover(Point client) {
        MoveTo(*m_owner, client);
        m_tip.RelayEvent(
            {m_owner->GetSafeHwnd(), WM_MOUSEMOVE, 0,
             MAKELPARAM(static_cast<std::uint16_t>(client.x), static_cast<std::uint16_t>(client.y))});
    }
    void Wait(int ms) {
        m_clock.Advance(Milliseconds(ms));
        Pump();
    }

    RecordingWnd* m_owner{nullptr};
    CToolTipCtrl m_tip;
};

TEST_F(ToolTipTest, ShowsAfterTheRestBelowThePointerThenPops) {
    Hover({10, 10});
    Wait(499);
    EXPECT_FALSE(m_tip.IsTipShown());
    Wait(1);
    ASSERT_TRUE(m_tip.IsTipShown());
    EXPECT_EQ(m_tip.CurrentText(), u"Left tool");
    EXPECT_EQ(m_tip.GetWindowRect().TopLeft(), (Point{110, 130}));
    Hover({12, 11}); // moving within the tool keeps it
    Wait(4999);
    EXPECT_TRUE(m_tip.IsTipShown());
    Wait(1);
    EXPECT_FALSE(m_tip.IsTipShown());
    Wait(1000);
    EXPECT_FALSE(m_tip.IsTipShown()) << "resting on does not bring it back";
}

TEST_F(ToolTipTest, MovingToAnotherToolReshowsQuicklyAndOffAToolHides) {
    Hover({10, 10});
    Wait(500);
    Hover({160, 10});
    EXPECT_FALSE(m_tip.IsTipShown());
    Wait(100);
    ASSERT_TRUE(m_tip.IsTipShown());
    EXPECT_EQ(m_tip.CurrentText(), u"Right tool");
    Hover({120, 10}); // between the tools
    EXPECT_FALSE(m_tip.IsTipShown());
    Wait(1000);
    EXPECT_FALSE(m_tip.IsTipShown());
}

TEST_F(ToolTipTest, ClicksDeactivationAndUnrelayedLeavingKeepItHidden) {
    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"click while waiting",
         [&] {
             m_tip.RelayEvent({m_owner->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0});
         }},
        {"deactivated", [&] { m_tip.Activate(false); }},
        {"pointer left the tool unseen",
         [&] {
             MoveTo(*m_owner, {120, 50});
         }},
        {"tool deleted", [&] { m_tip.DelTool(m_owner, 1); }},
    };
    for (const Case& c : cases) {
        m_tip.Activate(true);
        m_tip.AddTool(m_owner, u"Left tool", nullptr, 1);
        m_tip.SetToolRect(m_owner, 1, {0, 0, 100, 100});
        Hover({10, 10});
        c.act();
        Wait(600);
        EXPECT_FALSE(m_tip.IsTipShown()) << c.name;
        Hover({200, 200});
    }
    m_tip.Activate(false);
    Hover({10, 10});
    Wait(600);
    EXPECT_FALSE(m_tip.IsTipShown()) << "relays are ignored while inactive";
}

TEST_F(ToolTipTest, TrackingTipFollowsItsOwnerAndIgnoresThePointer) {
    CWnd* slider = m_owner;
    m_tip.AddTool(slider, u"50", nullptr, 7, TTF_TRACK | TTF_ABSOLUTE);
    m_tip.TrackPosition(300, 200);
    m_tip.TrackActivate(true, slider, 7);
    ASSERT_TRUE(m_tip.IsTipShown());
    EXPECT_EQ(m_tip.GetWindowRect().TopLeft(), (Point{300, 200}));
    const int narrow = m_tip.GetWindowRect().Width();
    m_tip.UpdateTipText(u"1000000", slider, 7);
    EXPECT_GT(m_tip.GetWindowRect().Width(), narrow);
    m_tip.TrackPosition(320, 210);
    EXPECT_EQ(m_tip.GetWindowRect().TopLeft(), (Point{320, 210}));
    Hover({10, 10});
    Wait(6000);
    EXPECT_TRUE(m_tip.IsTipShown());
    EXPECT_EQ(m_tip.CurrentText(), u"1000000");
    m_tip.TrackActivate(false, slider, 7);
    EXPECT_FALSE(m_tip.IsTipShown());
    EXPECT_NE(GetActiveWindow(), m_tip.GetSafeHwnd());
}

} // namespace
} // namespace window_test
