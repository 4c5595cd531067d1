// Painting a top-level window's tree into its back buffer and presenting it.
#include "platform/window/top_level_surface.h"

#include "platform/core/handle_table.h"
#include "platform/window/wnd.h"

namespace plat {

namespace {
thread_local PaintContext* t_paintContext = nullptr;
}

PaintContext* CurrentPaintContext() {
    return t_paintContext;
}

TopLevelSurface::TopLevelSurface(CWnd& window, std::unique_ptr<NativeWindow> native)
    : m_window(window), m_native(std::move(native)),
      m_backBuffer(std::max(0, window.m_rect.Width()), std::max(0, window.m_rect.Height())) {}

TopLevelSurface::~TopLevelSurface() = default;

void TopLevelSurface::Damage(const Region& area, bool erase) {
    const Region clipped = area.Intersect(Region(m_backBuffer.Bounds()));
    m_damage = m_damage.Union(clipped);
    if (erase)
        m_eraseDamage = m_eraseDamage.Union(clipped);
}

void TopLevelSurface::Undamage(const Region& area) {
    m_damage = m_damage.Subtract(area);
    m_eraseDamage = m_eraseDamage.Subtract(area);
}

void TopLevelSurface::MarkDrawn(const Region& area) {
    m_unpresented = m_unpresented.Union(area.Intersect(Region(m_backBuffer.Bounds())));
}

void TopLevelSurface::Flush() {
    if (m_flushing || !m_window.IsWindowVisible())
        return;
    m_flushing = true;
    const HWND self = m_window.GetSafeHwnd();
    if (!m_damage.IsEmpty()) {
        // Damage made while painting (a handler invalidating) waits for the next flush.
        const Region damage = std::move(m_damage);
        const Region erase = std::move(m_eraseDamage);
        m_damage = {};
        m_eraseDamage = {};
        PaintTree(m_window, damage, erase);
        if (!IsWindow(self))
            return; // destroyed while painting; the surface is retired, not yet deleted
        m_unpresented = m_unpresented.Union(damage);
    }
    m_flushing = false;
    if (m_unpresented.IsEmpty())
        return;
    UpdateNativeShape(m_unpresented);
    m_native->Present(m_backBuffer, m_unpresented);
    m_unpresented = {};
}

void TopLevelSurface::PaintTree(CWnd& window, const Region& damage, const Region& erase) {
    const HWND hwnd = window.GetSafeHwnd();
    const Region visible = window.VisibleRegion();
    const Region area = visible.Intersect(damage);
    if (area.IsEmpty())
        return;
    PaintWindow(window, area, erase.Intersects(area.Bounds()) && !erase.Intersect(area).IsEmpty());
    if (!IsWindow(hwnd))
        return;
    std::vector<HWND> children;
    for (CWnd* child : window.m_children)
        children.push_back(child->GetSafeHwnd());
    for (HWND child : children)
        if (CWnd* c = CWnd::FromHandle(child); c && c->IsVisibleFlag())
            PaintTree(*c, area, erase);
}

void TopLevelSurface::PaintWindow(CWnd& window, const Region& area, bool erase) {
    const Point offset = window.OffsetInTopLevel();
    Painter painter(m_backBuffer);
    painter.SetViewportOrg(offset);
    painter.SelectClipRgn(&area);
    PaintContext context{&window, &painter, area.Bounds().Offset(-offset.x, -offset.y), t_paintContext};
    t_paintContext = &context;
    const HWND hwnd = window.GetSafeHwnd();
    if (erase)
        window.WindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&painter), 0);
    if (IsWindow(hwnd))
        window.WindowProc(WM_PAINT, 0, 0);
    t_paintContext = context.outer;
}

void TopLevelSurface::Resize(int width, int height) {
    m_backBuffer = m_backBuffer.Copy(Rect{0, 0, std::max(0, width), std::max(0, height)});
    m_damage = {};
    m_eraseDamage = {};
    m_keyedOut = {};
    Damage(Region(m_backBuffer.Bounds()), true);
    m_unpresented = m_unpresented.Intersect(Region(m_backBuffer.Bounds()));
}

void TopLevelSurface::ShapeChanged() {
    UpdateNativeShape({});
}

void TopLevelSurface::SetLayering(std::optional<COLORREF> colorKey, std::uint8_t alpha) {
    m_native->SetOpacity(alpha);
    if (colorKey == m_colorKey)
        return;
    m_colorKey = colorKey;
    m_keyedOut = colorKey
                     ? Region(m_backBuffer.Bounds()).Subtract(Region::FromColorKey(m_backBuffer, *colorKey))
                     : Region();
    UpdateNativeShape({});
}

void TopLevelSurface::UpdateNativeShape(const Region& repainted) {
    if (m_colorKey && !repainted.IsEmpty()) {
        // Only the repainted part can have changed which pixels carry the key.
        const Rect box = repainted.Bounds();
        Region kept = Region::FromColorKey(m_backBuffer.Copy(box), *m_colorKey);
        kept.Offset(box.left, box.top);
        const Region keyed = repainted.Subtract(kept);
        m_keyedOut = m_keyedOut.Subtract(repainted).Union(keyed);
    }
    std::optional<Region> shape = m_window.m_shape;
    if (m_colorKey)
        shape = (shape ? *shape : Region(m_backBuffer.Bounds())).Subtract(m_keyedOut);
    if (m_nativeShapeSet && shape == m_nativeShape)
        return;
    m_nativeShape = shape;
    m_nativeShapeSet = true;
    m_native->SetShape(shape);
}

} // namespace plat
