// The built-in file dialog on a small folder tree: what it lists, moving between folders,
// the ways to accept a file, the checks before accepting, and the ways out.
#include "modal_driver.h"

#include "platform/text/utf.h"
#include "platform/window/builtin_confirm_dialog.h"
#include "platform/window/builtin_dialog_provider.h"
#include "platform/window/builtin_file_dialog.h"
#include "platform/window/file_dialog.h"
#include "platform/window/folder_listing.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace window_test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::u16string>;

TEST(FileFilterMatchTest, PatternsExtensionsAndTheDefaultExtensionRule) {
    struct Match {
        std::u16string name;
        std::u16string pattern;
        bool matches;
    };
    const Match matches[] = {
        {u"a.xml", u"*.xml", true},  {u"A.XML", u"*.xml", true},   {u"a.xml.bak", u"*.xml", false},
        {u"xml", u"*.xml", false},   {u"a.b.xml", u"*.xml", true}, {u"abc", u"a?c", true},
        {u"ac", u"a?c", false},      {u"anything", u"*", true},    {u"", u"*", true},
        {u"noext", u"*.*", false},   {u"x.y", u"*.*", true},       {u"aXbXc", u"a*b*c", true},
        {u"aXbXd", u"a*b*c", false},
    };
    for (const Match& m : matches)
        EXPECT_EQ(MatchesPattern(m.name, m.pattern), m.matches) << Utf16ToUtf8(m.name + u" ~ " + m.pattern);

    EXPECT_EQ(FilterExtension({u"P", {u"*.xml", u"*.ini"}}), u"xml");
    for (const char16_t* pattern : {u"*", u"*.*", u"*.x?l", u"name.xml", u"*."})
        EXPECT_EQ(FilterExtension({u"P", {pattern}}), u"") << Utf16ToUtf8(pattern);

    struct Extension {
        std::u16string path;
        std::u16string ext;
        std::u16string result;
    };
    const Extension extensions[] = {
        {u"/t/profile", u"xml", u"/t/profile.xml"},
        {u"/t/profile.txt", u"xml", u"/t/profile.txt"},
        {u"/t/v1.2/p", u"xml", u"/t/v1.2/p.xml"},
        {u"/t/.hidden", u"xml", u"/t/.hidden.xml"},
        {u"/t/", u"xml", u"/t/"},
        {u"name", u"", u"name"},
    };
    for (const Extension& e : extensions)
        EXPECT_EQ(WithDefaultExtension(e.path, e.ext), e.result) << Utf16ToUtf8(e.path);
}

