// The Yes/No question of the built-in dialogs.
#include "platform/window/builtin_confirm_dialog.h"

namespace plat {

namespace {
constexpr Size kSize{420, 150};
} // namespace

CBuiltinConfirmDialog::CBuiltinConfirmDialog(std::u16string title, std::u16string question)
    : CBuiltinDialogFrame(std::move(title), kSize), m_question(std::move(question)) {}

bool CBuiltinConfirmDialog::Ask() {
    return DoModal() == IDOK;
}

bool CBuiltinConfirmDialog::CreateControls() {
    const Rect body = Body();
    const size_t lineBreak = m_question.find(u'\n');
    const std::u16string_view question(m_question);
    const std::u16string_view lines[2] = {question.substr(0, lineBreak),
                                          lineBreak == std::u16string::npos ? u""
                                                                            : question.substr(lineBreak + 1)};
    for (int i = 0; i < 2; ++i) {
        const int top = body.top + i * (kRowHeight - 2);
        m_lines[i].Create(lines[i], WS_VISIBLE | SS_LEFT, {body.left, top, body.right, top + kRowHeight - 2},
                          this, kFirstLineId + static_cast<UINT>(i));
    }
    const int top = body.bottom - kButtonHeight;
    const int noLeft = body.right - kButtonWidth;
    const int yesLeft = noLeft - kGap - kButtonWidth;
    m_yes.Create(u"Yes", WS_VISIBLE | WS_TABSTOP, {yesLeft, top, yesLeft + kButtonWidth, body.bottom}, this,
                 IDOK);
    m_no.Create(u"No", WS_VISIBLE | WS_TABSTOP, {noLeft, top, body.right, body.bottom}, this, IDCANCEL);
    m_no.SetFocus();
    return false;
}

} // namespace plat
