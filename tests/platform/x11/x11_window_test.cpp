// Native X11 windows seen from outside: the hints each kind of window carries, shapes and
// input areas, opacity, presented pixels, and input made by xdotool coming back as native
// events through the connection's wake-ups.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/backend/x11/x11_native_window.h"

#include <algorithm>

namespace plat::testing {
namespace {

using x11::X11NativeWindow;

class X11WindowTest : public X11Fixture {
protected:
    std::unique_ptr<X11NativeWindow> Make(NativeWindowParams params) {
        auto window = System().CreateWindow(params);
        return std::unique_ptr<X11NativeWindow>(static_cast<X11NativeWindow*>(window.release()));
    }

    NativeWindowParams Params(NativeWindowKind kind, Rect bounds) {
        NativeWindowParams p;
        p.kind = kind;
        p.bounds = bounds;
        p.className = "KavoxTestWindow";
        return p;
    }

    // Shows the window and waits until the server has mapped it (its first expose).
    void ShowAndWait(X11NativeWindow& window, EventCollector& events, bool activate = false) {
        window.Show(activate);
        ASSERT_TRUE(events.WaitForKind(NativeEventKind::Exposed));
    }

    bool HasAtom(const std::vector<unsigned long>& atoms, const char* name) {
        const unsigned long atom = XInternAtom(Probe(), name, False);
        return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
    }

    static Bitmap Pattern(int width, int height, std::uint32_t seed) {
        Bitmap b(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                b.SetPixelAt(x, y,
                             0xFF000000u | ((x * 7 + seed) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | seed);
        return b;
    }
};

TEST_F(X11WindowTest, TopLevelIsFramelessNamedAndShaped) {
    auto params = Params(NativeWindowKind::TopLevel, Rect::FromSize(100, 120, 300, 200));
    params.title = u"Kavox \u00e9\u4e2d";
    auto window = Make(params);
    ASSERT_TRUE(window);
    const Region shape = Region(Rect{0, 0, 300, 50}).Union(Region(Rect{100, 50, 200, 200}));
    window->SetShape(shape);
    SyncProbe();

    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(Probe(), window->Xid(), &hint));
    EXPECT_STREQ(hint.res_class, "KavoxTestWindow");
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_EQ(PropertyText(window->Xid(), "_NET_WM_NAME"), "Kavox \xc3\xa9\xe4\xb8\xad");
    const auto motif = Property32(window->Xid(), "_MOTIF_WM_HINTS", AnyPropertyType);
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[2], 0) << "no decorations";
    EXPECT_EQ(ShapeRects(window->Xid(), ShapeBounding), shape.Rects());

    window->SetShape(std::nullopt);
    SyncProbe();
    EXPECT_EQ(ShapeRects(window->Xid(), ShapeBounding), (std::vector<Rect>{Rect{0, 0, 300, 200}}));
}

TEST_F(X11WindowTest, EachKindTellsTheWindowManagerWhatItIs) {
    auto owner = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(10, 10, 100, 100)));

    auto popup = Make(Params(NativeWindowKind::Popup, Rect::FromSize(20, 20, 50, 50)));
    auto dialogParams = Params(NativeWindowKind::Dialog, Rect::FromSize(30, 30, 80, 60));
    dialogParams.owner = owner.get();
    auto dialog = Make(dialogParams);
    auto toolParams = Params(NativeWindowKind::TopLevel, Rect::FromSize(40, 40, 30, 30));
    toolParams.topmost = true;
    toolParams.toolWindow = true;
    toolParams.noActivate = true;
    auto tool = Make(toolParams);
    SyncProbe();

    XWindowAttributes attrs{};
    XGetWindowAttributes(Probe(), popup->Xid(), &attrs);
    EXPECT_TRUE(attrs.override_redirect);
    XGetWindowAttributes(Probe(), dialog->Xid(), &attrs);
    EXPECT_FALSE(attrs.override_redirect);

    Window transientFor = None;
    ASSERT_TRUE(XGetTransientForHint(Probe(), dialog->Xid(), &transientFor));
    EXPECT_EQ(transientFor, owner->Xid());
    EXPECT_TRUE(HasAtom(Property32(dialog->Xid(), "_NET_WM_STATE", XA_ATOM), "_NET_WM_STATE_MODAL"));
    EXPECT_TRUE(
        HasAtom(Property32(dialog->Xid(), "_NET_WM_WINDOW_TYPE", XA_ATOM), "_NET_WM_WINDOW_TYPE_DIALOG"));

    const auto toolStates = Property32(tool->Xid(), "_NET_WM_STATE", XA_ATOM);
    EXPECT_TRUE(HasAtom(toolStates, "_NET_WM_STATE_ABOVE"));
    EXPECT_TRUE(HasAtom(toolStates, "_NET_WM_STATE_SKIP_TASKBAR"));
    XWMHints* hints = XGetWMHints(Probe(), tool->Xid());
    ASSERT_NE(hints, nullptr);
    EXPECT_TRUE(hints->flags & InputHint);
    EXPECT_FALSE(hints->input) << "a no-activate window refuses the keyboard focus";
    XFree(hints);

