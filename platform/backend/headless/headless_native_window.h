// A window of the headless window system: its properties and the last presented picture,
// kept under the system's lock so tests on another thread can read them.
#pragma once

#include "platform/backend/native_window.h"
#include "platform/core/messages.h"

namespace plat {

class HeadlessWindowSystem;

class HeadlessNativeWindow final : public NativeWindow {
public:
    HeadlessNativeWindow(HeadlessWindowSystem& system, const NativeWindowParams& params);
    ~HeadlessNativeWindow() override;

    void Show(bool activate) override;
    void Hide() override;
    bool IsShown() const override;
    void SetBounds(const Rect& screen) override;
    Rect Bounds() const override;
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

private:
    friend class HeadlessWindowSystem;

    // With the system's lock held: whether the window takes pointer input at a screen point.
    bool AcceptsPointerAt(Point screen) const;
    int Layer() const { return (m_params.topmost || m_params.kind == NativeWindowKind::Popup) ? 1 : 0; }

    HeadlessWindowSystem& m_system;
    const DWORD m_thread;
    NativeWindowParams m_params;
    bool m_shown{false};
    std::optional<Region> m_shape;
    std::uint8_t m_opacity{255};
    CursorShape m_cursor{CursorShape::Arrow};
    Bitmap m_surface;
};

} // namespace plat
