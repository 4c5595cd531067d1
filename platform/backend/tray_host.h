// The desktop's notification area as the window system offers it. An icon is a small
// picture the tray host shows for the program; pointer actions on it come back as window
// mouse-message numbers (0x0200 move, 0x0201 left down, 0x0203 left double click, 0x0205
// right up, ...). A host may come and go while the program runs (a panel restarts): when
// a new one appears the icons of the old one are gone, and the listener hears of it so the
// program can add its icons again.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/bitmap.h"

#include <functional>
#include <memory>
#include <string>

namespace plat {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual void SetImage(const Bitmap& image) = 0;
    virtual void SetTip(const std::u16string& tip) = 0;
};

class TrayHost {
public:
    using MouseSink = std::function<void(UINT mouseMessage)>;

    virtual ~TrayHost() = default;

    // Whether a tray host runs now.
    virtual bool Available() = 0;
    // Docks an icon; null when no tray host runs. `sink` is called on a thread of the
    // host's choosing and must not block.
    virtual std::unique_ptr<TrayIcon> AddIcon(const Bitmap& image, const std::u16string& tip,
                                              MouseSink sink) = 0;
    // Called, on a thread of the host's choosing, each time a tray host appears.
    virtual void SetAppearanceListener(std::function<void()> listener) = 0;
};

} // namespace plat
