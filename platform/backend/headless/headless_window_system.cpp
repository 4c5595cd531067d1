// The headless window system: stacking, pointer routing with grabs and hovering,
// click-to-activate, and composition of the screen for screenshots.
#include "platform/backend/headless/headless_window_system.h"

#include "platform/backend/headless/headless_native_window.h"
#include "platform/core/clock.h"
#include "platform/core/message_queue.h"
#include "platform/gfx/image_codec.h"

#include <algorithm>

namespace plat {

namespace {

unsigned ButtonBit(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return kModLeftButton;
    case MouseButton::Right:
        return kModRightButton;
    case MouseButton::Middle:
        return kModMiddleButton;
    case MouseButton::X1:
        return kModX1Button;
    case MouseButton::X2:
        return kModX2Button;
    }
    return 0;
}

// Virtual-key codes of the mouse buttons, for IsKeyDown.
std::uint16_t ButtonKey(MouseButton button) {
    constexpr std::uint16_t keys[] = {0x01, 0x02, 0x04, 0x05, 0x06};
    return keys[static_cast<int>(button)];
}

std::uint32_t Blend(std::uint32_t over, std::uint32_t under, unsigned alpha) {
    std::uint32_t out = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned a = (over >> shift) & 0xFF;
        const unsigned b = (under >> shift) & 0xFF;
        out |= ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

} // namespace

HeadlessWindowSystem::HeadlessWindowSystem() = default;
HeadlessWindowSystem::~HeadlessWindowSystem() = default;

ScreenInfo HeadlessWindowSystem::Screen() const {
    const Rect screen{0, 0, kScreenWidth, kScreenHeight};
    return {screen, screen, 96};
}

std::unique_ptr<NativeWindow> HeadlessWindowSystem::CreateWindow(const NativeWindowParams& params) {
    auto window = std::make_unique<HeadlessNativeWindow>(*this, params);
    std::lock_guard lock(m_mutex);
    m_stack.insert(m_stack.begin(), window.get()); // hidden windows wait at the bottom
    return window;
}

void HeadlessWindowSystem::FetchEvents(std::vector<NativeEvent>& out) {
    std::lock_guard lock(m_mutex);
    auto it = m_events.find(GetCurrentThreadId());
    if (it == m_events.end())
        return;
    out.insert(out.end(), it->second.begin(), it->second.end());
    m_events.erase(it);
}

Point HeadlessWindowSystem::CursorPos() const {
    std::lock_guard lock(m_mutex);
    return m_pointer;
}

bool HeadlessWindowSystem::IsKeyDown(std::uint16_t virtualKey) const {
    std::lock_guard lock(m_mutex);
    return m_keysDown.count(virtualKey) != 0;
}

void HeadlessWindowSystem::SetClipboardText(const std::u16string& text) {
    std::lock_guard lock(m_mutex);
    m_clipboard = text;
}

std::u16string HeadlessWindowSystem::ClipboardText() {
    std::lock_guard lock(m_mutex);
    return m_clipboard;
}

void HeadlessWindowSystem::MoveMouse(Point screen) {
    std::lock_guard lock(m_mutex);
    m_pointer = screen;
    UpdateHover();
    if (HeadlessNativeWindow* target = PointerTarget()) {
        NativeEvent e;
        e.kind = NativeEventKind::PointerMove;
        e.screen = screen;
        Queue(*target, e);
    }
    WakeOwners();
}

void HeadlessWindowSystem::PressButton(MouseButton button) {
    std::lock_guard lock(m_mutex);
    HeadlessNativeWindow* target = PointerTarget();
    if (m_buttons == 0)
        m_pressTarget = target;
    m_buttons |= ButtonBit(button);
    m_keysDown.insert(ButtonKey(button));
    if (target) {
        if (!target->m_params.noActivate && target->m_params.kind != NativeWindowKind::Popup)
            SetFocus(target);
        NativeEvent e;
        e.kind = NativeEventKind::ButtonPress;
        e.button = button;
        e.screen = m_pointer;
        Queue(*target, e);
    }
    WakeOwners();
}

void HeadlessWindowSystem::ReleaseButton(MouseButton button) {
    std::lock_guard lock(m_mutex);
    if (!(m_buttons & ButtonBit(button)))
        return;
    HeadlessNativeWindow* target = PointerTarget();
    m_buttons &= ~ButtonBit(button);
    m_keysDown.erase(ButtonKey(button));
    if (target) {
        NativeEvent e;
        e.kind = NativeEventKind::ButtonRelease;
        e.button = button;
        e.screen = m_pointer;
        Queue(*target, e);
    }
    if (m_buttons == 0) {
        m_pressTarget = nullptr;
        UpdateHover();
    }
    WakeOwners();
}

void HeadlessWindowSystem::Click(Point screen, MouseButton button) {
    MoveMouse(screen);
    PressButton(button);
    ReleaseButton(button);
}

void HeadlessWindowSystem::Wheel(int delta) {
    std::lock_guard lock(m_mutex);
    // The wheel goes to the window under the pointer unless something grabbed it.
    HeadlessNativeWindow* target = m_grab ? m_grab : HitTest(m_pointer);
    if (target) {
        NativeEvent e;
        e.kind = NativeEventKind::Wheel;
        e.wheelDelta = delta;
        e.screen = m_pointer;
        Queue(*target, e);
    }
    WakeOwners();
}

void HeadlessWindowSystem::PressKey(const NativeKey& key) {
    std::lock_guard lock(m_mutex);
    m_keysDown.insert(key.virtualKey);
    if (m_focus) {
        NativeEvent e;
        e.kind = NativeEventKind::KeyPress;
        e.key = key;
        Queue(*m_focus, e);
    }
    WakeOwners();
}

void HeadlessWindowSystem::ReleaseKey(const NativeKey& key) {
    std::lock_guard lock(m_mutex);
    m_keysDown.erase(key.virtualKey);
    if (m_focus) {
        NativeEvent e;
        e.kind = NativeEventKind::KeyRelease;
        e.key = key;
        e.key.text.clear();
        e.key.autoRepeat = false;
        Queue(*m_focus, e);
    }
    WakeOwners();
}

void HeadlessWindowSystem::SetModifiers(unsigned modifiers) {
    std::lock_guard lock(m_mutex);
    m_modifiers = modifiers & (kModShift | kModControl | kModAlt);
}

void HeadlessWindowSystem::RequestClose(const NativeWindow& window) {
    std::lock_guard lock(m_mutex);
    for (auto* w : m_stack) {
        if (w == &window) {
            NativeEvent e;
            e.kind = NativeEventKind::CloseRequest;
            Queue(*w, e);
        }
    }
    WakeOwners();
}

std::vector<HeadlessWindowSystem::WindowInfo> HeadlessWindowSystem::TopLevelWindows() const {
    std::lock_guard lock(m_mutex);
    std::vector<WindowInfo> list;
    for (const auto* w : m_stack)
        list.push_back({w, w->m_params.kind, w->m_params.title, w->m_params.className, w->m_params.bounds,
                        w->m_shown, w->m_params.topmost, w->m_opacity, w->m_cursor});
    return list;
}

const NativeWindow* HeadlessWindowSystem::WindowAt(Point screen) const {
    std::lock_guard lock(m_mutex);
    return HitTest(screen);
}

const NativeWindow* HeadlessWindowSystem::ActiveWindow() const {
    std::lock_guard lock(m_mutex);
    return m_focus;
}

Bitmap HeadlessWindowSystem::WindowPixels(const NativeWindow& window) const {
    std::lock_guard lock(m_mutex);
    for (const auto* w : m_stack)
        if (w == &window)
            return w->m_surface;
    return {};
}

Bitmap HeadlessWindowSystem::ComposeScreen() const {
    std::lock_guard lock(m_mutex);
    Bitmap screen(kScreenWidth, kScreenHeight, kDesktopPixel);
    for (const auto* w : m_stack) {
        if (!w->m_shown)
            continue;
        const Rect& b = w->m_params.bounds;
        Region visible = w->m_shape ? *w->m_shape : Region(w->m_surface.Bounds());
        visible = visible.Intersect(Region(w->m_surface.Bounds()));
        visible.Offset(b.left, b.top);
        visible.ForEachRectIn(screen.Bounds(), [&](const Rect& r) {
            for (int y = r.top; y < r.bottom; ++y) {
                const std::uint32_t* src = w->m_surface.Row(y - b.top) + (r.left - b.left);
                std::uint32_t* dst = screen.Row(y) + r.left;
                for (int x = 0; x < r.Width(); ++x)
                    dst[x] =
                        w->m_opacity == 255 ? (src[x] | 0xFF000000) : Blend(src[x], dst[x], w->m_opacity);
            }
        });
    }
    return screen;
}

bool HeadlessWindowSystem::SaveScreenshot(const std::string& path) const {
    return SavePng(ComposeScreen(), path);
}

bool HeadlessWindowSystem::SaveWindowScreenshot(const NativeWindow& window, const std::string& path) const {
    Rect bounds;
    {
        std::lock_guard lock(m_mutex);
        const auto it = std::find(m_stack.begin(), m_stack.end(), &window);
        if (it == m_stack.end())
            return false;
        bounds = (*it)->m_params.bounds;
    }
    const Bitmap screen = ComposeScreen();
    return SavePng(screen.Copy(bounds, kDesktopPixel), path);
}

int HeadlessWindowSystem::PresentCount() const {
    std::lock_guard lock(m_mutex);
    return m_presents;
}

void HeadlessWindowSystem::Queue(HeadlessNativeWindow& window, NativeEvent event) {
    event.window = &window;
    event.time = GetTickCount();
    if (event.modifiers == 0)
        event.modifiers = ModifiersNow();
    m_events[window.m_thread].push_back(std::move(event));
    m_toWake.insert(window.m_thread);
}

HeadlessNativeWindow* HeadlessWindowSystem::PointerTarget() {
    if (m_grab)
        return m_grab;
    if (m_buttons && m_pressTarget)
        return m_pressTarget;
    return HitTest(m_pointer);
}

HeadlessNativeWindow* HeadlessWindowSystem::HitTest(Point screen) const {
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it)
        if ((*it)->AcceptsPointerAt(screen))
            return *it;
    return nullptr;
}

