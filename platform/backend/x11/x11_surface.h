// Puts a window's back buffer on the screen: through a shared-memory image when the
// server can read our memory (MIT-SHM), else with plain XPutImage requests. Only the
// damaged rectangles travel.
#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/region.h"

#include "platform/backend/x11/x11_xlib.h"

namespace plat::x11 {

class X11Connection;

class X11Surface {
public:
    X11Surface(X11Connection& connection, Window window);
    ~X11Surface();

    X11Surface(const X11Surface&) = delete;
    X11Surface& operator=(const X11Surface&) = delete;

    void Present(const Bitmap& backBuffer, const Region& damage);
    bool UsesShm() const { return m_image != nullptr; }

private:
    bool EnsureShmImage(int width, int height);
    void ReleaseShmImage();
    void PutShm(const Bitmap& backBuffer, const std::vector<Rect>& rects);
    void PutPlain(const Bitmap& backBuffer, const std::vector<Rect>& rects);

    X11Connection& m_connection;
    Window m_window;
    GC m_gc;
    bool m_shmFailed{false};
    XShmSegmentInfo m_shm{};
    XImage* m_image{nullptr};
};

} // namespace plat::x11
