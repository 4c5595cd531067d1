// The built-in file and colour dialogs on a real X server: each is opened, photographed
// once painted (x11-file-dialog.png, x11-color-dialog.png in the build tree, for a look by
// eye) and closed with Escape typed through xdotool.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_connection.h"
#include "platform/gfx/image_codec.h"
#include "platform/text/utf.h"
#include "platform/window/builtin_color_dialog.h"
#include "platform/window/builtin_dialog_provider.h"
#include "platform/window/builtin_file_dialog.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace plat::testing {
namespace {

namespace fs = std::filesystem;

// Watches the dialog from inside its modal loop: once it has been up a moment, saves a
// screenshot of it and sends Escape.
class Photographer : public CWnd {
public:
    std::function<void(CDialog&)> onShown;
    bool done{false};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_TIMER)
            return CWnd::WindowProc(message, wParam, lParam);
        auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(GetActiveWindow()));
        if (!dialog || !dialog->IsWindowVisible())
            return 0;
        ++m_shownTicks;
        if (m_shownTicks == 15) { // a few hundred milliseconds to settle
            done = true;
            onShown(*dialog);
        } else if (m_shownTicks == 250) { // Escape never arrived: fail rather than hang
            ADD_FAILURE() << "the dialog is still up after Escape";
            dialog->PostMessage(WM_CLOSE);
        }
        return 0;
    }

private:
    int m_shownTicks{0};
};

class X11BuiltinDialogsTest : public X11Fixture {
protected:
    void SetUp() override {
        X11Fixture::SetUp();
        if (HasFailure() || IsSkipped())
            return;
        if (!ProgramInstalled("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
        LendSystem();
        RegisterClass({0, u"KavoxDialogWatcher", std::nullopt, CursorShape::Arrow});
        ASSERT_TRUE(m_watcher.CreateEx(0, u"KavoxDialogWatcher", u"", WS_POPUP, {0, 0, 1, 1}, nullptr));
        m_watcher.SetTimer(1, 20);
    }
    void TearDown() override {
        if (m_watcher.GetSafeHwnd())
            m_watcher.DestroyWindow();
        X11Fixture::TearDown();
    }
    // Photographs the dialog with a little of the desktop around it, then presses Escape in
    // it (a click on its caption first gives it the keyboard).
    void PhotographAndEscape(const char* file) {
        m_watcher.onShown = [this, file](CDialog& dialog) {
            SyncOurs();
            const Rect r = dialog.GetWindowRect();
            EXPECT_TRUE(SavePng(ScreenPixels(r.Inflate(12, 12)), std::string(KAVOX_BUILD_DIR) + "/" + file));
            EXPECT_TRUE(Xdotool(
                {"mousemove", std::to_string(r.left + 120), std::to_string(r.top + 12), "click", "1"}));
            EXPECT_TRUE(Xdotool({"key", "--delay", "30", "Escape"}));
        };
    }

    Photographer m_watcher;
};

TEST_F(X11BuiltinDialogsTest, FileDialogShowsAFolderAndEscapeCancels) {
    std::string pattern = (fs::temp_directory_path() / "x11_file_dialog_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root(pattern);
    for (const char* folder : {"Backups", "macros", "Skins", ".cache"})
        fs::create_directory(root / folder);
    const std::pair<const char*, size_t> files[] = {
        {"Corvantis default.xml", 18432}, {"gaming.xml", 20480}, {"Office.xml", 9216}, {"notes.txt", 120}};
    for (const auto& [name, size] : files)
        std::ofstream(root / name) << std::string(size, 'x');

    FileRequest request;
    request.filters = ParseFileFilter(u"Profiles (*.xml)|*.xml|All files (*.*)|*.*||");
    request.initialFolder = Utf8ToUtf16(root.string());
    request.initialName = u"gaming.xml";
    PhotographAndEscape("x11-file-dialog.png");
    const auto chosen = BuiltinDialogProvider().ChooseFile(request);
    EXPECT_TRUE(m_watcher.done);
    EXPECT_EQ(chosen, std::nullopt);
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

TEST_F(X11BuiltinDialogsTest, ColorDialogShowsTheInitialColourAndEscapeCancels) {
    PhotographAndEscape("x11-color-dialog.png");
    const auto chosen = BuiltinDialogProvider().ChooseColor({u"", CBuiltinColorDialog::SwatchColor(21)});
    EXPECT_TRUE(m_watcher.done);
    EXPECT_EQ(chosen, std::nullopt);
}

} // namespace
} // namespace plat::testing
