// A notification area in memory for the headless screen: tests start and stop the tray
// host (as a panel that restarts), read the icons it shows and act on them with the
// pointer. Thread-safe; sinks and the appearance listener are called on the calling
// thread of the test, outside the lock.
#pragma once

#include "platform/backend/tray_host.h"

#include <mutex>
#include <vector>

namespace plat {

class HeadlessTrayHost final : public TrayHost {
public:
    HeadlessTrayHost();
    ~HeadlessTrayHost() override;

    bool Available() override;
    std::unique_ptr<TrayIcon> AddIcon(const Bitmap& image, const std::u16string& tip,
                                      MouseSink sink) override;
    void SetAppearanceListener(std::function<void()> listener) override;

    // A tray host appears (its icons start empty and the listener hears of it) or goes away
    // (taking every icon with it).
    void Start();
    void Stop();

    struct IconInfo {
        int serial; // stays with one icon while it lives
        Bitmap image;
        std::u16string tip;
    };
    // In the order they were added.
    std::vector<IconInfo> Icons() const;
    // What hovering shows: the tip of the icon, empty when there is none.
    std::u16string HoverTip(int serial) const;
    // Sends a mouse message to the icon's program; false when the icon is not shown.
    bool Act(int serial, UINT mouseMessage);

private:
    class Icon;
    struct State; // shared with the icons, which may outlive the host

    std::shared_ptr<State> m_state;
};

} // namespace plat
