// Headless windows: every change is recorded under the system's lock, and the changes
// that alter what lies under the pointer re-check hovering at once, as a display would.
#include "platform/backend/headless/headless_native_window.h"

#include "platform/backend/headless/headless_window_system.h"
#include "platform/core/message_queue.h"

#include <algorithm>

namespace plat {

HeadlessNativeWindow::HeadlessNativeWindow(HeadlessWindowSystem& system, const NativeWindowParams& params)
    : m_system(system), m_thread(GetCurrentThreadId()), m_params(params),
      m_surface(std::max(0, params.bounds.Width()), std::max(0, params.bounds.Height())) {}

HeadlessNativeWindow::~HeadlessNativeWindow() {
    std::lock_guard lock(m_system.m_mutex);
    m_system.Forget(*this);
}

void HeadlessNativeWindow::Show(bool activate) {
    std::lock_guard lock(m_system.m_mutex);
    if (!m_shown) {
        m_shown = true;
        m_system.RaiseLocked(*this);
    }
    if (activate && !m_params.noActivate)
        m_system.SetFocus(this);
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::Hide() {
    std::lock_guard lock(m_system.m_mutex);
    if (!m_shown)
        return;
    m_shown = false;
    if (m_system.m_grab == this)
        m_system.m_grab = nullptr;
    if (m_system.m_pressTarget == this)
        m_system.m_pressTarget = nullptr;
    if (m_system.m_focus == this)
        m_system.SetFocus(nullptr);
    m_system.UpdateHover();
    m_system.WakeOwners();
}

bool HeadlessNativeWindow::IsShown() const {
    std::lock_guard lock(m_system.m_mutex);
    return m_shown;
}

void HeadlessNativeWindow::SetBounds(const Rect& screen) {
    std::lock_guard lock(m_system.m_mutex);
    if (screen.Width() != m_params.bounds.Width() || screen.Height() != m_params.bounds.Height())
        m_surface = m_surface.Copy(Rect{0, 0, std::max(0, screen.Width()), std::max(0, screen.Height())});
    m_params.bounds = screen;
    m_system.UpdateHover();
    m_system.WakeOwners();
}

Rect HeadlessNativeWindow::Bounds() const {
    std::lock_guard lock(m_system.m_mutex);
    return m_params.bounds;
}

void HeadlessNativeWindow::SetShape(const std::optional<Region>& shape) {
    std::lock_guard lock(m_system.m_mutex);
    m_shape = shape;
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::SetOpacity(std::uint8_t alpha) {
    std::lock_guard lock(m_system.m_mutex);
    m_opacity = alpha;
}

void HeadlessNativeWindow::SetTopmost(bool topmost) {
    std::lock_guard lock(m_system.m_mutex);
    m_params.topmost = topmost;
    m_system.RaiseLocked(*this);
}

void HeadlessNativeWindow::SetNoActivate(bool noActivate) {
    std::lock_guard lock(m_system.m_mutex);
    m_params.noActivate = noActivate;
}

void HeadlessNativeWindow::SetClickThrough(bool clickThrough) {
    std::lock_guard lock(m_system.m_mutex);
    m_params.clickThrough = clickThrough;
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::SetTitle(const std::u16string& title) {
    std::lock_guard lock(m_system.m_mutex);
    m_params.title = title;
}

void HeadlessNativeWindow::Raise() {
    std::lock_guard lock(m_system.m_mutex);
    m_system.RaiseLocked(*this);
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::Lower() {
    std::lock_guard lock(m_system.m_mutex);
    auto& stack = m_system.m_stack;
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
    auto at = std::find_if(stack.begin(), stack.end(), [&](auto* w) { return w->Layer() >= Layer(); });
    stack.insert(at, this);
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::Activate() {
    std::lock_guard lock(m_system.m_mutex);
    if (m_shown)
        m_system.SetFocus(this);
    m_system.WakeOwners();
}

void HeadlessNativeWindow::GrabPointer(bool grab) {
    std::lock_guard lock(m_system.m_mutex);
    if (grab && m_shown)
        m_system.m_grab = this;
    else if (!grab && m_system.m_grab == this)
        m_system.m_grab = nullptr;
    m_system.UpdateHover();
    m_system.WakeOwners();
}

void HeadlessNativeWindow::SetCursor(CursorShape shape) {
    std::lock_guard lock(m_system.m_mutex);
    m_cursor = shape;
}

bool HeadlessNativeWindow::BeginMoveDrag(Point, MouseButton) {
    return false; // no window manager: the window layer follows the pointer itself
}

void HeadlessNativeWindow::Present(const Bitmap& backBuffer, const Region& damage) {
    std::lock_guard lock(m_system.m_mutex);
    ++m_system.m_presents;
    if (backBuffer.Width() != m_surface.Width() || backBuffer.Height() != m_surface.Height()) {
        m_surface = backBuffer;
        return;
    }
    damage.ForEachRectIn(m_surface.Bounds(), [&](const Rect& r) {
        for (int y = r.top; y < r.bottom; ++y)
            std::copy(backBuffer.Row(y) + r.left, backBuffer.Row(y) + r.right, m_surface.Row(y) + r.left);
    });
}

bool HeadlessNativeWindow::AcceptsPointerAt(Point screen) const {
    if (!m_shown || m_params.clickThrough || !m_params.bounds.Contains(screen))
        return false;
    if (!m_shape)
        return true;
    return m_shape->Contains({screen.x - m_params.bounds.left, screen.y - m_params.bounds.top});
}

} // namespace plat
