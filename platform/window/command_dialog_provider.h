// Dialogs shown by a helper program, zenity or kdialog: the request becomes its command
// line, its standard output the answer. The helper runs beside the UI thread, which keeps
// handling its messages until the helper ends.
#pragma once

#include "platform/window/dialog_provider.h"

#include <string>
#include <vector>

namespace plat {

class CommandDialogProvider final : public DialogProvider {
public:
    enum class Tool { Zenity, Kdialog };
    explicit CommandDialogProvider(Tool tool) : m_tool(tool) {}

    std::optional<std::u16string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColor(const ColorRequest& request) override;

    // The helper's arguments, program name first.
    static std::vector<std::string> ZenityFileArguments(const FileRequest& request);
    static std::vector<std::string> KdialogFileArguments(const FileRequest& request);
    static std::vector<std::string> ZenityColorArguments(const ColorRequest& request);
    static std::vector<std::string> KdialogColorArguments(const ColorRequest& request);
    // "rgb(r,g,b)", "rgba(r,g,b,a)" or "#rrggbb"; nullopt for anything else.
    static std::optional<COLORREF> ParseColorAnswer(std::string_view text);
    // The first helper found on PATH, if any.
    static std::optional<Tool> FindTool();

private:
    Tool m_tool;
};

} // namespace plat