    // Topmost is lifted again before the window maps.
    tool->SetTopmost(false);
    SyncProbe();
    EXPECT_FALSE(HasAtom(Property32(tool->Xid(), "_NET_WM_STATE", XA_ATOM), "_NET_WM_STATE_ABOVE"));
}

TEST_F(X11WindowTest, OpacityAndClickThroughComeAndGo) {
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(50, 50, 120, 80)));
    window->SetOpacity(128);
    window->SetClickThrough(true);
    SyncProbe();
    EXPECT_EQ(Property32(window->Xid(), "_NET_WM_WINDOW_OPACITY", XA_CARDINAL),
              std::vector<unsigned long>{0x80808080ul});
    EXPECT_TRUE(ShapeRects(window->Xid(), ShapeInput).empty());

    window->SetOpacity(255);
    window->SetClickThrough(false);
    SyncProbe();
    EXPECT_TRUE(Property32(window->Xid(), "_NET_WM_WINDOW_OPACITY", XA_CARDINAL).empty());
    EXPECT_EQ(ShapeRects(window->Xid(), ShapeInput), (std::vector<Rect>{Rect{0, 0, 120, 80}}));
}

// Both ways of presenting: shared memory, and plain requests when it is turned off.
class X11PresentTest : public X11WindowTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam())
            unsetenv("KAVOX_X11_SHM");
        else
            setenv("KAVOX_X11_SHM", "0", 1);
        X11WindowTest::SetUp();
    }
    void TearDown() override {
        X11WindowTest::TearDown();
        unsetenv("KAVOX_X11_SHM");
    }
};

TEST_P(X11PresentTest, OnlyTheDamagedAreaChanges) {
    EventCollector events(System());
    const Rect bounds = Rect::FromSize(200, 100, 400, 300);
    auto window = Make(Params(NativeWindowKind::Popup, bounds));
    ShowAndWait(*window, events);

    const Bitmap first = Pattern(400, 300, 0x11);
    window->Present(first, Region(first.Bounds()));
    SyncOurs();
    EXPECT_EQ(window->UsesShm(), GetParam());
    EXPECT_EQ(ScreenPixels(bounds), first);

    const Bitmap second = Pattern(400, 300, 0x80);
    const Rect damaged{20, 10, 70, 40};
    window->Present(second, Region(damaged));
    SyncOurs();
    const Bitmap shown = ScreenPixels(bounds);
    EXPECT_EQ(shown.Copy(damaged), second.Copy(damaged));
    EXPECT_EQ(shown.PixelAt(100, 60), first.PixelAt(100, 60));
    EXPECT_EQ(shown.PixelAt(19, 10), first.PixelAt(19, 10));

    // A small damage travels as plain requests even beside a shared image; a large one
    // after it must not bring back what the shared image held before.
    const Bitmap third = Pattern(400, 300, 0x44);
    window->Present(third, Region(Rect{0, 0, 400, 300}).Subtract(Region(damaged)));
    SyncOurs();
    const Bitmap mixed = ScreenPixels(bounds);
    EXPECT_EQ(mixed.Copy(damaged), second.Copy(damaged));
    EXPECT_EQ(mixed.PixelAt(300, 200), third.PixelAt(300, 200));

    // A new size after a resize: the whole new buffer shows.
    window->SetBounds(Rect::FromSize(200, 100, 300, 200));
    const Bitmap resized = Pattern(300, 200, 0x33);
    window->Present(resized, Region(resized.Bounds()));
    SyncOurs();
    EXPECT_EQ(ScreenPixels(Rect::FromSize(200, 100, 300, 200)), resized);
}

INSTANTIATE_TEST_SUITE_P(Shm, X11PresentTest, ::testing::Values(true, false),
                         [](const auto& param) { return param.param ? "Shared" : "Plain"; });

TEST_F(X11WindowTest, ClicksAndWheelFromXdotoolArriveAtScreenPoints) {
    if (!ProgramInstalled("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    EventCollector events(System());
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(300, 200, 200, 100)));
    ShowAndWait(*window, events);
    events.events.clear();

    ASSERT_TRUE(Xdotool({"mousemove", "350", "230", "click", "1", "click", "4", "click", "5"}));
    ASSERT_TRUE(events.WaitFor([](const auto& all) {
        const auto count = [&](NativeEventKind kind) {
            return std::count_if(all.begin(), all.end(), [&](auto& e) { return e.kind == kind; });
        };
        return count(NativeEventKind::Wheel) == 2 && count(NativeEventKind::FocusIn) == 1;
    }));
    std::vector<NativeEvent> seen;
    bool focused = false;
    for (const NativeEvent& e : events.events) {
        focused |= e.kind == NativeEventKind::FocusIn;
        if (e.kind == NativeEventKind::ButtonPress || e.kind == NativeEventKind::ButtonRelease ||
            e.kind == NativeEventKind::Wheel)
            seen.push_back(e);
    }
    EXPECT_TRUE(focused) << "with no window manager the click itself activates the window";
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, NativeEventKind::ButtonPress);
    EXPECT_EQ(seen[0].button, MouseButton::Left);
    EXPECT_EQ(seen[0].screen, (Point{350, 230}));
    EXPECT_TRUE(seen[0].modifiers & kModLeftButton);
    EXPECT_EQ(seen[0].window, window.get());
    EXPECT_EQ(seen[1].kind, NativeEventKind::ButtonRelease);
    EXPECT_FALSE(seen[1].modifiers & kModLeftButton);
    EXPECT_EQ(seen[2].wheelDelta, 120);
    EXPECT_EQ(seen[3].wheelDelta, -120);

    // Leaving the window is told.
    events.events.clear();
    ASSERT_TRUE(Xdotool({"mousemove", "10", "10"}));
    EXPECT_TRUE(events.WaitForKind(NativeEventKind::PointerLeave));
}

