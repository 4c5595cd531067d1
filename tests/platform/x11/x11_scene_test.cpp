// A whole scene through the window layer on a real X server: a shaped top-level window
// whose colour key cuts holes in it, with a child button. It must look exactly as the
// headless screen drew it, and a click from xdotool must reach the button.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/headless/headless_window_system.h"
#include "platform/backend/x11/x11_connection.h"
#include "platform/backend/x11/x11_native_window.h"
#include "platform/core/timers.h"
#include "platform/gfx/image_codec.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/text_layout.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

#include <chrono>
#include <thread>

namespace plat::testing {
namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr Rect kPanelBounds = Rect::FromSize(200, 150, 240, 160);
constexpr Rect kButtonRect{60, 70, 180, 110};

class SceneButton final : public CWnd {
public:
    int clicks{0};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_PAINT: {
            CPaintDC dc(*this);
            Rect r = GetClientRect();
            dc->FillRect(r, RGB(40, 90, 200));
            dc->FrameRect(r, RGB(10, 20, 60), 2);
            dc->SetBkMode(TRANSPARENT);
            dc->SetTextColor(RGB(255, 255, 255));
            dc->DrawText(u"Click", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            return 0;
        }
        case WM_LBUTTONDOWN:
            m_pressed = true;
            return 0;
        case WM_LBUTTONUP:
            clicks += m_pressed ? 1 : 0;
            m_pressed = false;
            return 0;
        default:
            return CWnd::WindowProc(message, wParam, lParam);
        }
    }

private:
    bool m_pressed{false};
};

class ScenePanel final : public CWnd {
public:
    int paints{0};

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCHITTEST) {
            // The title strip drags the window.
            const Point client = ScreenToClient(Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return client.y < 40 ? HTCAPTION : HTCLIENT;
        }
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(*this);
        dc->FillRect(GetClientRect(), RGB(230, 220, 200));
        dc->FillRect({170, 0, 240, 40}, kKey); // a hole through the colour key
        dc->DrawLine({10, 150}, {230, 60}, RGB(120, 30, 30));
        Rect title{12, 8, 160, 40};
        dc->SetBkMode(TRANSPARENT);
        dc->DrawText(u"Kavox Corvantis", title, DT_LEFT | DT_SINGLELINE);
        ++paints;
        return 0;
    }
};

// The shape: the rectangle with its lower corners cut off.
Region PanelShape() {
    return Region(Rect{0, 0, 240, 160})
        .Subtract(Region(Rect{0, 140, 20, 160}))
        .Subtract(Region(Rect{220, 140, 240, 160}));
}

struct Scene {
    ScenePanel panel;
    SceneButton button;

    bool Create() {
        WNDCLASS cls;
        cls.className = u"KavoxScene";
        RegisterClass(cls);
        if (!panel.CreateEx(WS_EX_LAYERED, u"KavoxScene", u"Kavox scene", WS_VISIBLE, kPanelBounds, nullptr))
            return false;
        panel.SetLayeredWindowAttributes(kKey, 255, LWA_COLORKEY);
        panel.SetWindowRgn(PanelShape());
        return button.Create(u"", u"Click", WS_CHILD | WS_VISIBLE, kButtonRect, &panel, 100);
    }

    ~Scene() {
        button.DestroyWindow();
        panel.DestroyWindow();
    }
};

class X11SceneTest : public X11Fixture {
protected:
    // Makes the fixture's X11 system the process's one for `body` and the rest of the test.
    template <class Body> void OnX11(Body body) {
        LendSystem();
        body();
    }
};

TEST_F(X11SceneTest, CaptionDragWithoutWindowManagerMovesTheWindow) {
    if (!ProgramInstalled("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    OnX11([&] {
        Scene scene;
        ASSERT_TRUE(scene.Create());
        ASSERT_TRUE(PumpUntil([&] { return scene.panel.paints > 0; }));
        const Point grip{kPanelBounds.left + 40, kPanelBounds.top + 20};
        ASSERT_TRUE(Xdotool({"mousemove", std::to_string(grip.x), std::to_string(grip.y), "mousedown", "1"}));
        Settle();
        ASSERT_TRUE(Xdotool({"mousemove", std::to_string(grip.x + 60), std::to_string(grip.y + 30)}));
        Settle();
        ASSERT_TRUE(Xdotool({"mouseup", "1"}));
        const Rect moved = kPanelBounds.Offset(60, 30);
        EXPECT_TRUE(PumpUntil([&] { return scene.panel.GetWindowRect() == moved; }));
        SyncOurs();
        XWindowAttributes attrs{};
        const auto* native = static_cast<const x11::X11NativeWindow*>(scene.panel.GetNativeWindow());
        XGetWindowAttributes(Probe(), native->Xid(), &attrs);
        EXPECT_EQ((Point{attrs.x, attrs.y}), moved.TopLeft()) << "the server has the window where we think";
    });
}

TEST_F(X11SceneTest, ShapedColourKeyedWindowLooksAsHeadlessDrewItAndItsButtonTakesClicks) {
    // The reference: the same scene on the headless screen.
    Bitmap reference;
    {
        InstallWindowSystem(std::make_unique<HeadlessWindowSystem>());
        auto& headless = static_cast<HeadlessWindowSystem&>(CurrentWindowSystem());
        Scene scene;
        ASSERT_TRUE(scene.Create());
        ASSERT_TRUE(PumpUntil([&] { return scene.panel.paints > 0; }));
        Settle();
        reference = headless.WindowPixels(*scene.panel.GetNativeWindow());
    }
    InstallWindowSystem(nullptr);
    ASSERT_EQ(reference.Width(), kPanelBounds.Width());

    OnX11([&] {
        Scene scene;
        ASSERT_TRUE(scene.Create());
        ASSERT_TRUE(PumpUntil([&] { return scene.panel.paints > 0; }));
        Settle();
        SyncOurs();

        const auto* native = static_cast<const x11::X11NativeWindow*>(scene.panel.GetNativeWindow());
        const Region visible = PanelShape().Intersect(Region::FromColorKey(reference, kKey));
        EXPECT_EQ(ShapeRects(native->Xid(), ShapeBounding), visible.Rects());

        const Bitmap shown = ScreenPixels(kPanelBounds);
        SavePng(shown, std::string(KAVOX_BUILD_DIR) + "/x11-scene.png");
        int wrong = 0;
        for (int y = 0; y < shown.Height(); ++y) {
            for (int x = 0; x < shown.Width(); ++x) {
                const std::uint32_t expected =
                    visible.Contains({x, y}) ? (reference.PixelAt(x, y) | 0xFF000000u) : 0xFF000000u;
                wrong += shown.PixelAt(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels differing from the headless drawing (the root shows black)";

        if (!ProgramInstalled("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
        const Point target{kPanelBounds.left + 120, kPanelBounds.top + 90};
        ASSERT_TRUE(Xdotool({"mousemove", std::to_string(target.x), std::to_string(target.y), "click", "1"}));
        EXPECT_TRUE(PumpUntil([&] { return scene.button.clicks == 1; }));
        // A click in the colour-keyed hole falls through to the root, not to the panel.
        ASSERT_TRUE(Xdotool({"mousemove", std::to_string(kPanelBounds.left + 200),
                             std::to_string(kPanelBounds.top + 10), "click", "1"}));
        Settle();
        EXPECT_EQ(scene.button.clicks, 1);
    });
}

} // namespace
} // namespace plat::testing