void HeadlessWindowSystem::UpdateHover() {
    HeadlessNativeWindow* now = HitTest(m_pointer);
    if (m_grab || (m_buttons && m_pressTarget)) {
        HeadlessNativeWindow* holder = m_grab ? m_grab : m_pressTarget;
        now = (now == holder) ? holder : nullptr; // a held window hears of its own leaving only
        if (m_hover && m_hover != holder && m_hover != now) {
            NativeEvent e;
            e.kind = NativeEventKind::PointerLeave;
            Queue(*m_hover, e);
        }
        m_hover = now;
        return;
    }
    if (m_hover && m_hover != now) {
        NativeEvent e;
        e.kind = NativeEventKind::PointerLeave;
        Queue(*m_hover, e);
    }
    m_hover = now;
}

void HeadlessWindowSystem::SetFocus(HeadlessNativeWindow* window) {
    if (m_focus == window)
        return;
    if (m_focus) {
        NativeEvent e;
        e.kind = NativeEventKind::FocusOut;
        Queue(*m_focus, e);
    }
    m_focus = window;
    if (m_focus) {
        NativeEvent e;
        e.kind = NativeEventKind::FocusIn;
        Queue(*m_focus, e);
    }
}

void HeadlessWindowSystem::WakeOwners() {
    for (DWORD thread : m_toWake)
        WakeThread(thread);
    m_toWake.clear();
}

unsigned HeadlessWindowSystem::ModifiersNow() const {
    unsigned mods = m_modifiers | m_buttons;
    constexpr std::pair<std::uint16_t, unsigned> keys[] = {
        {0x10, kModShift}, {0x11, kModControl}, {0x12, kModAlt}};
    for (auto [vk, bit] : keys)
        if (m_keysDown.count(vk))
            mods |= bit;
    return mods;
}

void HeadlessWindowSystem::RaiseLocked(HeadlessNativeWindow& window) {
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), &window), m_stack.end());
    auto at =
        std::find_if(m_stack.begin(), m_stack.end(), [&](auto* w) { return w->Layer() > window.Layer(); });
    m_stack.insert(at, &window);
}

void HeadlessWindowSystem::Forget(HeadlessNativeWindow& window) {
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), &window), m_stack.end());
    for (HeadlessNativeWindow** p : {&m_focus, &m_grab, &m_pressTarget, &m_hover})
        if (*p == &window)
            *p = nullptr;
    for (auto& [thread, queue] : m_events)
        std::erase_if(queue, [&](const NativeEvent& e) { return e.window == &window; });
    m_toWake.erase(window.m_thread);
    UpdateHover();
    WakeOwners();
}

} // namespace plat
