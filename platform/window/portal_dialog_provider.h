// File dialogs of the desktop portal (org.freedesktop.portal.FileChooser) on the session
// bus. The portal has no colour chooser; colour requests go to the fallback provider.
// The wait for the user's answer ends when the portal leaves the bus, and at the latest
// after the answer timeout, when the portal is asked to close its dialog.
#pragma once

#include "platform/window/dialog_provider.h"

#include <chrono>
#include <memory>

namespace plat {

class PortalDialogProvider final : public DialogProvider {
public:
    // Long enough for anyone still choosing; the bound is for a portal that lost the request.
    static constexpr std::chrono::milliseconds kDefaultAnswerTimeout{std::chrono::minutes(15)};

    explicit PortalDialogProvider(std::unique_ptr<DialogProvider> colorFallback,
                                  std::chrono::milliseconds answerTimeout = kDefaultAnswerTimeout)
        : m_colorFallback(std::move(colorFallback)), m_answerTimeout(answerTimeout) {}

    // True when the session bus has the portal running or can start it.
    static bool Available();

    std::optional<std::u16string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColor(const ColorRequest& request) override;

private:
    std::unique_ptr<DialogProvider> m_colorFallback;
    std::chrono::milliseconds m_answerTimeout;
};

} // namespace plat
