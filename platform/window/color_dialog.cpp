// The colour chooser.
#include "platform/window/color_dialog.h"

#include "platform/window/dialog_provider.h"
#include "platform/window/wnd.h"

namespace plat {

int CColorDialog::DoModal() {
    CWnd* owner = m_parent ? m_parent->GetTopLevelParent() : nullptr;
    const bool wasDisabled = owner && owner->GetSafeHwnd() && owner->EnableWindow(false);
    const auto chosen = GetDialogProvider().ChooseColor({u"", m_color});
    if (owner && owner->GetSafeHwnd() && !wasDisabled)
        owner->EnableWindow(true);
    if (!chosen)
        return IDCANCEL;
    m_color = *chosen;
    return IDOK;
}

} // namespace plat
