// Painters bound to a window's place in its top-level back buffer.
#include "platform/window/paint_dc.h"

#include "platform/window/top_level_surface.h"
#include "platform/window/wnd.h"

namespace plat {

namespace {
Bitmap& Nowhere() {
    thread_local Bitmap scratch(1, 1);
    return scratch;
}
} // namespace

CPaintDC::CPaintDC(CWnd& window) : m_window(window) {
    if (PaintContext* context = CurrentPaintContext(); context && context->window == &window) {
        m_painter = context->painter;
        m_paintRect = context->paintRect;
        return;
    }
    TopLevelSurface* surface = window.GetTopLevelParent()->Surface();
    m_own.emplace(surface ? surface->BackBuffer() : Nowhere());
    const Region visible = window.VisibleRegion();
    m_own->SetViewportOrg(window.OffsetInTopLevel());
    m_own->SelectClipRgn(&visible);
    m_painter = &*m_own;
    m_paintRect = window.GetClientRect();
}

CPaintDC::~CPaintDC() {
    if (!m_own)
        return;
    if (TopLevelSurface* surface = m_window.GetTopLevelParent()->Surface())
        surface->MarkDrawn(m_window.VisibleRegion());
}

CClientDC::CClientDC(CWnd& window) : m_window(window) {
    TopLevelSurface* surface = window.GetTopLevelParent()->Surface();
    if (!surface)
        m_scratch = std::make_unique<Bitmap>(1, 1);
    m_painter = std::make_unique<Painter>(surface ? surface->BackBuffer() : *m_scratch);
    const Region visible = window.VisibleRegion();
    m_painter->SetViewportOrg(window.OffsetInTopLevel());
    m_painter->SelectClipRgn(&visible);
}

CClientDC::~CClientDC() {
    if (TopLevelSurface* surface = m_window.GetTopLevelParent()->Surface())
        surface->MarkDrawn(m_window.VisibleRegion());
}

} // namespace plat
