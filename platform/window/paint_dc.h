// Painters for window code. CPaintDC, made while a window handles WM_PAINT, is the painter
// of the paint in progress: on the top-level back buffer, origin at the window's client
// corner, clipped to the part of the window being repainted. CClientDC draws into a
// window outside painting (a drag feedback, say); what it drew is presented at the next
// flush of the loop.
#pragma once

#include "platform/gfx/painter.h"

#include <memory>
#include <optional>

namespace plat {

class CWnd;

class CPaintDC {
public:
    explicit CPaintDC(CWnd& window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    Painter& operator*() { return *m_painter; }
    Painter* operator->() { return m_painter; }
    // The area being repainted, in client coordinates.
    const Rect& PaintRect() const { return m_paintRect; }

private:
    std::optional<Painter> m_own; // when WM_PAINT came from somewhere other than the flush
    Painter* m_painter{nullptr};
    Rect m_paintRect;
    CWnd& m_window;
};

class CClientDC {
public:
    explicit CClientDC(CWnd& window);
    ~CClientDC();
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    Painter& operator*() { return *m_painter; }
    Painter* operator->() { return m_painter.get(); }

private:
    CWnd& m_window;
    std::unique_ptr<Bitmap> m_scratch; // a window without a back buffer draws nowhere
    std::unique_ptr<Painter> m_painter;
};

} // namespace plat
