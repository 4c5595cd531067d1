// A window on a user-interface thread of its own (as a progress pop-up has) takes input
// injected from elsewhere, paints, and answers sends from the main thread; the screen
// can be saved as a PNG that shows what was presented.
#include "platform/core/event.h"
#include "platform/core/waitable.h"
#include "platform/core/win_thread.h"
#include "platform/gfx/image_codec.h"
#include "window_test_support.h"

#include <atomic>
#include <filesystem>

namespace window_test {
namespace {

class PopupThread final : public CWinThread {
public:
    bool InitInstance() override {
        window.fill = RGB(0, 128, 0);
        window.CreateEx(0, kPlainClass, u"popup", WS_POPUP | WS_VISIBLE, {500, 500, 600, 560}, nullptr);
        hwnd = window.GetSafeHwnd();
        ready.SetEvent();
        return true;
    }
    bool PreTranslateMessage(MSG& msg) override {
        if (msg.message == WM_LBUTTONDOWN)
            clicks.fetch_add(1);
        return CWinThread::PreTranslateMessage(msg);
    }
    int ExitInstance() override {
        window.DestroyWindow();
        return CWinThread::ExitInstance();
    }

    RecordingWnd window;
    HWND hwnd{nullptr};
    CEvent ready{false, true};
    std::atomic<int> clicks{0};
};

class UiThreadTest : public WindowTest {};

TEST_F(UiThreadTest, WindowOnItsOwnThreadTakesClicksAndPaints) {
    PopupThread thread;
    ASSERT_TRUE(thread.CreateThread());
    ASSERT_TRUE(thread.ready.Lock());

    m_screen->Click({550, 530});
    while (thread.clicks.load() == 0)
        Sleep(10);
    EXPECT_EQ(GetWindowText(thread.hwnd), u"popup") << "a send from the main thread is served";
    EXPECT_EQ(ScreenColor({550, 530}), RGB(0, 128, 0));

    const auto file = std::filesystem::temp_directory_path() / "kavox_window_screen.png";
    ASSERT_TRUE(m_screen->SaveScreenshot(file.string()));
    const auto saved = LoadImageFile(file.string());
    std::filesystem::remove(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->ColorAt(550, 530), RGB(0, 128, 0));

    PostMessage(thread.hwnd, WM_CLOSE, 0, 0);
    thread.PostThreadMessage(WM_QUIT, 0, 0);
    EXPECT_EQ(thread.Wait(INFINITE), WAIT_OBJECT_0);
}

} // namespace
} // namespace window_test
