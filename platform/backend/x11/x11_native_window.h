// A native window on X11: an X window of our own depth and visual, without decorations,
// its shape and input area set through XShape, and its stacking and input properties
// given to the window manager as ICCCM and EWMH hints (or applied directly when no
// manager runs). Pop-ups are override-redirect and placed exactly.
#pragma once

#include "platform/backend/native_window.h"

#include "platform/backend/x11/x11_xlib.h"

#include <deque>
#include <memory>

namespace plat::x11 {

class X11Connection;
class X11Surface;

class X11NativeWindow final : public NativeWindow {
public:
    X11NativeWindow(X11Connection& connection, const NativeWindowParams& params);
    ~X11NativeWindow() override;

    void Show(bool activate) override;
    void Hide() override;
    bool IsShown() const override { return m_shown; }
    void SetBounds(const Rect& screen) override;
    Rect Bounds() const override { return m_bounds; }
    void SetShape(const std::optional<Region>& shape) override;
    void SetOpacity(std::uint8_t alpha) override;
    void SetTopmost(bool topmost) override;
    void SetNoActivate(bool noActivate) override;
    void SetClickThrough(bool clickThrough) override;
    void SetTitle(const std::u16string& title) override;
    void Raise() override;
    void Lower() override;
    void Activate() override;
    void GrabPointer(bool grab) override;
    void SetCursor(CursorShape shape) override;
    bool BeginMoveDrag(Point screen, MouseButton button) override;
    void Present(const Bitmap& backBuffer, const Region& damage) override;

    Window Xid() const { return m_window; }
    X11Connection& Connection() const { return m_connection; }
    bool IsPopup() const { return m_params.kind == NativeWindowKind::Popup; }
    // Without a window manager nobody focuses a clicked window; we do it ourselves.
    bool TakesFocusOnClick() const { return !IsPopup() && !m_params.noActivate && !m_focused; }
    bool UsesShm() const;

    // What the event translation learns from the server. Each returns whether the news
    // is worth a native event.
    bool NoteConfigured(const Rect& screen);
    bool NoteFocus(bool focused);
    void NoteParent(Window parent) { m_parent = parent; }
    Window Parent() const { return m_parent; }
    // True when the window held a pointer grab of its own (now gone).
    bool NoteGrabTaken();

private:
    void SetMotifHints();
    void SetWindowType();
    void SetClassHint();
    void SetWmHints();
    void SetSizeHints();
    void SetOwner();
    void SetInitialStates();
    void SetWmState(Atom state, bool on);
    void ApplyShapes();
    void Flush();

    X11Connection& m_connection;
    NativeWindowParams m_params;
    Window m_window{None};
    Window m_parent{None};
    Rect m_bounds;
    bool m_shown{false};
    bool m_focused{false};
    bool m_grabbed{false};
    std::optional<Region> m_shape;
    std::uint8_t m_opacity{255};
    std::deque<Rect> m_requestedBounds; // our own moves not yet confirmed by the server
    std::unique_ptr<X11Surface> m_surface;
};

} // namespace plat::x11
