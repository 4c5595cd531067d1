// Speed of the graphics layer where windows spend their time: cutting a window shape
// from an 800 x 600 mask, decoding a panel picture, and painting a full 800 x 600 frame of owner-drawn
// children with text into a back buffer.
#include "platform/gfx/image_codec.h"
#include "platform/gfx/painter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace plat;

// An elliptical window with a ragged edge and a few holes, the shape of a skinned panel.
Bitmap PanelMask() {
    Bitmap mask(800, 600, 0xFFFFFFFF);
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x) {
            const double dx = (x - 400) / 400.0;
            const double dy = (y - 300) / 300.0;
            const bool hole = (x / 40 + y / 30) % 7 == 0 && (x % 40) < 20;
            if (dx * dx + dy * dy <= 1.0 + ((x * 7 + y * 3) % 5) * 0.002 && !hole)
                mask.SetPixelAt(x, y, 0xFF000000);
        }
    return mask;
}

void RegionFromMask(benchmark::State& state) {
    const Bitmap mask = PanelMask();
    size_t rects = 0;
    for (auto _ : state) {
        Region shape = Region::FromMask(mask);
        rects = shape.Rects().size();
        benchmark::DoNotOptimize(shape);
    }
    state.counters["rects"] = double(rects);
}
BENCHMARK(RegionFromMask)->Unit(benchmark::kMillisecond);

// Skins load every panel picture at start-up.
void DecodePanelPng(benchmark::State& state) {
    Bitmap picture = PanelMask();
    Painter p(picture);
    for (int i = 0; i < 40; ++i)
        p.FillRect(Rect::FromSize(i * 20, i * 15, 60, 30), RGB(i * 6, 200 - i * 4, 90));
    const std::vector<std::uint8_t> png = EncodePng(picture);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeImage(png));
    state.counters["bytes"] = double(png.size());
}
BENCHMARK(DecodePanelPng)->Unit(benchmark::kMillisecond);

void PaintFrame(benchmark::State& state) {
    Bitmap backBuffer(800, 600);
    Bitmap background(800, 600, PixelFromColor(RGB(5, 46, 54)));
    const auto bold = Font::Create(LogFont{.height = -14, .weight = FW_BOLD, .faceName = u"Arial"});
    const auto plain = Font::Create(LogFont{.height = 12, .weight = FW_NORMAL, .faceName = u"Arial"});
    const std::u16string labels[] = {u"Read from device", u"Apply",       u"Profile 3: Tournament",
                                     u"800 DPI",          u"Left button", u"Assign a macro to this button"};
    for (auto _ : state) {
        Painter p(backBuffer);
        p.BitBlt(0, 0, 800, 600, background, 0, 0, SRCCOPY);
        p.SetBkMode(TRANSPARENT);
        for (int child = 0; child < 60; ++child) {
            const Rect place = Rect::FromSize(10 + (child % 6) * 130, 10 + (child / 6) * 58, 120, 50);
            p.SaveDC();
            p.SetViewportOrg(place.TopLeft());
            p.IntersectClipRect({0, 0, place.Width(), place.Height()});
            p.FillRect({0, 0, place.Width(), place.Height()}, RGB(20, 20, 20));
            p.FrameRect({0, 0, place.Width(), place.Height()}, RGB(0, 200, 0), 1);
            const int texts = child < 40 ? 2 : 1; // 100 text runs in all
            for (int t = 0; t < texts; ++t) {
                p.SelectFont(t == 0 ? bold : plain);
                p.SetTextColor(RGB(0xFE, 0xFE, 0xFE));
                Rect line{4, t * 24, place.Width() - 4, t * 24 + 24};
                p.DrawText(labels[(child + t) % 6], line,
                           DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            }
            p.RestoreDC(-1);
        }
        benchmark::DoNotOptimize(backBuffer.Data());
    }
}
BENCHMARK(PaintFrame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
