// A dialog provider that answers from a script and keeps every request, for tests.
#pragma once

#include "platform/window/dialog_provider.h"

#include <deque>

namespace plat {

class ScriptedDialogProvider final : public DialogProvider {
public:
    std::deque<std::optional<std::u16string>> fileAnswers; // an empty script cancels
    std::deque<std::optional<COLORREF>> colorAnswers;
    std::vector<FileRequest> fileRequests;
    std::vector<ColorRequest> colorRequests;

    std::optional<std::u16string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColor(const ColorRequest& request) override;
};

} // namespace plat
