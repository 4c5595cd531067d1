// The notification area of an X display: the XEmbed system tray. The tray host is the
// owner of the selection _NET_SYSTEM_TRAY_S<screen>; an icon is a small window of ours
// that the host embeds after a dock request. The host keeps its own connection and a
// thread that paints the icons, turns pointer events on them into mouse messages, shows
// their tips on hover and watches the root window for a host that appears (its MANAGER
// message) or the host that goes away.
#pragma once

#include "platform/backend/tray_host.h"

#include <memory>
#include <string>
#include <thread>

namespace plat::x11 {

class X11TrayHost final : public TrayHost {
public:
    // Null when the display does not open.
    static std::unique_ptr<X11TrayHost> Open(const std::string& displayName);
    ~X11TrayHost() override;

    bool Available() override;
    std::unique_ptr<TrayIcon> AddIcon(const Bitmap& image, const std::u16string& tip,
                                      MouseSink sink) override;
    void SetAppearanceListener(std::function<void()> listener) override;

    struct State; // shared with the icons, which may outlive the host

private:
    explicit X11TrayHost(std::shared_ptr<State> state);
    void Run();

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};

// `image` scaled to fit `width` x `height` (proportions kept, centred) over `background`,
// opaque: what a tray slot of that size shows.
Bitmap TraySlotPicture(const Bitmap& image, int width, int height, std::uint32_t background);

} // namespace plat::x11
