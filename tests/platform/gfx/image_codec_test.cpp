// Picture decoding of each format from small hand-made files, PNG round trips, and
// damaged or oversized input failing cleanly.
#include "platform/gfx/image_codec.h"

#include "platform/gfx/stb_config.h"

#include <stb/stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace plat {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, unsigned v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

Bytes BmpHeader(int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    Bytes b{'B', 'M'};
    Put32(b, unsigned(54 + stride * h));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, unsigned(w));
    Put32(b, unsigned(h));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    return b;
}

// A 24-bit BMP, rows stored bottom-up and padded to four bytes.
Bytes Bmp24(int w, int h, const std::vector<std::uint32_t>& topDownPixels) {
    const int stride = (w * 3 + 3) & ~3;
    Bytes b = BmpHeader(w, h);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = topDownPixels.empty() ? 0 : topDownPixels[size_t(y * w + x)];
            b.insert(b.end(), {std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16)});
        }
        b.resize(b.size() + size_t(stride - w * 3), 0);
    }
    return b;
}

TEST(ImageCodecTest, DecodesBmpRowsTopDown) {
    const auto bitmap =
        DecodeImage(Bmp24(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x102030, 0x405060, 0x708090}));
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), 3);
    ASSERT_EQ(bitmap->Height(), 2);
    EXPECT_EQ(bitmap->PixelAt(0, 0), 0xFFFF0000u);
    EXPECT_EQ(bitmap->PixelAt(2, 0), 0xFF0000FFu);
    EXPECT_EQ(bitmap->PixelAt(1, 1), 0xFF405060u);
}

TEST(ImageCodecTest, DecodesTheFirstGifFrame) {
    // 2 x 1 pixels, a two-colour table (red, blue), LZW codes clear, 0, 1, end.
    const Bytes gif = {'G',  'I',  'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0xFF, 0,    0, 0,   0,
                       0xFF, 0x2C, 0,   0,   0,   0,   2, 0, 1, 0, 0,    2, 2, 0x44, 0x0A, 0, 0x3B};
    const auto bitmap = DecodeImage(gif);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->ColorAt(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(bitmap->ColorAt(1, 0), RGB(0, 0, 255));
}

void Append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
}

TEST(ImageCodecTest, DecodesJpegApproximately) {
    std::vector<std::uint8_t> rgb(16 * 16 * 3);
    for (size_t i = 0; i < rgb.size(); i += 3)
        rgb[i] = 200; // a flat red square survives compression nearly unchanged
    Bytes jpeg;
    ASSERT_TRUE(stbi_write_jpg_to_func(Append, &jpeg, 16, 16, 3, rgb.data(), 95));
    const auto bitmap = DecodeImage(jpeg);
    ASSERT_TRUE(bitmap);
    const COLORREF c = bitmap->ColorAt(8, 8);
    EXPECT_NEAR(GetRValue(c), 200, 4);
    EXPECT_NEAR(GetGValue(c), 0, 4);
    EXPECT_EQ(PixelAlpha(bitmap->PixelAt(8, 8)), 255);
}

TEST(ImageCodecTest, PngRoundTripKeepsColourAndAlpha) {
    Bitmap original(5, 3, 0xFF112233);
    original.SetPixelAt(4, 2, 0x80FF00FF);
    original.SetPixelAt(0, 1, 0x00000000);
    const Bytes png = EncodePng(original);
    ASSERT_FALSE(png.empty());
    EXPECT_EQ(DecodeImage(png), original);

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kavox_gfx_roundtrip.png";
    ASSERT_TRUE(SavePng(original, file.string()));
    EXPECT_EQ(LoadImageFile(file.string()), original);
    std::filesystem::remove(file);
    EXPECT_FALSE(SavePng(Bitmap(), file.string()));
    EXPECT_FALSE(SavePng(original, "/nonexistent-folder/x.png"));
}

TEST(ImageCodecTest, DamagedOrOversizedInputFailsCleanly) {
    const Bytes png = EncodePng(Bitmap(20, 20, 0xFF336699));
    const Bytes smallBmp = Bmp24(3, 2, {});
    Bytes hugeChunk = png;
    hugeChunk[33] = 0x7F; // the length of the chunk after the header: now about 2 GB
    Bytes hugePng = {0x89, 'P',  'N',  'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0,
                     0x01, 0x86, 0xA0, 0,   0,    0,    1,    8,    6, 0, 0, 0,  0,   0,   0,   0};
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"signature only", Bytes(png.begin(), png.begin() + 8)},
        {"cut in half", Bytes(png.begin(), png.begin() + std::ptrdiff_t(png.size() / 2))},
        {"not a picture", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}},
        {"100000 pixels wide", hugePng},
        {"chunk longer than the file", hugeChunk},
        {"jpeg table declaring over 256 codes",
         Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0xA2, 0x00,
               0x00, 0x01, 0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0x28, 0xFF, 0xD9}},
        {"bmp header of 256 million pixels", BmpHeader(16000, 16000)},
        {"bmp without its rows", BmpHeader(4, 4)},
        {"bmp one byte short", Bytes(smallBmp.begin(), smallBmp.end() - 1)},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(DecodeImage(c.bytes).has_value()) << c.name;
    EXPECT_FALSE(LoadImageFile("/nonexistent-folder/picture.png"));
}

} // namespace
} // namespace plat
