// Where the file and colour dialogs come from. The program asks one provider, chosen once:
// the desktop portal when it answers on the session bus, else zenity or kdialog when
// installed, else the built-in one. Tests install a scripted provider instead.
#pragma once

#include "platform/gfx/color.h"
#include "platform/window/file_filter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat {

struct FileRequest {
    bool save{false};
    std::u16string title;
    std::vector<FileFilter> filters;
    std::u16string initialFolder;
    std::u16string initialName;
    // Without a dot; a saved name without extension gets the chosen filter's, else this.
    std::u16string defaultExt;
    bool mustExist{false};
    bool overwritePrompt{false};
};

struct ColorRequest {
    std::u16string title;
    COLORREF initial{0};
};

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // The chosen path, or nullopt when the user cancelled or no dialog could be shown.
    virtual std::optional<std::u16string> ChooseFile(const FileRequest& request) = 0;
    virtual std::optional<COLORREF> ChooseColor(const ColorRequest& request) = 0;
};

// The provider in use; the first call picks one when none was installed.
DialogProvider& GetDialogProvider();
// Installs a provider (null: pick again on next use); returns the previous one.
std::unique_ptr<DialogProvider> InstallDialogProvider(std::unique_ptr<DialogProvider> provider);

} // namespace plat
