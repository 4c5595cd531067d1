// A small Yes/No question of the built-in dialogs (replace an existing file?). "No" starts
// with the focus, so a stray Enter never overwrites anything; Escape and the close box
// answer no as well.
#pragma once

#include "platform/window/builtin_dialog_frame.h"
#include "platform/window/static_control.h"

namespace plat {

class CBuiltinConfirmDialog : public CBuiltinDialogFrame {
public:
    static constexpr UINT kFirstLineId = 0x201;

    // The question shows on up to two lines, split at its first line break.
    CBuiltinConfirmDialog(std::u16string title, std::u16string question);

    // True when the user answered yes.
    bool Ask();

protected:
    bool CreateControls() override;

private:
    std::u16string m_question;
    CStatic m_lines[2];
    CButton m_yes;
    CButton m_no;
};

} // namespace plat
