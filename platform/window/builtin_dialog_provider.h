// The provider of last resort: file and colour dialogs drawn with our own controls, so a
// desktop without the portal or a helper program still gets a dialog.
#pragma once

#include "platform/window/dialog_provider.h"

namespace plat {

class BuiltinDialogProvider final : public DialogProvider {
public:
    std::optional<std::u16string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColor(const ColorRequest& request) override;
};

} // namespace plat
