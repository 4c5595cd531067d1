// Choosing and keeping the dialog provider.
#include "platform/window/dialog_provider.h"

#include "platform/window/builtin_dialog_provider.h"
#include "platform/window/command_dialog_provider.h"
#include "platform/window/portal_dialog_provider.h"

#include <mutex>

namespace plat {

namespace {

std::mutex g_lock;
std::unique_ptr<DialogProvider> g_provider;

std::unique_ptr<DialogProvider> PickHelperProvider() {
    if (auto tool = CommandDialogProvider::FindTool())
        return std::make_unique<CommandDialogProvider>(*tool);
    return std::make_unique<BuiltinDialogProvider>();
}

std::unique_ptr<DialogProvider> PickProvider() {
    if (PortalDialogProvider::Available())
        return std::make_unique<PortalDialogProvider>(PickHelperProvider());
    return PickHelperProvider();
}

} // namespace

DialogProvider& GetDialogProvider() {
    std::lock_guard lock(g_lock);
    if (!g_provider)
        g_provider = PickProvider();
    return *g_provider;
}

std::unique_ptr<DialogProvider> InstallDialogProvider(std::unique_ptr<DialogProvider> provider) {
    std::lock_guard lock(g_lock);
    std::swap(provider, g_provider);
    return provider;
}

} // namespace plat
