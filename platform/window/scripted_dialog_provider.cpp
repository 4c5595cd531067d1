// Scripted dialog answers.
#include "platform/window/scripted_dialog_provider.h"

namespace plat {

std::optional<std::u16string> ScriptedDialogProvider::ChooseFile(const FileRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty())
        return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<COLORREF> ScriptedDialogProvider::ChooseColor(const ColorRequest& request) {
    colorRequests.push_back(request);
    if (colorAnswers.empty())
        return std::nullopt;
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
}

} // namespace plat
