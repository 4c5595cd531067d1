// The file and colour dialogs: filters, the helper programs' command lines, and what the
// dialogs make of a provider's answers.
#include "platform/text/utf.h"
#include "platform/window/color_dialog.h"
#include "platform/window/command_dialog_provider.h"
#include "platform/window/file_dialog.h"
#include "platform/window/scripted_dialog_provider.h"
#include "window_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace window_test {
namespace {

using Args = std::vector<std::string>;

TEST(FileFilterTest, SplitsNamesAndPatterns) {
    struct Case {
        std::u16string text;
        std::vector<FileFilter> filters;
    };
    const Case cases[] = {
        {u"*.exe|*.exe||", {{u"*.exe", {u"*.exe"}}}},
        {u"Programs (*.exe)|*.exe|Profiles|*.xml; *.ini||ignored|*.x",
         {{u"Programs (*.exe)", {u"*.exe"}}, {u"Profiles", {u"*.xml", u"*.ini"}}}},
        {u"No end|*.a", {{u"No end", {u"*.a"}}}},
        {u"Dangling name", {}},
        {u"Empty|;;|Good|*.g||", {{u"Good", {u"*.g"}}}},
        {u"||", {}},
        {u"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFileFilter(c.text), c.filters) << Utf16ToUtf8(c.text);
}

TEST(CommandDialogTest, FileCommandLinesCarryTheRequest) {
    FileRequest open;
    open.filters = ParseFileFilter(u"Programs (*.exe)|*.exe|All|*.a;*.b||");
    open.initialFolder = u"/home/u/my files";
    open.mustExist = true;
    FileRequest save;
    save.save = true;
    save.overwritePrompt = true;
    save.title = u"Save profile";
    save.initialName = u"mouse.xml";
    struct Case {
        const char* name;
        Args actual;
        Args expected;
    };
    const Case cases[] = {
        {"zenity open",
         CommandDialogProvider::ZenityFileArguments(open),
         {"zenity", "--file-selection", "--filename=/home/u/my files/",
          "--file-filter=Programs (*.exe) | *.exe", "--file-filter=All | *.a *.b"}},
        {"zenity save",
         CommandDialogProvider::ZenityFileArguments(save),
         {"zenity", "--file-selection", "--save", "--confirm-overwrite", "--title=Save profile",
          "--filename=mouse.xml"}},
        {"kdialog open",
         CommandDialogProvider::KdialogFileArguments(open),
         {"kdialog", "--getopenfilename", "/home/u/my files/", "*.exe|Programs (*.exe)\n*.a *.b|All"}},
        {"kdialog save",
         CommandDialogProvider::KdialogFileArguments(save),
         {"kdialog", "--getsavefilename", "mouse.xml", "--title", "Save profile"}},
        {"zenity colour",
         CommandDialogProvider::ZenityColorArguments({u"", RGB(0x12, 0xAB, 0xFF)}),
         {"zenity", "--color-selection", "--color=#12abff"}},
        {"kdialog colour",
         CommandDialogProvider::KdialogColorArguments({u"Pick", RGB(1, 2, 3)}),
         {"kdialog", "--getcolor", "--default", "#010203", "--title", "Pick"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(CommandDialogTest, ColourAnswersParseOrFail) {
    struct Case {
        const char* text;
        std::optional<COLORREF> color;
    };
    const Case cases[] = {
        {"rgb(255,0,16)", RGB(255, 0, 16)}, {"rgba(1,2,3,0.5)", RGB(1, 2, 3)},
        {"#0a0B0c", RGB(10, 11, 12)},       {"rgb(256,0,0)", std::nullopt},
        {"rgb(1,2)", std::nullopt},         {"rgb(1,2,3", std::nullopt},
        {"rgb(1,2,3,4)", std::nullopt},     {"#12345", std::nullopt},
        {"#12345g", std::nullopt},          {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandDialogProvider::ParseColorAnswer(c.text), c.color) << c.text;
}

class FileDialogTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        auto scripted = std::make_unique<ScriptedDialogProvider>();
        m_script = scripted.get();
        m_previous = InstallDialogProvider(std::move(scripted));
        m_folder = std::filesystem::temp_directory_path() / ("file_dialog_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
        std::ofstream(m_folder / "app.exe") << "x";
    }
    void TearDown() override {
        std::filesystem::remove_all(m_folder);
        InstallDialogProvider(std::move(m_previous));
        WindowTest::TearDown();
    }
    std::u16string InFolder(const char* name) { return Utf8ToUtf16((m_folder / name).string()); }

    ScriptedDialogProvider* m_script{nullptr};
    std::unique_ptr<DialogProvider> m_previous;
    std::filesystem::path m_folder;
};

TEST_F(FileDialogTest, OpenTakesAnExistingFileAndSplitsItsName) {
    CFileDialog dialog(true, {}, {}, OFN_FILEMUSTEXIST, u"*.exe|*.exe||");
    dialog.SetInitialFolder(Utf8ToUtf16(m_folder.string()));
    m_script->fileAnswers = {InFolder("app.exe"), InFolder("gone.exe"), std::nullopt};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), InFolder("app.exe"));
    EXPECT_EQ(std::tuple(dialog.GetFileName(), dialog.GetFileTitle(), dialog.GetFileExt()),
              std::tuple(std::u16string(u"app.exe"), std::u16string(u"app"), std::u16string(u"exe")));
    const FileRequest& request = m_script->fileRequests.at(0);
    EXPECT_FALSE(request.save);
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(request.filters, ParseFileFilter(u"*.exe|*.exe||"));
    EXPECT_EQ(request.initialFolder, Utf8ToUtf16(m_folder.string()));

    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "a file that is not there";
    EXPECT_EQ(dialog.GetPathName(), u"");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL) << "cancelled";
}

TEST_F(FileDialogTest, SaveAddsTheDefaultExtensionOnlyWhenMissing) {
    struct Case {
        std::u16string answer;
        std::u16string path;
    };
    const Case cases[] = {
        {u"/tmp/profile", u"/tmp/profile.xml"},
        {u"/tmp/profile.txt", u"/tmp/profile.txt"},
        {u"/tmp/v1.2/profile", u"/tmp/v1.2/profile.xml"},
        {u"/tmp/.hidden", u"/tmp/.hidden.xml"},
    };
    for (const Case& c : cases) {
        CFileDialog dialog(false, u".xml", u"profile", OFN_OVERWRITEPROMPT, u"Profiles (*.xml)|*.xml||");
        m_script->fileAnswers = {c.answer};
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPathName(), c.path);
    }
    const FileRequest& request = m_script->fileRequests.back();
    EXPECT_TRUE(request.save && request.overwritePrompt && !request.mustExist);
    EXPECT_EQ(request.initialName, u"profile");
    CFileDialog folderOnly(false, u"xml");
    m_script->fileAnswers = {u"/tmp/"};
    EXPECT_EQ(folderOnly.DoModal(), IDCANCEL);
}

// The owner takes no input while the dialog is up and gets it back afterwards.
class OwnerCheckingProvider final : public DialogProvider {
public:
    explicit OwnerCheckingProvider(CWnd& owner) : m_owner(owner) {}
    bool ownerWasEnabled{true};
    std::optional<std::u16string> ChooseFile(const FileRequest&) override {
        ownerWasEnabled = m_owner.IsWindowEnabled();
        return std::nullopt;
    }
    std::optional<COLORREF> ChooseColor(const ColorRequest&) override {
        ownerWasEnabled = m_owner.IsWindowEnabled();
        return RGB(9, 8, 7);
    }

private:
    CWnd& m_owner;
};

TEST_F(FileDialogTest, OwnerIsDisabledWhileTheDialogIsUp) {
    RecordingWnd& owner = TopLevel({0, 0, 50, 50}, RGB(1, 1, 1));
    RecordingWnd& child = Child(owner, {0, 0, 10, 10}, std::nullopt);
    auto checking = std::make_unique<OwnerCheckingProvider>(owner);
    auto* provider = checking.get();
    InstallDialogProvider(std::move(checking));
    CFileDialog files(true, {}, {}, 0, {}, &child);
    EXPECT_EQ(files.DoModal(), IDCANCEL);
    EXPECT_FALSE(provider->ownerWasEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    provider->ownerWasEnabled = true;
    CColorDialog colors(RGB(0, 0, 0), &owner);
    EXPECT_EQ(colors.DoModal(), IDOK);
    EXPECT_EQ(colors.GetColor(), RGB(9, 8, 7));
    EXPECT_FALSE(provider->ownerWasEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FileDialogTest, CancelledColourKeepsTheInitialOne) {
    CColorDialog dialog(RGB(10, 20, 30));
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
    ASSERT_EQ(m_script->colorRequests.size(), 1u);
    EXPECT_EQ(m_script->colorRequests[0].initial, RGB(10, 20, 30));
}

} // namespace
} // namespace window_test

namespace window_test {
namespace {

// A stand-in zenity on PATH: it answers what the test wrote into its script.
class HelperProgramTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_folder =
            std::filesystem::temp_directory_path() / ("helper_program_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
        const char* path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        setenv("PATH", (m_folder.string() + ":" + m_oldPath).c_str(), 1);
    }
    void TearDown() override {
        setenv("PATH", m_oldPath.c_str(), 1);
        std::filesystem::remove_all(m_folder);
        WindowTest::TearDown();
    }
    void WriteZenity(const std::string& body) {
        const auto file = m_folder / "zenity";
        std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    }

    std::filesystem::path m_folder;
    std::string m_oldPath;
};

TEST_F(HelperProgramTest, AnswerIsReadWhileTheThreadKeepsHandlingMessages) {
    WriteZenity("sleep 0.3\nprintf '/home/u/my profile.xml\\n'");
    RecordingWnd& window = TopLevel({0, 0, 20, 20}, RGB(0, 0, 0));
    Pump();
    window.log.clear();
    window.PostMessage(WM_USER + 5);
    CommandDialogProvider zenity(CommandDialogProvider::Tool::Zenity);
    EXPECT_EQ(zenity.ChooseFile({}), std::optional<std::u16string>(u"/home/u/my profile.xml"));
    EXPECT_EQ(window.Count(WM_USER + 5), 1) << "handled during the wait, not after it";
}

TEST_F(HelperProgramTest, FailingOrEmptyAnswersCancel) {
    CommandDialogProvider zenity(CommandDialogProvider::Tool::Zenity);
    WriteZenity("echo /tmp/x; exit 1");
    EXPECT_EQ(zenity.ChooseFile({}), std::nullopt);
    WriteZenity("exit 0");
    EXPECT_EQ(zenity.ChooseFile({}), std::nullopt);
    WriteZenity("echo 'rgb(1,2,3)'");
    EXPECT_EQ(zenity.ChooseColor({}), std::optional<COLORREF>(RGB(1, 2, 3)));
    std::filesystem::remove(m_folder / "zenity");
    setenv("PATH", m_folder.string().c_str(), 1);
    EXPECT_EQ(zenity.ChooseFile({}), std::nullopt) << "no helper at all";
    EXPECT_EQ(CommandDialogProvider::FindTool(), std::nullopt);
}

} // namespace
} // namespace window_test
