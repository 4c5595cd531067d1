// CWnd: a window of the programs. It owns a handle of the core's handle table and
// receives that handle's messages; a subclass overrides WindowProc for the messages it
// handles and passes the others on to CWnd::WindowProc, which ends in DefWindowProc.
//
// A window without WS_CHILD is a top-level window: it has a native window of the window
// system (backend/) and a back buffer (top_level_surface.h). Child windows are light
// objects inside it: a rectangle in the parent's client area, a place in the parent's
// z-order, visibility, enabled state, an optional shape and a control id. There is no
// non-client area; the client rectangle is the window rectangle.
//
// Painting. InvalidateRect only records damage in the top-level window. Once per loop
// iteration, when no posted message waits, every damaged top-level window paints: each
// window whose visible area (its rectangle cut by its shape and its ancestors') meets the
// damage receives WM_ERASEBKGND (when the damage asked for erasing) and WM_PAINT, parents
// before children and lower siblings before higher ones, with a painter on the back
// buffer clipped to that area; then the back buffer is presented once. So a window over
// which nothing was drawn, or which draws transparently, shows what lies beneath it.
//
// Threads. A window belongs to the thread that created it; its member functions are
// called on that thread. The free functions of window_api.h accept handles of windows of
// any thread and carry the call over to the owner.
#pragma once

#include "platform/backend/native_window.h"
#include "platform/core/message_target.h"
#include "platform/core/messages.h"
#include "platform/gfx/font.h"
#include "platform/gfx/rect.h"
#include "platform/gfx/region.h"
#include "platform/window/window_defs.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class Painter;
class TopLevelSurface;
class NativeWindow;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window object behind a handle, for the owning thread only; null otherwise.
    static CWnd* FromHandle(HWND hwnd);

    HWND GetSafeHwnd() const { return m_hwnd; }
    operator HWND() const { return m_hwnd; }

    // `rect` is in the parent's client coordinates for a child, in screen coordinates for
    // a top-level window, whose `parent` is its owner. The class name must have been
    // registered (window_class.h), except for the empty name of a plain window. Sends
    // WM_NCCREATE and WM_CREATE (-1 from either fails the creation), then shows the
    // window when the style has WS_VISIBLE.
    bool CreateEx(DWORD exStyle, std::u16string_view className, std::u16string_view windowName, DWORD style,
                  const Rect& rect, CWnd* parent, UINT id = 0);
    bool Create(std::u16string_view className, std::u16string_view windowName, DWORD style, const Rect& rect,
                CWnd* parent, UINT id = 0) {
        return CreateEx(0, className, windowName, style, rect, parent, id);
    }
    // Sends WM_DESTROY (to the window, then its children and owned windows), WM_NCDESTROY
    // (children first), releases the handle and calls PostNcDestroy. Called from another
    // thread it is carried over to the window's thread; the object of a window whose
    // thread has ended is only detached.
    bool DestroyWindow();

    // The window's own message handling; the default calls DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message (WM_NCDESTROY), when the handle is gone.
    virtual void PostNcDestroy() {}
    // Offered every queued message aimed at this window or one of its descendants, from the
    // target up to the top-level window, before dispatch; true consumes the message.
    virtual bool PreTranslateMessage(MSG& msg);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    bool KillTimer(UINT_PTR id);

    // Style.
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    bool ModifyStyle(DWORD remove, DWORD add);
    bool ModifyStyleEx(DWORD remove, DWORD add);
    const std::u16string& GetClassName() const { return m_className; }
    UINT GetClassStyle() const { return m_classStyle; }
    bool IsTopLevel() const { return !(m_style & WS_CHILD); }

    // Tree.
    CWnd* GetParent() const; // the parent of a child, the owner of a top-level window
    CWnd* GetTopLevelParent();
    bool IsChild(const CWnd* window) const; // a descendant, not the window itself
    // Children from the bottom of the z-order to the top.
    const std::vector<CWnd*>& Children() const { return m_children; }
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    int SetDlgCtrlID(int id);
    CWnd* GetDlgItem(int id) const;
    // The deepest visible child (or this window) whose rectangle and shape hold the point
    // in client coordinates; disabled children are passed over.
    CWnd* ChildWindowFromPoint(Point client);

    // Visibility and state.
    bool ShowWindow(int command);
    bool IsWindowVisible() const; // the window and all its ancestors are shown
    bool IsVisibleFlag() const { return (m_style & WS_VISIBLE) != 0; }
    bool EnableWindow(bool enable); // true when the window was disabled before
    bool IsWindowEnabled() const { return !(m_style & WS_DISABLED); }
    bool IsIconic() const { return m_iconic; }

    // Geometry. Window rectangles are in screen coordinates.
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    void MoveWindow(int x, int y, int width, int height, bool repaint = true);
    void MoveWindow(const Rect& rect, bool repaint = true) {
        MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
    }
    Rect GetWindowRect() const;
    Rect GetClientRect() const { return {0, 0, m_rect.Width(), m_rect.Height()}; }
    // The rectangle in the parent's client coordinates (screen for a top-level window).
    const Rect& RectInParent() const { return m_rect; }
    Point ClientToScreen(Point p) const;
    Rect ClientToScreen(const Rect& r) const;
    Point ScreenToClient(Point p) const;
    Rect ScreenToClient(const Rect& r) const;
    bool BringWindowToTop();

    // Shape: window coordinates; nullopt removes it. The window keeps the region.
    bool SetWindowRgn(std::optional<Region> shape, bool redraw = true);
    const std::optional<Region>& GetWindowRgn() const { return m_shape; }
    // Layering of a top-level window: pixels of the colour key become transparent, and
    // the whole window is blended with the constant alpha. Needs WS_EX_LAYERED.
    bool SetLayeredWindowAttributes(COLORREF key, std::uint8_t alpha, DWORD flags);

    // Text and font.
    void SetWindowText(std::u16string_view text);
    std::u16string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetFont(std::shared_ptr<const Font> font, bool redraw = true);
    std::shared_ptr<const Font> GetFont() const { return m_font; }

    // Damage and painting.
    void Invalidate(bool erase = true) { InvalidateRect(nullptr, erase); }
    void InvalidateRect(const Rect* client, bool erase = true);
    void InvalidateRgn(const Region& client, bool erase = true);
    void ValidateRect(const Rect* client);
    void UpdateWindow();
    bool RedrawWindow(const Rect* client, UINT flags);

    // Input state (per thread).
    CWnd* SetCapture();
    CWnd* SetFocus();
    CWnd* SetActiveWindow();
    bool SetForegroundWindow();
    bool TrackMouseEvent(DWORD flags, DWORD hoverTimeMs = HOVER_DEFAULT);

    // The native window of a shown or hidden top-level window; null for children.
    NativeWindow* GetNativeWindow() const;
    TopLevelSurface* Surface() const { return m_surface.get(); }

