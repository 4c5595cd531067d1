// Speed of a full frame of the window layer on the headless screen: an 800 x 600 window
// with 60 owner-drawn children and 100 text runs, damaged, painted window by window into
// the back buffer and presented; also with the colour key folded into the window shape,
// and a frame in which a single child changes.
#include "platform/backend/headless/headless_window_system.h"
#include "platform/text/format.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_class.h"
#include "platform/window/wnd.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace plat;

constexpr COLORREF kKey = RGB(255, 0, 255);

class Item final : public CWnd {
public:
    explicit Item(int n) : m_caption(Format(u"Item %d", n)) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(*this);
        const Rect r = GetClientRect();
        dc->FillRect(r, RGB(40, 60, 90));
        dc->FrameRect(r, RGB(200, 200, 200));
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(255, 255, 255));
        Rect text = r;
        dc->DrawText(m_caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return 0;
    }

private:
    std::u16string m_caption;
};

class Panel final : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(*this);
        dc->FillRect(GetClientRect(), RGB(20, 20, 30));
        dc->FillRect({0, 0, 30, 30}, kKey);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(220, 220, 220));
        for (int i = 0; i < 40; ++i) {
            Rect line = Rect::FromSize(620, 10 + i * 14, 170, 14);
            dc->DrawText(u"Polling rate 1000 Hz, stage 3", line, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        return 0;
    }
};

struct Scene {
    Scene() {
        InstallWindowSystem(std::make_unique<HeadlessWindowSystem>());
        RegisterClass({0, u"BenchPanel", std::nullopt, CursorShape::Arrow});
        panel.CreateEx(WS_EX_LAYERED, u"BenchPanel", u"bench", WS_POPUP | WS_VISIBLE, {0, 0, 800, 600},
                       nullptr);
        for (int i = 0; i < 60; ++i) {
            items.push_back(std::make_unique<Item>(i));
            items.back()->Create(u"BenchPanel", u"", WS_CHILD | WS_VISIBLE,
                                 Rect::FromSize(10 + (i % 6) * 100, 10 + (i / 6) * 58, 92, 50), &panel,
                                 100 + i);
        }
        panel.UpdateWindow();
    }
    ~Scene() { panel.DestroyWindow(); }

    Panel panel;
    std::vector<std::unique_ptr<Item>> items;
};

void FullFrame(benchmark::State& state) {
    Scene scene;
    if (state.range(0))
        scene.panel.SetLayeredWindowAttributes(kKey, 255, LWA_COLORKEY);
    for (auto _ : state) {
        scene.panel.Invalidate();
        scene.panel.UpdateWindow();
    }
}
BENCHMARK(FullFrame)->Arg(0)->Arg(1)->ArgName("colourKey")->Unit(benchmark::kMillisecond);

void OneChildFrame(benchmark::State& state) {
    Scene scene;
    scene.panel.SetLayeredWindowAttributes(kKey, 255, LWA_COLORKEY);
    for (auto _ : state) {
        scene.items[17]->Invalidate(false);
        scene.panel.UpdateWindow();
    }
}
BENCHMARK(OneChildFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
