// The demo program on a real X server looks as it draws itself on the headless screen; its
// screenshot is kept in the build folder for people to look at.
#include "tests/platform/x11/x11_test_support.h"

#include "platform/gfx/image_codec.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace plat::testing {
namespace {

constexpr std::uint32_t kHeadlessDesktop = 0xFF204060;
constexpr Point kAt{200, 150};

// Pixels that differ, counting what the headless desktop shows as the X root's black.
int DifferingPixels(const Bitmap& shown, const Bitmap& reference) {
    int wrong = 0;
    for (int y = 0; y < reference.Height(); ++y) {
        for (int x = 0; x < reference.Width(); ++x) {
            const std::uint32_t want = reference.PixelAt(x, y) | 0xFF000000u;
            const std::uint32_t expected = want == kHeadlessDesktop ? 0xFF000000u : want;
            wrong += (shown.PixelAt(x, y) | 0xFF000000u) != expected;
        }
    }
    return wrong;
}

TEST_F(X11Fixture, TheDemoLooksAsOnTheHeadlessScreen) {
    const std::string referencePath = std::string(KAVOX_BUILD_DIR) + "/headless-demo.png";
    std::remove(referencePath.c_str());
    ASSERT_TRUE(RunWithDisplay(DisplayName(), {KAVOX_DEMO_PROGRAM, "--screenshot", referencePath}));
    const std::optional<Bitmap> reference = LoadImageFile(referencePath);
    ASSERT_TRUE(reference);

    // The test environment asks programs for the headless screen; this one must use the display.
    setenv("KAVOX_PLATFORM", "x11", 1);
    bool ran = false;
    std::thread demo([&] {
        ran = RunWithDisplay(DisplayName(), {KAVOX_DEMO_PROGRAM, "--exit-after", "4000", "--at", "200,150"});
    });
    const Rect area = Rect::FromSize(kAt.x, kAt.y, reference->Width(), reference->Height());
    Bitmap shown;
    int wrong = -1;
    for (int attempt = 0; attempt < 60 && wrong != 0; ++attempt) {
        std::this_thread::sleep_for(50ms);
        shown = ScreenPixels(area);
        wrong = DifferingPixels(shown, *reference);
    }
    SavePng(shown, std::string(KAVOX_BUILD_DIR) + "/x11-demo.png");
    demo.join();
    unsetenv("KAVOX_PLATFORM");
    EXPECT_EQ(wrong, 0) << "pixels differing from the headless drawing";
    EXPECT_TRUE(ran) << "the demo did not run to its end";
}

} // namespace
} // namespace plat::testing
