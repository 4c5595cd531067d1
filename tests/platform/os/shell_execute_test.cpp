#include "platform/os/file_util.h"
#include "platform/os/shell_execute.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace plat;
namespace fs = std::filesystem;

namespace {

// Writes its folder, its parent process and its arguments to $REPORT, with shell built-ins only.
constexpr const char* kReporter = "#!/bin/sh\nprintf '%s\\n' \"$(pwd)\" \"$PPID\" \"$@\" end > \"$REPORT\"\n";

class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("REPORT", Report().c_str(), 1);
        ASSERT_TRUE(CreateFolders(Bin()));
        ::setenv("PATH", Bin().c_str(), 1);
        MakeFile("tools/tool", kReporter, 0755);
    }
    void TearDown() override { ::setenv("PATH", m_savedPath.c_str(), 1); }

    std::string Path(const std::string& relative) const { return m_dir.Path() + "/" + relative; }
    std::string Bin() const { return Path("bin"); }
    std::string Report() const { return Path("report.txt"); }

    void MakeFile(const std::string& relative, const std::string& content, fs::perms mode) {
        ASSERT_TRUE(WriteFileAtomically(Path(relative), content));
        fs::permissions(Path(relative), mode);
    }
    void MakeFile(const std::string& relative, const std::string& content, int mode) {
        MakeFile(relative, content, static_cast<fs::perms>(mode));
    }
    void InstallOpener() { MakeFile("bin/xdg-open", kReporter, 0755); }

    // The reporter's lines once it has written them all.
    std::vector<std::string> WaitForReport() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            std::string text;
            if (ReadWholeFile(Report(), text) && text.ends_with("end\n")) {
                std::vector<std::string> lines;
                std::istringstream in(text);
                for (std::string line; std::getline(in, line);) {
                    lines.push_back(line);
                }
                lines.pop_back();
                return lines;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return {};
    }

    TempFolder m_dir;
    std::string m_savedPath;
};

} // namespace

TEST_F(ShellExecuteTest, ProgramStartsDetachedInTheGivenFolderWithItsArguments) {
    const auto result =
        ShellExecute(u"open", u"tool", u"one \"two words\"  \\\"q", Utf8ToUtf16(Path("tools")));
    EXPECT_GT(result, 32);
    const auto lines = WaitForReport();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], Path("tools"));
    EXPECT_NE(lines[1], std::to_string(::getpid())) << "the program is not our child";
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()),
              (std::vector<std::string>{"one", "two words", "\"q"}));
}

TEST_F(ShellExecuteTest, RelativeProgramWithoutFolderIsFoundInTheCurrentFolder) {
    const auto saved = fs::current_path();
    fs::current_path(Path("tools"));
    const auto result = ShellExecute(u"", u"tool", u"", u"");
    fs::current_path(saved);
    EXPECT_GT(result, 32);
    const auto lines = WaitForReport();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], Path("tools"));
}

TEST_F(ShellExecuteTest, DocumentsAndAddressesGoToTheOpener) {
    InstallOpener();
    MakeFile("Manuals/index.html", "<html/>", 0644);
    const struct {
        const char16_t* file;
        std::u16string directory;
        std::string opened;
    } cases[] = {
        {u"Manuals/index.html", u"", Path("Manuals/index.html")},
        {u"index.html", Utf8ToUtf16(Path("Manuals")), Path("Manuals/index.html")},
        {u"https://example.com/drivers?a=1", u"", "https://example.com/drivers?a=1"},
        {u"mailto:someone@example.com", u"", "mailto:someone@example.com"},
    };
    const auto saved = fs::current_path();
    fs::current_path(m_dir.Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opened);
        fs::remove(Report());
        EXPECT_GT(ShellExecute(u"open", c.file, u"", c.directory), 32);
        const auto lines = WaitForReport();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[2], c.opened);
    }
    fs::current_path(saved);
}

TEST_F(ShellExecuteTest, FailuresGiveSmallErrorCodes) {
    MakeFile("tools/notes.txt", "text", 0644);
    MakeFile("tools/broken", "\x01\x02 not a program", 0755);
    MakeFile("tools/locked", kReporter, 0644);
    const std::u16string tools = Utf8ToUtf16(Path("tools"));
    const struct {
        const char* what;
        const char16_t* operation;
        std::u16string file;
        std::u16string directory;
        intptr_t expected;
    } cases[] = {
        {"missing file", u"open", u"missing", tools, SE_ERR_FNF},
        {"missing file on an absolute path", u"open", tools + u"/missing", u"", SE_ERR_FNF},
        {"missing folder in the name", u"open", u"nowhere/tool", tools, SE_ERR_PNF},
        {"missing working folder", u"open", u"tool", tools + u"/nowhere", SE_ERR_PNF},
        {"empty name", u"open", u"", tools, SE_ERR_FNF},
        {"document without an opener", u"open", u"notes.txt", tools, SE_ERR_NOASSOC},
        {"address without an opener", u"open", u"https://example.com", u"", SE_ERR_NOASSOC},
        {"unknown verb", u"print", u"tool", tools, SE_ERR_NOASSOC},
        {"executable bit on a non-program", u"open", u"broken", tools, ERROR_BAD_FORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ShellExecute(c.operation, c.file, u"", c.directory), c.expected);
    }
    // A file without the execute bit is a document, not a program.
    InstallOpener();
    EXPECT_GT(ShellExecute(u"open", u"locked", u"", tools), 32);
    const auto lines = WaitForReport();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], Path("tools/locked"));
}