private:
    friend class WindowThread;
    friend class TopLevelSurface;
    friend class InputRouter;
    friend class CPaintDC;
    friend class CClientDC;
    class HandleTarget final : public MessageTarget {
    public:
        explicit HandleTarget(CWnd& owner) : m_owner(owner) {}
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
        CWnd& Owner() const { return m_owner; }

    private:
        CWnd& m_owner;
    };

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(CWnd* parent);
    // Unlinks the window from its parent and owner, and its children and owned windows from it.
    void Detach();
    // Forgets a window whose handle went stale with its thread, without messages.
    void Abandon();
    void DestroyTree();
    void FinishDestroy();
    // The window's offset from its top-level window's client origin.
    Point OffsetInTopLevel() const;
    // The window's visible area in its top-level window's coordinates (empty when any
    // ancestor is hidden).
    Region VisibleRegion() const;
    Region ClientToTopLevel(const Region& client) const;
    void DamageInTopLevel(const Region& area, bool erase);
    void ApplyBounds(const Rect& rect, bool redraw, bool fromSystem);
    void ApplyTopmost(bool topmost);
    void Restack(HWND insertAfter);
    void OnDefaultActivate(WPARAM state);
    // Tells other threads what changed about a top-level window.
    void Publish() const;
    void StartCaptionDrag(Point screen);

    HandleTarget m_target{*this};
    HWND m_hwnd{nullptr};
    DWORD m_style{0};
    DWORD m_exStyle{0};
    UINT m_id{0};
    std::u16string m_className;
    UINT m_classStyle{0};
    std::optional<COLORREF> m_background;
    CursorShape m_cursor{CursorShape::Arrow};
    std::u16string m_text;
    std::shared_ptr<const Font> m_font;
    Rect m_rect;
    std::optional<Region> m_shape;
    CWnd* m_parent{nullptr}; // a child's parent
    CWnd* m_owner{nullptr};  // a top-level window's owner
    std::vector<CWnd*> m_children;
    std::vector<CWnd*> m_owned;
    std::unique_ptr<TopLevelSurface> m_surface;
    bool m_iconic{false};
    bool m_destroying{false};
};

} // namespace plat
