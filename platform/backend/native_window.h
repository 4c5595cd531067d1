// One window of the window system: a top-level window, a pop-up or a dialog of the
// programs. The window layer owns everything inside it (child windows, painting, input
// routing) and keeps the native window only as a surface with a position, a shape and a
// few stacking and input properties. Every call is made on the thread that created the
// window; a backend may assume it and needs no locking per window.
#pragma once

#include "platform/backend/native_event.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/rect.h"
#include "platform/gfx/region.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plat {

enum class NativeWindowKind : std::uint8_t {
    TopLevel, // frameless managed window with a task bar entry
    Popup,    // override-redirect: placed exactly, never decorated or managed (drop-downs, OSDs, menus)
    Dialog,   // frameless managed window kept above its owner (modal pop-ups)
};

enum class CursorShape : std::uint8_t { Arrow, Hand, IBeam, Wait, SizeAll, SizeWE, SizeNS, No };

class NativeWindow;

struct NativeWindowParams {
    NativeWindowKind kind{NativeWindowKind::TopLevel};
    Rect bounds;                        // screen coordinates
    const NativeWindow* owner{nullptr}; // kept above it; may be null
    std::u16string title;
    std::string className; // names the program's windows to the desktop (WM_CLASS)
    bool topmost{false};
    bool noActivate{false};
    bool clickThrough{false};
    bool toolWindow{false}; // no task bar entry
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;

    virtual void Show(bool activate) = 0;
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;

    // Screen coordinates; the size of the window's surface follows the rectangle.
    virtual void SetBounds(const Rect& screen) = 0;
    virtual Rect Bounds() const = 0;

    // The visible and clickable area in window coordinates; nullopt is the whole rectangle.
    // The window layer passes the window's own shape already reduced by its colour key, so
    // a backend never looks at colour keys itself.
    virtual void SetShape(const std::optional<Region>& shape) = 0;
    // 255 is opaque.
    virtual void SetOpacity(std::uint8_t alpha) = 0;
    virtual void SetTopmost(bool topmost) = 0;
    // A no-activate window never takes the keyboard focus or activation from a click.
    virtual void SetNoActivate(bool noActivate) = 0;
    // A click-through window lets every pointer event pass to what lies below it.
    virtual void SetClickThrough(bool clickThrough) = 0;
    virtual void SetTitle(const std::u16string& title) = 0;

    // Stacking among the windows of the system: to the top (of its layer) or the bottom.
    virtual void Raise() = 0;
    virtual void Lower() = 0;
    // Asks for activation and keyboard focus; the answer comes back as FocusIn.
    virtual void Activate() = 0;

    // While grabbed every pointer event of the display goes to this window, wherever the
    // pointer is (mouse capture that outlives a button press).
    virtual void GrabPointer(bool grab) = 0;
    virtual void SetCursor(CursorShape shape) = 0;

    // Hands a caption drag started by `button` at `screen` to the window system. True when
    // the system moves the window itself (it reports the moves as Configured); false when
    // the window layer must move the window by following the pointer.
    virtual bool BeginMoveDrag(Point screen, MouseButton button) = 0;

    // Shows the window's back buffer (same size as the window): at least `damage`, in
    // window coordinates, is new.
    virtual void Present(const Bitmap& backBuffer, const Region& damage) = 0;
};

} // namespace plat
