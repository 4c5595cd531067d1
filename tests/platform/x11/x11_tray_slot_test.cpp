// The picture a tray slot shows: the icon scaled into the size the tray host gives,
// shape kept, centred, blended over the slot's background. No display needed.
#include <gtest/gtest.h>

#include "platform/backend/x11/x11_tray_host.h"

namespace plat::testing {
namespace {

constexpr std::uint32_t kBack = 0xFF101010;
constexpr std::uint32_t kRed = 0xFFFF0000;

TEST(TraySlotPictureTest, ScalesKeepingShapeCentredOverTheBackground) {
    const struct {
        const char* what;
        Bitmap image;
        int width, height;
        Point inside, outside; // a point the icon covers and one it leaves to the background
    } cases[] = {
        {"square into a larger slot", Bitmap(16, 16, kRed), 32, 32, {0, 0}, {-1, -1}},
        {"square into a smaller slot", Bitmap(64, 64, kRed), 22, 22, {21, 21}, {-1, -1}},
        {"wide image in a square slot", Bitmap(40, 20, kRed), 24, 24, {12, 12}, {12, 2}},
        {"tall image in a wide slot", Bitmap(10, 30, kRed), 30, 15, {15, 7}, {2, 7}},
        {"slot of one pixel", Bitmap(48, 48, kRed), 1, 1, {0, 0}, {-1, -1}},
    };
    for (const auto& c : cases) {
        const Bitmap out = x11::TraySlotPicture(c.image, c.width, c.height, kBack);
        EXPECT_EQ(out.Width(), c.width) << c.what;
        EXPECT_EQ(out.Height(), c.height) << c.what;
        EXPECT_EQ(out.PixelAt(c.inside.x, c.inside.y), kRed) << c.what;
        if (c.outside.x >= 0) {
            EXPECT_EQ(out.PixelAt(c.outside.x, c.outside.y), kBack) << c.what;
        }
    }
}

TEST(TraySlotPictureTest, TransparencyShowsTheBackgroundAndNoImageOrSizeIsHarmless) {
    const Bitmap half = x11::TraySlotPicture(Bitmap(4, 4, 0x80FFFFFF), 4, 4, 0xFF000000);
    EXPECT_EQ(half.PixelAt(1, 1), 0xFF808080u) << "straight alpha over black";
    EXPECT_EQ(x11::TraySlotPicture(Bitmap(4, 4, 0x00FFFFFF), 4, 4, kBack).PixelAt(2, 2), kBack);
    EXPECT_EQ(x11::TraySlotPicture(Bitmap(), 8, 8, kBack).PixelAt(4, 4), kBack);
    const Bitmap degenerate = x11::TraySlotPicture(Bitmap(4, 4, kRed), 0, -3, kBack);
    EXPECT_EQ(degenerate.Width(), 1);
    EXPECT_EQ(degenerate.Height(), 1);
}

} // namespace
} // namespace plat::testing
