// Helpers of the window tests: a fresh headless screen and a manual clock per test, a
// loop that runs until the queue is empty (paints included), and a window that records
// its messages, fills itself with a colour and answers WM_NCHITTEST as told.
#pragma once

#include "platform/backend/headless/headless_window_system.h"
#include "platform/core/manual_clock.h"
#include "platform/core/message_queue.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace window_test {

using namespace plat;

inline constexpr char16_t kPlainClass[] = u"TestPlain";
inline constexpr char16_t kDoubleClickClass[] = u"TestDoubleClicks";

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class RecordingWnd : public CWnd {
public:
    std::vector<Received> log;
    std::optional<COLORREF> fill; // painted over the whole client area
    LRESULT hitCode{HTCLIENT};    // answer to WM_NCHITTEST
    int paints{0};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        log.push_back({message, wParam, lParam});
        if (message == WM_NCHITTEST)
            return hitCode;
        if (message == WM_PAINT) {
            ++paints;
            CPaintDC dc(*this);
            if (fill)
                dc->FillRect(GetClientRect(), *fill);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The messages received in the range, in order, and the log cleared.
    std::vector<Received> Take(UINT first = WM_MOUSEMOVE, UINT last = WM_MOUSEHOVER + 2) {
        std::vector<Received> picked;
        for (const Received& r : log)
            if (r.message >= first && r.message <= last)
                picked.push_back(r);
        log.clear();
        return picked;
    }
    std::vector<UINT> Messages(UINT first = WM_MOUSEMOVE, UINT last = WM_MOUSEHOVER + 2) {
        std::vector<UINT> out;
        for (const Received& r : Take(first, last))
            out.push_back(r.message);
        return out;
    }
    int Count(UINT message) const {
        int n = 0;
        for (const Received& r : log)
            n += r.message == message;
        return n;
    }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClass({0, kPlainClass, std::nullopt, CursorShape::Arrow});
        RegisterClass({CS_DBLCLKS, kDoubleClickClass, std::nullopt, CursorShape::Arrow});
        auto screen = std::make_unique<HeadlessWindowSystem>();
        m_screen = screen.get();
        m_previous = InstallWindowSystem(std::move(screen));
        Pump();
    }
    void TearDown() override {
        for (CWnd* w : m_created)
            w->DestroyWindow();
        Pump();
        InstallWindowSystem(std::move(m_previous));
    }

    static void Pump() {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            PumpMessage(msg);
    }

    // A shown top-level pop-up at screen rectangle `r`.
    RecordingWnd& TopLevel(const Rect& r, COLORREF color, DWORD exStyle = 0,
                           const char16_t* cls = kPlainClass) {
        auto& w = Keep(std::make_unique<RecordingWnd>());
        w.fill = color;
        EXPECT_TRUE(w.CreateEx(exStyle, cls, u"top", WS_POPUP | WS_VISIBLE, r, nullptr));
        return w;
    }
    RecordingWnd& Child(CWnd& parent, const Rect& r, std::optional<COLORREF> color, UINT id = 0,
                        const char16_t* cls = kPlainClass) {
        auto& w = Keep(std::make_unique<RecordingWnd>());
        w.fill = color;
        EXPECT_TRUE(w.Create(cls, u"", WS_CHILD | WS_VISIBLE, r, &parent, id));
        return w;
    }

    void MoveTo(CWnd& window, Point client) {
        m_screen->MoveMouse(window.ClientToScreen(client));
        Pump();
    }
    void ClickAt(CWnd& window, Point client, MouseButton button = MouseButton::Left) {
        m_screen->Click(window.ClientToScreen(client), button);
        Pump();
    }
    COLORREF ScreenColor(Point screen) {
        return ColorFromPixel(m_screen->ComposeScreen().PixelAt(screen.x, screen.y));
    }

    ManualClock m_clock;
    HeadlessWindowSystem* m_screen{nullptr};

private:
    RecordingWnd& Keep(std::unique_ptr<RecordingWnd> w) {
        m_created.push_back(w.get());
        m_owned.push_back(std::move(w));
        return *m_owned.back();
    }
    std::unique_ptr<WindowSystem> m_previous;
    std::vector<CWnd*> m_created;
    std::vector<std::unique_ptr<RecordingWnd>> m_owned;
};

} // namespace window_test
