// Window life: creation and destruction messages and their order, refusal in WM_CREATE,
// stale handles, calls from other threads; top-level properties reaching the screen
// (layering by colour key and opacity, topmost, text).
#include "platform/core/clock.h"
#include "platform/core/handle_table.h"
#include "platform/core/thread.h"
#include "window_test_support.h"

namespace window_test {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGrey = RGB(90, 90, 90);

class WindowLifeTest : public WindowTest {};

// Appends "<name>:<message>" for the life messages it receives to a shared journal.
class JournalWnd : public CWnd {
public:
    JournalWnd(std::vector<std::string>& journal, std::string name, bool refuseCreate = false)
        : m_journal(journal), m_name(std::move(name)), m_refuse(refuseCreate) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const char* what = message == WM_CREATE      ? "create"
                           : message == WM_DESTROY   ? "destroy"
                           : message == WM_NCDESTROY ? "ncdestroy"
                                                     : nullptr;
        if (what)
            m_journal.push_back(m_name + ":" + what);
        if (message == WM_CREATE && m_refuse)
            return -1;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { m_journal.push_back(m_name + ":gone"); }

private:
    std::vector<std::string>& m_journal;
    std::string m_name;
    bool m_refuse;
};

TEST_F(WindowLifeTest, DestroyReachesParentThenChildrenAndEndsChildrenFirst) {
    std::vector<std::string> journal;
    JournalWnd top(journal, "top"), child(journal, "child"), grandchild(journal, "grand");
    ASSERT_TRUE(top.CreateEx(0, kPlainClass, u"", WS_POPUP, {0, 0, 100, 100}, nullptr));
    ASSERT_TRUE(child.Create(kPlainClass, u"", WS_CHILD, {0, 0, 50, 50}, &top));
    ASSERT_TRUE(grandchild.Create(kPlainClass, u"", WS_CHILD, {0, 0, 20, 20}, &child));
    const HWND childHandle = child.GetSafeHwnd();
    journal.clear();

    EXPECT_TRUE(top.DestroyWindow());

    EXPECT_EQ(journal, (std::vector<std::string>{"top:destroy", "child:destroy", "grand:destroy",
                                                 "grand:ncdestroy", "grand:gone", "child:ncdestroy",
                                                 "child:gone", "top:ncdestroy", "top:gone"}));
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_FALSE(PostMessage(childHandle, WM_USER, 0, 0));
    EXPECT_FALSE(top.DestroyWindow()) << "a second destroy does nothing";
    EXPECT_TRUE(m_screen->TopLevelWindows().empty());
}

TEST_F(WindowLifeTest, RefusingCreationDestroysTheWindowAndFails) {
    std::vector<std::string> journal;
    JournalWnd top(journal, "top", true);
    EXPECT_FALSE(top.CreateEx(0, kPlainClass, u"", WS_POPUP | WS_VISIBLE, {0, 0, 100, 100}, nullptr));
    EXPECT_EQ(top.GetSafeHwnd(), nullptr);
    EXPECT_EQ(journal.back(), "top:gone");
    EXPECT_TRUE(m_screen->TopLevelWindows().empty());
}

TEST_F(WindowLifeTest, CreationFailsForUnknownClassOrChildWithoutParent) {
    CWnd w;
    EXPECT_FALSE(w.CreateEx(0, u"NoSuchClass", u"", WS_POPUP, {0, 0, 10, 10}, nullptr));
    EXPECT_FALSE(w.CreateEx(0, kPlainClass, u"", WS_CHILD, {0, 0, 10, 10}, nullptr));
}

TEST_F(WindowLifeTest, DestroyingAnOwnerDestroysItsOwnedPopups) {
    auto& owner = TopLevel({0, 0, 100, 100}, kGrey);
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, kPlainClass, u"", WS_POPUP, {10, 10, 50, 50}, &owner));
    owner.DestroyWindow();
    EXPECT_EQ(popup.GetSafeHwnd(), nullptr);
}

TEST_F(WindowLifeTest, CallsFromAnotherThreadAreCarriedToTheOwner) {
    auto& top = TopLevel({0, 0, 100, 100}, kGrey);
    auto& child = Child(top, {10, 10, 50, 50}, kGrey, 42);
    const HWND hwnd = child.GetSafeHwnd();
    Thread worker;
    worker.Start([&] {
        ShowWindow(hwnd, SW_HIDE);
        SetWindowText(hwnd, u"from afar");
        return GetDlgCtrlID(hwnd) == 42 && !IsWindowVisible(hwnd) ? 0 : 1;
    });
    // Serve the worker's sends the way any message loop does.
    while (worker.IsRunning()) {
        Pump();
        Sleep(1);
    }
    EXPECT_EQ(worker.ExitCode(), 0);
    EXPECT_FALSE(child.IsVisibleFlag());
    EXPECT_EQ(child.GetWindowText(), u"from afar");
}

TEST_F(WindowLifeTest, ColourKeyCutsTheWindowAndOpacityBlendsIt) {
    auto& below = TopLevel({0, 0, 300, 300}, RGB(0, 0, 0));
    auto& layered = TopLevel({100, 100, 200, 200}, kMagenta, WS_EX_LAYERED);
    Child(layered, {10, 10, 40, 40}, RGB(200, 200, 200));
    layered.SetLayeredWindowAttributes(kMagenta, 0, LWA_COLORKEY);
    Pump();

    EXPECT_EQ(ScreenColor({105, 105}), RGB(0, 0, 0)) << "key pixels are see-through";
    EXPECT_EQ(ScreenColor({120, 120}), RGB(200, 200, 200));
    EXPECT_EQ(m_screen->WindowAt({105, 105}), below.GetNativeWindow()) << "and click-through";
    EXPECT_EQ(m_screen->WindowAt({120, 120}), layered.GetNativeWindow());

    layered.SetLayeredWindowAttributes(kMagenta, 128, LWA_COLORKEY | LWA_ALPHA);
    Pump();
    EXPECT_EQ(ScreenColor({120, 120}), RGB(100, 100, 100));
}

TEST_F(WindowLifeTest, TopLevelPropertiesReachTheScreen) {
    auto& normal = TopLevel({0, 0, 100, 100}, kGrey);
    auto& topmost = TopLevel({0, 0, 50, 50}, kGrey, WS_EX_TOPMOST);
    Pump();
    normal.BringWindowToTop();
    EXPECT_EQ(m_screen->WindowAt({10, 10}), topmost.GetNativeWindow()) << "topmost stays above";

    normal.SetWindowText(u"Kavox");
    const auto windows = m_screen->TopLevelWindows();
    const auto it = std::find_if(windows.begin(), windows.end(),
                                 [&](const auto& w) { return w.window == normal.GetNativeWindow(); });
    ASSERT_NE(it, windows.end());
    EXPECT_EQ(it->title, u"Kavox");
    EXPECT_EQ(it->className, "TestPlain");
    EXPECT_EQ(FindWindow(u"testplain", u"Kavox"), normal.GetSafeHwnd()) << "class names ignore case";
}

} // namespace
} // namespace window_test
