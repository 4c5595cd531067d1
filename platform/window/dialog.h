// CDialog: a pop-up panel made from a template number, run modeless (Create) or modal
// (DoModal, which disables the owner and runs the thread's messages until EndDialog).
// Enter and Escape become IDOK and IDCANCEL unless the focused control keeps those keys
// (WM_GETDLGCODE); Tab moves the focus between tab stops; IDOK calls OnOK, IDCANCEL and WM_CLOSE call
// OnCancel.
//
// Templates are empty frames: a borderless pop-up without caption, which the program's
// skin sizes and fills. The known template numbers are 5, 102, 131, 135, 136 and 139.
#pragma once

#include "platform/window/control_defs.h"
#include "platform/window/wnd.h"

namespace plat {

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    static bool IsKnownTemplate(UINT templateId);

    // Modeless: creates the frame (hidden until OnInitDialog has run, then shown).
    bool Create(UINT templateId, CWnd* parent = nullptr);
    // Modal: returns EndDialog's result, or -1 when the frame cannot be made or the loop is
    // broken (WM_QUIT, the window destroyed from outside).
    virtual INT_PTR DoModal();
    // Ends a modal run with `result` (also from within OnInitDialog); hides a modeless one.
    void EndDialog(int result);

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT TemplateId() const { return m_templateId; }
    bool IsModal() const { return m_modal; }

private:
    bool CreateFrame(DWORD extraStyle);
    Rect InitialRect() const;
    void Initialise();
    // True when a key aimed at `target` is the dialog's to act on.
    bool DialogOwnsKey(HWND target, WPARAM key) const;
    bool DialogOwnsTab(HWND target) const;
    // Tab and Shift+Tab move the focus round the controls with WS_TABSTOP.
    void NextTabStop(bool backwards);

    UINT m_templateId;
    CWnd* m_parentWnd;
    bool m_modal{false};
    bool m_ended{false};
    int m_result{-1};
};

} // namespace plat
