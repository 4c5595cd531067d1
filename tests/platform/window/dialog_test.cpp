// Dialogs: the modal run and its ways out (Enter, Escape, WM_CLOSE, EndDialog while
// initialising), the owner disabled meanwhile, and controls that keep Enter for themselves.
#include "control_test_support.h"

#include "platform/window/button.h"
#include "platform/window/dialog.h"
#include "platform/window/edit.h"

#include <functional>

namespace window_test {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr UINT kFieldId = 338;

// A dialog with an edit field; on opening it runs `script` (which posts the input that
// should end it) and records whether its owner was disabled.
class ScriptedDialog : public CDialog {
public:
    using CDialog::CDialog;
    std::function<void(ScriptedDialog&)> script;
    CEdit field;
    bool ownerDisabled{false};
    int oks{0};
    int cancels{0};

    bool OnInitDialog() override {
        field.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER, {10, 10, 150, 34}, this, kFieldId);
        CDialog::OnInitDialog();
        if (CWnd* owner = GetParent())
            ownerDisabled = !owner->IsWindowEnabled();
        if (script)
            script(*this);
        return false;
    }
    void OnOK() override {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancels;
        CDialog::OnCancel();
    }
};

// A control that keeps every key for itself, as a list editing in place does.
class GreedyControl : public CWnd {
public:
    int enters{0};
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS;
        if (message == WM_KEYDOWN && wParam == VK_RETURN)
            ++enters;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

using DialogTest = ControlTest;

void PostKey(CWnd& target, WPARAM key) {
    target.PostMessage(WM_KEYDOWN, key, 0);
}

TEST_F(DialogTest, ModalEndsByEnterEscapeAndClose) {
    struct Case {
        const char* what;
        std::function<void(ScriptedDialog&)> script;
        INT_PTR result;
        int oks;
        int cancels;
    };
    const Case cases[] = {
        {"Enter in the field", [](ScriptedDialog& d) { PostKey(d.field, VK_RETURN); }, IDOK, 1, 0},
        {"Escape in the field", [](ScriptedDialog& d) { PostKey(d.field, VK_ESCAPE); }, IDCANCEL, 0, 1},
        {"WM_CLOSE", [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); }, IDCANCEL, 0, 1},
        {"EndDialog while opening", [](ScriptedDialog& d) { d.EndDialog(77); }, 77, 0, 0},
    };
    auto& owner = TopLevel({0, 0, 400, 300}, kGrey);
    Pump();
    for (const Case& c : cases) {
        ScriptedDialog dialog(131, &owner);
        dialog.script = c.script;
        EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
        EXPECT_EQ(dialog.oks, c.oks) << c.what;
        EXPECT_EQ(dialog.cancels, c.cancels) << c.what;
        EXPECT_TRUE(dialog.ownerDisabled) << c.what;
        EXPECT_TRUE(owner.IsWindowEnabled()) << c.what;
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << c.what;
    }
}

TEST_F(DialogTest, TemplatesAreBorderlessPopupsAndUnknownOnesFail) {
    for (UINT id : {5u, 102u, 131u, 135u, 136u, 139u}) {
        CDialog dialog(id);
        ASSERT_TRUE(dialog.Create(id)) << id;
        EXPECT_EQ(dialog.GetStyle() & (WS_POPUP | WS_BORDER), WS_POPUP) << id;
        EXPECT_TRUE(dialog.IsWindowVisible()) << id;
        dialog.DestroyWindow();
    }
    CDialog unknown(4);
    EXPECT_EQ(unknown.DoModal(), -1);
    EXPECT_FALSE(unknown.Create(4));
}

// Enter goes to the focused control's own handling when it is a button (pressing it) or
// a control that keeps all keys; neither ends the dialog.
class TwoControlDialog : public CDialog {
public:
    using CDialog::CDialog;
    bool focusButton{false};
    CButton apply;
    GreedyControl greedy;
    int applied{0};
    int oks{0};

    bool OnInitDialog() override {
        apply.Create(u"Apply", WS_VISIBLE, {10, 10, 90, 34}, this, 59);
        greedy.Create(kPlainClass, u"", WS_CHILD | WS_VISIBLE, {10, 50, 90, 80}, this, 60);
        CWnd& focus = focusButton ? static_cast<CWnd&>(apply) : greedy;
        focus.SetFocus();
        PostKey(focus, VK_RETURN);
        PostMessage(WM_CLOSE);
        return false;
    }
    void OnOK() override {
        ++oks;
        CDialog::OnOK();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == 59)
            ++applied;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST_F(DialogTest, EnterStaysWithAFocusedButtonOrAControlThatKeepsIt) {
    auto& owner = TopLevel({0, 0, 400, 300}, kGrey);
    Pump();
    for (bool focusButton : {true, false}) {
        TwoControlDialog dialog(5, &owner);
        dialog.focusButton = focusButton;
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.oks, 0);
        EXPECT_EQ(dialog.applied, focusButton ? 1 : 0);
        EXPECT_EQ(dialog.greedy.enters, focusButton ? 0 : 1);
    }
}

TEST_F(DialogTest, TabMovesFocusRoundTheTabStops) {
    struct Form : CDialog {
        using CDialog::CDialog;
        CEdit first;
        CEdit skipped; // no WS_TABSTOP
        CEdit last;
        bool OnInitDialog() override {
            first.Create(WS_VISIBLE | WS_TABSTOP, {10, 10, 150, 30}, this, 1001);
            skipped.Create(WS_VISIBLE, {10, 40, 150, 60}, this, 1002);
            last.Create(WS_VISIBLE | WS_TABSTOP, {10, 70, 150, 90}, this, 1003);
            return true;
        }
    } form(102);
    ASSERT_TRUE(form.Create(102));
    Pump();
    EXPECT_EQ(GetFocus(), form.first.GetSafeHwnd()) << "the first tab stop starts with the focus";
    Tap(VK_TAB);
    EXPECT_EQ(GetFocus(), form.last.GetSafeHwnd());
    Tap(VK_TAB);
    EXPECT_EQ(GetFocus(), form.first.GetSafeHwnd()) << "round again";
    TapWith(VK_SHIFT, VK_TAB);
    EXPECT_EQ(GetFocus(), form.last.GetSafeHwnd());
    EXPECT_EQ(form.last.GetWindowText(), u"") << "no tab character typed";
    form.DestroyWindow();
}

} // namespace
} // namespace window_test
