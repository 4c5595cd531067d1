// Helpers of the control tests: typing through the headless keyboard (so that key state,
// pre-translation and characters behave as with a real keyboard) and a parent window that
// keeps the WM_COMMAND notifications of its controls.
#pragma once

#include "platform/os/virtual_keys.h"
#include "window_test_support.h"

#include <string>
#include <utility>
#include <vector>

namespace window_test {

struct Notification {
    int id;
    UINT code;
    bool operator==(const Notification&) const = default;
};

class ControlTest : public WindowTest {
protected:
    static NativeKey Key(std::uint16_t vk, std::u16string text = {}) {
        NativeKey k;
        k.virtualKey = vk;
        k.scanCode = ScanFor(vk);
        k.extended = vk >= VK_END && vk <= VK_DELETE;
        k.text = std::move(text);
        return k;
    }
    // Keys that type a control character carry it, as the desktop keyboard gives it.
    void Tap(std::uint16_t vk, std::u16string text = {}) {
        if (text.empty() && (vk == VK_BACK || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_TAB))
            text = std::u16string(
                1, vk == VK_RETURN ? u'\r' : (vk == VK_ESCAPE ? u'\x1b' : static_cast<char16_t>(vk)));
        m_screen->PressKey(Key(vk, std::move(text)));
        m_screen->ReleaseKey(Key(vk));
        Pump();
    }
    // A key pressed with Shift or Ctrl held (both are real key presses).
    void TapWith(std::uint16_t modifier, std::uint16_t vk) {
        m_screen->PressKey(Key(modifier));
        Tap(vk);
        m_screen->ReleaseKey(Key(modifier));
        Pump();
    }
    void Type(std::u16string_view text) {
        for (char16_t c : text) {
            const char16_t upper = (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
            Tap(static_cast<std::uint16_t>(upper), std::u16string(1, c));
        }
    }
    static std::vector<Notification> Commands(RecordingWnd& parent) {
        std::vector<Notification> out;
        for (const Received& r : parent.Take(WM_COMMAND, WM_COMMAND))
            out.push_back({LOWORD(r.wParam), HIWORD(r.wParam)});
        return out;
    }

private:
    static std::uint16_t ScanFor(std::uint16_t vk) {
        switch (vk) {
        case VK_SHIFT:
            return 0x2A;
        case VK_CONTROL:
            return 0x1D;
        case VK_RETURN:
            return 0x1C;
        case VK_ESCAPE:
            return 0x01;
        case VK_SPACE:
            return 0x39;
        case VK_BACK:
            return 0x0E;
        case VK_LEFT:
            return 0x4B;
        case VK_RIGHT:
            return 0x4D;
        case VK_UP:
            return 0x48;
        case VK_DOWN:
            return 0x50;
        case VK_HOME:
            return 0x47;
        case VK_END:
            return 0x4F;
        case VK_DELETE:
            return 0x53;
        default:
            return 0x1E;
        }
    }
};

} // namespace window_test
