// File dialogs of the desktop portal (org.freedesktop.portal.FileChooser) on the session
// bus. The portal has no colour chooser; colour requests go to the fallback provider.
#pragma once

#include "platform/window/dialog_provider.h"

#include <memory>

namespace plat {

class PortalDialogProvider final : public DialogProvider {
public:
    explicit PortalDialogProvider(std::unique_ptr<DialogProvider> colorFallback)
        : m_colorFallback(std::move(colorFallback)) {}

    // True when the session bus has the portal running or can start it.
    static bool Available();

    std::optional<std::u16string> ChooseFile(const FileRequest& request) override;
    std::optional<COLORREF> ChooseColor(const ColorRequest& request) override;

private:
    std::unique_ptr<DialogProvider> m_colorFallback;
};

} // namespace plat