TEST_F(X11WindowTest, KeysCarryPcScanCodesAndVirtualKeys) {
    if (!ProgramInstalled("xdotool"))
        GTEST_SKIP() << "xdotool is not installed";
    EventCollector events(System());
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(300, 200, 200, 100)));
    ShowAndWait(*window, events, true);
    ASSERT_TRUE(events.WaitForKind(NativeEventKind::FocusIn));

    struct Case {
        const char* key;
        std::uint16_t scanCode;
        bool extended;
        std::uint16_t virtualKey;
        std::u16string text;
    };
    const Case cases[] = {
        {"a", 0x1E, false, 'A', u"a"},        {"shift+a", 0x1E, false, 'A', u"A"},
        {"Return", 0x1C, false, 0x0D, u"\r"}, {"KP_Enter", 0x1C, true, 0x0D, u"\r"},
        {"Prior", 0x49, true, 0x21, u""},     {"Right", 0x4D, true, 0x27, u""},
        {"Delete", 0x53, true, 0x2E, u""},    {"F5", 0x3F, false, 0x74, u""},
        {"slash", 0x35, false, 0xBF, u"/"},   {"KP_Divide", 0x35, true, 0x6F, u"/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        events.events.clear();
        ASSERT_TRUE(Xdotool({"key", c.key}));
        ASSERT_TRUE(events.WaitFor([&](const auto& all) {
            return std::any_of(all.begin(), all.end(), [&](auto& e) {
                return e.kind == NativeEventKind::KeyRelease && e.key.scanCode == c.scanCode;
            });
        }));
        const auto press = std::find_if(events.events.begin(), events.events.end(), [&](auto& e) {
            return e.kind == NativeEventKind::KeyPress && e.key.scanCode == c.scanCode;
        });
        ASSERT_NE(press, events.events.end());
        EXPECT_EQ(press->key.extended, c.extended);
        EXPECT_EQ(press->key.virtualKey, c.virtualKey);
        EXPECT_EQ(press->key.text, c.text);
        EXPECT_FALSE(press->key.autoRepeat);
    }
}

TEST_F(X11WindowTest, MovesByOthersAreReportedButOurOwnAreNot) {
    EventCollector events(System());
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(100, 100, 120, 80)));
    ShowAndWait(*window, events);

    window->SetBounds(Rect::FromSize(150, 160, 140, 90));
    window->SetBounds(Rect::FromSize(160, 170, 140, 90));
    // Someone else moves it: a probe's request stands in for a window manager.
    XMoveWindow(Probe(), window->Xid(), 400, 300);
    SyncProbe();
    ASSERT_TRUE(events.WaitForKind(NativeEventKind::Configured));
    std::vector<Rect> reported;
    for (const NativeEvent& e : events.events)
        if (e.kind == NativeEventKind::Configured)
            reported.push_back(e.bounds);
    EXPECT_EQ(reported, (std::vector<Rect>{Rect::FromSize(400, 300, 140, 90)}));
    EXPECT_EQ(window->Bounds(), Rect::FromSize(400, 300, 140, 90));
}

TEST_F(X11WindowTest, WindowManagerCloseBecomesCloseRequest) {
    EventCollector events(System());
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(100, 100, 50, 50)));
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window->Xid();
    close.xclient.message_type = XInternAtom(Probe(), "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(Probe(), "WM_DELETE_WINDOW", False));
    XSendEvent(Probe(), window->Xid(), False, NoEventMask, &close);
    SyncProbe();
    EXPECT_TRUE(events.WaitForKind(NativeEventKind::CloseRequest));
}

TEST_F(X11WindowTest, WithoutWindowManagerDragsAreLeftToTheWindowLayer) {
    auto window = Make(Params(NativeWindowKind::TopLevel, Rect::FromSize(100, 100, 50, 50)));
    window->Show(false);
    EXPECT_FALSE(window->BeginMoveDrag({120, 120}, MouseButton::Left));
}

TEST_F(X11WindowTest, ScreenIsTheServersScreen) {
    const ScreenInfo screen = System().Screen();
    EXPECT_EQ(screen.bounds, (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(screen.workArea, screen.bounds);
    EXPECT_EQ(screen.dpi, 96);
}

} // namespace
} // namespace plat::testing
