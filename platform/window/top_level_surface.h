// What a top-level window has beyond a child: its native window, the back buffer that it
// and all its children paint into, the damage waiting to be painted and the area waiting
// to be presented, and its layering (colour key folded into the shape, constant opacity).
#pragma once

#include "platform/backend/native_window.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/region.h"

#include <memory>
#include <optional>

namespace plat {

class CWnd;

class TopLevelSurface {
public:
    TopLevelSurface(CWnd& window, std::unique_ptr<NativeWindow> native);
    ~TopLevelSurface();

    NativeWindow& Native() { return *m_native; }
    const Bitmap& BackBuffer() const { return m_backBuffer; }
    Bitmap& BackBuffer() { return m_backBuffer; }

    // Damage in window coordinates; erasing damage also gets WM_ERASEBKGND.
    void Damage(const Region& area, bool erase);
    void Undamage(const Region& area);
    bool IsFlushing() const { return m_flushing; }
    bool HasDamage() const { return !m_damage.IsEmpty() || !m_unpresented.IsEmpty(); }
    // Drawn outside painting (a client painter): to be presented at the next flush.
    void MarkDrawn(const Region& area);

    // Paints the damaged windows and presents the result; nothing while hidden.
    void Flush();

    // The window's size changed: the back buffer follows and everything is damaged.
    void Resize(int width, int height);
    // The window's own shape changed (window coordinates).
    void ShapeChanged();
    void SetLayering(std::optional<COLORREF> colorKey, std::uint8_t alpha);

private:
    void PaintTree(CWnd& window, const Region& damage, const Region& erase);
    void PaintWindow(CWnd& window, const Region& area, bool erase);
    void UpdateNativeShape(const Region& repainted);

    CWnd& m_window;
    std::unique_ptr<NativeWindow> m_native;
    Bitmap m_backBuffer;
    Region m_damage;
    Region m_eraseDamage;
    Region m_unpresented;
    std::optional<COLORREF> m_colorKey;
    Region m_keyedOut; // pixels of the colour key, window coordinates
    std::optional<Region> m_nativeShape;
    bool m_nativeShapeSet{false};
    bool m_flushing{false};
};

// The painter of the window being painted, set while it handles WM_ERASEBKGND and
// WM_PAINT; CPaintDC picks it up.
struct PaintContext {
    CWnd* window{nullptr};
    Painter* painter{nullptr};
    Rect paintRect; // client coordinates
    PaintContext* outer{nullptr};
};
PaintContext* CurrentPaintContext();

} // namespace plat
