// Running the built-in dialogs for the dialog provider.
#include "platform/window/builtin_dialog_provider.h"

#include "platform/window/builtin_color_dialog.h"
#include "platform/window/builtin_file_dialog.h"

namespace plat {

std::optional<std::u16string> BuiltinDialogProvider::ChooseFile(const FileRequest& request) {
    CBuiltinFileDialog dialog(request);
    return dialog.Choose();
}

std::optional<COLORREF> BuiltinDialogProvider::ChooseColor(const ColorRequest& request) {
    CBuiltinColorDialog dialog(request.title, request.initial);
    return dialog.Choose();
}

} // namespace plat