class BuiltinFileDialogTest : public ControlTest {
public:
    using ControlTest::Tap;
    using ControlTest::Type;

protected:
    void SetUp() override {
        ControlTest::SetUp();
        std::string pattern = (fs::temp_directory_path() / "builtin_file_dialog_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = fs::path(pattern);
        for (const char* folder : {"Alpha", "beta", ".hidden"})
            fs::create_directory(m_root / folder);
        for (const char* file : {"b.XML", "a.xml", "C.ini", "notes.txt", ".secret.xml", "Alpha/inner.xml"})
            std::ofstream(m_root / file) << "12345";
        m_driver = std::make_unique<ModalDriver>();
    }
    void TearDown() override {
        m_driver->DestroyWindow();
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
        ControlTest::TearDown();
    }

    FileRequest Request(bool save = false) const {
        FileRequest request;
        request.save = save;
        request.filters = ParseFileFilter(u"Profiles (*.xml)|*.xml|Settings (*.ini)|*.ini||");
        request.initialFolder = Utf8ToUtf16(m_root.string());
        return request;
    }
    std::u16string In(const char* name) const { return Utf8ToUtf16((m_root / name).string()); }

    // Plays `script` on the file dialog once it is up, then runs the dialog.
    std::optional<std::u16string> Run(const FileRequest& request,
                                      std::function<void(CBuiltinFileDialog&)> script) {
        m_driver->WhenActive<CBuiltinFileDialog>(std::move(script));
        auto chosen = BuiltinDialogProvider().ChooseFile(request);
        EXPECT_TRUE(m_driver->Finished());
        return chosen;
    }

public:
    static CListCtrl& List(CBuiltinFileDialog& d) {
        return dynamic_cast<CListCtrl&>(Item(d, CBuiltinFileDialog::kListId));
    }
    static CWnd& Item(CWnd& d, UINT id) {
        CWnd* item = d.GetDlgItem(static_cast<int>(id));
        if (!item)
            std::abort();
        return *item;
    }
    static Names Listed(CBuiltinFileDialog& d) {
        Names names;
        for (int row = 0; row < List(d).GetItemCount(); ++row)
            names.push_back(List(d).GetItemText(row, 0));
        return names;
    }
    static int Row(CBuiltinFileDialog& d, std::u16string_view name) {
        const Names names = Listed(d);
        const auto at = std::find(names.begin(), names.end(), name);
        return at == names.end() ? -1 : static_cast<int>(at - names.begin());
    }
    void DoubleClick(CBuiltinFileDialog& d, std::u16string_view name) {
        Rect r;
        ASSERT_TRUE(List(d).GetItemRect(Row(d, name), &r, LVIR_BOUNDS)) << Utf16ToUtf8(name);
        ClickAt(List(d), {r.left + 20, (r.top + r.bottom) / 2});
        ClickAt(List(d), {r.left + 20, (r.top + r.bottom) / 2});
    }
    void Click(CWnd& d, UINT id) {
        CWnd& item = Item(d, id);
        ClickAt(item, {item.GetClientRect().Width() / 2, item.GetClientRect().Height() / 2});
    }
    // Puts `text` in the file name field and presses Enter there.
    void Submit(CBuiltinFileDialog& d, std::u16string_view text) {
        CWnd& name = Item(d, CBuiltinFileDialog::kNameId);
        name.SetWindowText(text);
        name.SetFocus();
        Tap(VK_RETURN);
    }
    static std::u16string Status(CWnd& d) { return Item(d, CBuiltinFileDialog::kStatusId).GetWindowText(); }

protected:
    fs::path m_root;
    std::unique_ptr<ModalDriver> m_driver;
};

TEST_F(BuiltinFileDialogTest, ListsFoldersThenMatchingFilesAndFollowsTheFileType) {
    Names first, second, types;
    std::u16string title, folderLine;
    const auto chosen = Run(Request(), [&](CBuiltinFileDialog& d) {
        title = d.GetWindowText();
        folderLine = Item(d, CBuiltinFileDialog::kFolderId).GetWindowText();
        first = Listed(d);
        for (int row = 0; row < List(d).GetItemCount(); ++row)
            types.push_back(List(d).GetItemText(row, 1));
        Click(d, CBuiltinFileDialog::kTypeId);
        second = Listed(d);
        Tap(VK_ESCAPE);
    });
    EXPECT_FALSE(chosen);
    EXPECT_EQ(title, u"Open");
    EXPECT_EQ(folderLine, Utf8ToUtf16(m_root.string()));
    EXPECT_EQ(first, (Names{u"Alpha", u"beta", u"a.xml", u"b.XML"}));
    EXPECT_EQ(types, (Names{u"Folder", u"Folder", u"XML File", u"XML File"}));
    EXPECT_EQ(second, (Names{u"Alpha", u"beta", u"C.ini"}));
}

TEST_F(BuiltinFileDialogTest, FocusStartsOnTheNameAndTabGoesRoundInReadingOrder) {
    std::vector<int> order;
    Run(Request(), [&](CBuiltinFileDialog&) {
        for (int i = 0; i < 7; ++i) {
            order.push_back(GetDlgCtrlID(GetFocus()));
            Tap(VK_TAB);
        }
        Tap(VK_ESCAPE);
    });
    const int name = CBuiltinFileDialog::kNameId;
    EXPECT_EQ(order, (std::vector<int>{name, CBuiltinFileDialog::kTypeId, IDOK, IDCANCEL,
                                       CBuiltinFileDialog::kUpId, CBuiltinFileDialog::kListId, name}));
}

TEST_F(BuiltinFileDialogTest, MovesIntoAndOutOfFolders) {
    fs::path inAlpha, afterUp, afterTyped, afterAbsolute, afterBackspace;
    Names alphaList;
    std::u16string selectedAfterUp;
    Run(Request(), [&](CBuiltinFileDialog& d) {
        DoubleClick(d, u"Alpha");
        inAlpha = d.Folder();
        alphaList = Listed(d);
        Click(d, CBuiltinFileDialog::kUpId);
        afterUp = d.Folder();
        selectedAfterUp = List(d).GetItemText(List(d).GetSelectedItem(), 0);
        Submit(d, u"beta");
        afterTyped = d.Folder();
        Submit(d, In("Alpha/"));
        afterAbsolute = d.Folder();
        List(d).SetFocus();
        Tap(VK_BACK);
        afterBackspace = d.Folder();
        // Enter on a selected folder in the list enters it.
        List(d).SelectItem(Row(d, u"beta"));
        Tap(VK_RETURN);
        EXPECT_EQ(d.Folder(), m_root / "beta");
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(inAlpha, m_root / "Alpha");
    EXPECT_EQ(alphaList, (Names{u"inner.xml"}));
    EXPECT_EQ(afterUp, m_root);
    EXPECT_EQ(selectedAfterUp, u"Alpha") << "the folder we came from stays selected";
    EXPECT_EQ(afterTyped, m_root / "beta") << "a typed relative folder";
    EXPECT_EQ(afterAbsolute, m_root / "Alpha") << "a typed absolute folder";
    EXPECT_EQ(afterBackspace, m_root);
}

TEST_F(BuiltinFileDialogTest, AcceptsAFileInEachWay) {
    struct Case {
        const char* what;
        std::function<void(BuiltinFileDialogTest&, CBuiltinFileDialog&)> accept;
        const char* chosen;
    };
    const Case cases[] = {
        {"double click", [](auto& t, auto& d) { t.DoubleClick(d, u"b.XML"); }, "b.XML"},
        {"Enter on a row",
         [](auto& t, auto& d) {
             List(d).SetFocus();
             t.Tap(VK_DOWN);
             t.Tap(VK_DOWN);
             t.Tap(VK_DOWN); // Alpha, beta, a.xml
             t.Tap(VK_RETURN);
         },
         "a.xml"},
        {"typed name",
         [](auto& t, auto& d) {
             Item(d, CBuiltinFileDialog::kNameId).SetFocus();
             t.Type(u"notes");
             t.Tap(VK_RETURN);
         },
         "notes"},
        {"typed path into a sub-folder", [](auto& t, auto& d) { t.Submit(d, u"Alpha/inner.xml"); },
         "Alpha/inner.xml"},
        {"OK button after picking a row",
         [](auto& t, auto& d) {
             List(d).SelectItem(Row(d, u"a.xml"));
             t.Click(d, IDOK);
         },
         "a.xml"},
    };
    for (const Case& c : cases) {
        const auto chosen = Run(Request(), [&](CBuiltinFileDialog& d) { c.accept(*this, d); });
        EXPECT_EQ(chosen, In(c.chosen)) << c.what;
    }
}

TEST_F(BuiltinFileDialogTest, MustExistRefusesAMissingNameAndStaysOpen) {
    FileRequest request = Request();
    request.mustExist = true;
    std::u16string status, statusAfter;
    const auto chosen = Run(request, [&](CBuiltinFileDialog& d) {
        Submit(d, u"missing.xml");
        status = Status(d);
        Submit(d, u"a.xml");
    });
    EXPECT_NE(status.find(u"missing.xml"), std::u16string::npos) << Utf16ToUtf8(status);
    EXPECT_EQ(chosen, In("a.xml"));
}

TEST_F(BuiltinFileDialogTest, SavedNamesGetTheExtensionOfTheFileTypeElseTheDefault) {
    struct Case {
        const char* filter;
        const char16_t* defaultExt;
        const char16_t* typed;
        const char* chosen;
    };
    const Case cases[] = {
        {"Profiles (*.xml)|*.xml||", u"ini", u"new", "new.xml"},
        {"All files|*.*||", u"ini", u"new", "new.ini"},
        {"Profiles (*.xml)|*.xml||", u"", u"new.txt", "new.txt"},
        {"All files|*||", u"", u"plain", "plain"},
    };
    for (const Case& c : cases) {
        CFileDialog dialog(false, c.defaultExt, {}, OFN_OVERWRITEPROMPT, Utf8ToUtf16(c.filter));
        dialog.SetInitialFolder(In(""));
        m_driver->WhenActive<CBuiltinFileDialog>([&](CBuiltinFileDialog& d) { Submit(d, c.typed); });
        auto previous = InstallDialogProvider(std::make_unique<BuiltinDialogProvider>());
        EXPECT_EQ(dialog.DoModal(), IDOK) << c.chosen;
        InstallDialogProvider(std::move(previous));
        EXPECT_EQ(dialog.GetPathName(), In(c.chosen));
    }
}

TEST_F(BuiltinFileDialogTest, OverwriteAsksFirstAndNoKeepsTheDialogOpen) {
    FileRequest request = Request(true);
    request.overwritePrompt = true;
    std::u16string question;
    // "a" becomes a.xml, which exists: Enter answers the question with its focused "No".
    m_driver->WhenActive<CBuiltinFileDialog>([&](CBuiltinFileDialog& d) { Submit(d, u"a"); });
    m_driver->WhenActive<CBuiltinConfirmDialog>([&](CBuiltinConfirmDialog& c) {
        question = Item(c, CBuiltinConfirmDialog::kFirstLineId).GetWindowText();
        Tap(VK_RETURN);
    });
    // Back in the file dialog, the same name again, answered "Yes" with the mouse.
    m_driver->WhenActive<CBuiltinFileDialog>([&](CBuiltinFileDialog& d) { Submit(d, u"a.xml"); });
    m_driver->WhenActive<CBuiltinConfirmDialog>([&](CBuiltinConfirmDialog& c) { Click(c, IDOK); });
    const auto chosen = BuiltinDialogProvider().ChooseFile(request);
    EXPECT_TRUE(m_driver->Finished());
    EXPECT_EQ(chosen, In("a.xml"));
    EXPECT_NE(question.find(u"a.xml"), std::u16string::npos) << Utf16ToUtf8(question);

    // A new name is not asked about.
    EXPECT_EQ(Run(request, [&](CBuiltinFileDialog& d) { Submit(d, u"fresh"); }), In("fresh.xml"));
}

TEST_F(BuiltinFileDialogTest, EscapeCloseAndTheCloseBoxCancel) {
    const std::function<void(BuiltinFileDialogTest&, CBuiltinFileDialog&)> ways[] = {
        [](auto& t, auto&) { t.Tap(VK_ESCAPE); }, [](auto&, auto& d) { d.PostMessage(WM_CLOSE); },
        [](auto& t, auto& d) { t.Click(d, IDCANCEL); }, // the close box comes first
    };
    for (const auto& way : ways) {
        FileRequest request = Request();
        request.initialName = u"a.xml";
        EXPECT_EQ(Run(request, [&](CBuiltinFileDialog& d) { way(*this, d); }), std::nullopt);
    }
}

TEST_F(BuiltinFileDialogTest, AnUnreadableFolderKeepsThePreviousListing) {
    fs::path folder;
    Names before, after;
    std::u16string status;
    Run(Request(), [&](CBuiltinFileDialog& d) {
        before = Listed(d);
        fs::remove(m_root / "beta"); // gone behind the dialog's back
        DoubleClick(d, u"beta");
        folder = d.Folder();
        after = Listed(d);
        status = Status(d);
        Tap(VK_ESCAPE);
    });
    EXPECT_EQ(folder, m_root);
    EXPECT_EQ(after, before);
    EXPECT_NE(status.find(u"Cannot open"), std::u16string::npos) << Utf16ToUtf8(status);
}

TEST_F(BuiltinFileDialogTest, StartsInTheInitialFolderOrFallsBackToHome) {
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    struct Case {
        std::u16string folder;
        std::u16string name;
        fs::path start;
        std::u16string field;
    };
    const Case cases[] = {
        {In("missing-folder"), u"x.xml", fs::weakly_canonical(home), u"x.xml"},
        {In(""), u"Alpha/inner.xml", m_root / "Alpha", u"inner.xml"},
    };
    for (const Case& c : cases) {
        FileRequest request = Request(true);
        request.initialFolder = c.folder;
        request.initialName = c.name;
        fs::path start;
        std::u16string field;
        int selStart = -1, selEnd = -1;
        Run(request, [&](CBuiltinFileDialog& d) {
            start = d.Folder();
            auto& name = dynamic_cast<CEdit&>(Item(d, CBuiltinFileDialog::kNameId));
            field = name.GetWindowText();
            name.GetSel(selStart, selEnd);
            Tap(VK_ESCAPE);
        });
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(std::pair(selStart, selEnd), std::pair(0, static_cast<int>(c.field.find(u'.'))))
            << "a saved name starts with its part before the extension selected";
    }
}

TEST(FolderListingTest, ProgramsPassTheExeFilterAndUnreadableFoldersFail) {
    std::string pattern = (fs::temp_directory_path() / "folder_listing_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root(pattern);
    std::ofstream(root / "tool") << "#!/bin/sh\n";
    std::ofstream(root / "readme") << "text";
    fs::permissions(root / "tool", fs::perms::owner_exec, fs::perm_options::add);
    std::error_code error;
    const auto entries = ListFolder(root, {u"*.exe"}, error);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    EXPECT_EQ(entries->front().name, u"tool");
    EXPECT_FALSE(ListFolder(root / "nowhere", {}, error));
    EXPECT_TRUE(error);
    fs::remove_all(root, error);
}

} // namespace
} // namespace window_test

namespace window_test {
namespace {

TEST_F(BuiltinFileDialogTest, SitsOverItsOwnerAndGivesActivationBack) {
    RecordingWnd& owner = TopLevel({100, 80, 1000, 760}, RGB(40, 40, 40));
    owner.SetActiveWindow();
    Pump();
    Point dialogCentre;
    bool ownerDisabled = false;
    m_driver->WhenActive<CBuiltinFileDialog>([&](CBuiltinFileDialog& d) {
        const Rect r = d.GetWindowRect();
        dialogCentre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ownerDisabled = !owner.IsWindowEnabled();
        Tap(VK_ESCAPE);
    });
    auto previous = InstallDialogProvider(std::make_unique<BuiltinDialogProvider>());
    CFileDialog dialog(true, {}, {}, 0, {}, &owner);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    InstallDialogProvider(std::move(previous));
    const Point ownerCentre{550, 420}; // of the owner's rectangle
    EXPECT_LE(std::abs(dialogCentre.x - ownerCentre.x), 1);
    EXPECT_LE(std::abs(dialogCentre.y - ownerCentre.y), 1);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(GetActiveWindow(), owner.GetSafeHwnd());
}

} // namespace
} // namespace window_test
