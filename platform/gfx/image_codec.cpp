// Picture decoding and PNG encoding over stb_image and stb_image_write.
#include "platform/gfx/image_codec.h"

#include "platform/gfx/stb_config.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>

namespace plat {

namespace {

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

std::uint32_t ReadLe(std::span<const std::uint8_t> b, size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | b[at + size_t(i)];
    return v;
}

// The BMP reader would paint the missing rows of a cut-off file black; a picture whose
// rows are not all there is refused instead, as any damaged picture is.
bool IsTruncatedBmp(std::span<const std::uint8_t> b) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M')
        return false;
    if (b.size() < 34)
        return true;
    const std::uint32_t offset = ReadLe(b, 10, 4);
    const std::uint32_t headerSize = ReadLe(b, 14, 4);
    if (headerSize < 40)
        return false; // the old core header: leave it to the reader
    const long long width = std::int32_t(ReadLe(b, 18, 4));
    const long long height = std::int32_t(ReadLe(b, 22, 4));
    const std::uint32_t bitsPerPixel = ReadLe(b, 28, 2);
    const std::uint32_t compression = ReadLe(b, 30, 4);
    if (compression != 0 && compression != 3)
        return false; // run-length data has no fixed size
    if (std::llabs(width) > kMaxImageSide || std::llabs(height) > kMaxImageSide || bitsPerPixel > 64)
        return false; // refused by size later on
    const long long stride = ((std::llabs(width) * bitsPerPixel + 31) / 32) * 4;
    return (long long)b.size() < (long long)offset + stride * std::llabs(height);
}

std::uint32_t ReadBe32(std::span<const std::uint8_t> b, size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) |
           b[at + 3];
}

// The PNG reader trusts each chunk's length and grows its buffer to hold it before it
// reads, so a damaged length asks for gigabytes. Every chunk must lie inside the file,
// up to the end chunk.
bool IsTruncatedPng(std::span<const std::uint8_t> b) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), b.begin()))
        return false;
    size_t at = 8;
    while (b.size() - at >= 12) {
        const std::uint64_t length = ReadBe32(b, at);
        if (length > b.size() - at - 12)
            return true;
        if (std::equal(b.begin() + std::ptrdiff_t(at) + 4, b.begin() + std::ptrdiff_t(at) + 8, "IEND"))
            return false;
        at += 12 + size_t(length);
    }
    return true;
}

// The JPEG reader builds each Huffman table into arrays of 256 codes without checking
// that the table declares no more than that, so one damaged table header writes past
// them. Every table of every DHT segment is checked before the reader sees the file.
bool HasOversizedJpegTable(std::span<const std::uint8_t> b) {
    size_t at = 0;
    while (at < b.size() && b[at] == 0xFF)
        ++at; // the reader accepts any number of fill bytes before the start marker
    if (at == 0 || at >= b.size() || b[at] != 0xD8)
        return false;
    ++at;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF || b[at + 1] == 0xFF) {
            ++at; // entropy-coded data or fill bytes between segments
            continue;
        }
        const std::uint8_t marker = b[at + 1];
        if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // stuffed byte, restart and other markers without a length
            continue;
        }
        if (marker == 0xD9)
            return false;
        const size_t end = std::min(b.size(), at + 2 + ((size_t(b[at + 2]) << 8) | b[at + 3]));
        if (marker == 0xC4) {
            for (size_t p = at + 4; p < end;) {
                unsigned count = 0;
                // The reader takes all sixteen counts even when the segment ends first.
                for (size_t i = p + 1; i < p + 17 && i < b.size(); ++i)
                    count += b[i];
                if (count > 256)
                    return true;
                p += 17 + count;
            }
        }
        at = std::max(end, at + 4);
    }
    return false;
}

} // namespace

std::optional<Bitmap> DecodeImage(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > size_t(std::numeric_limits<int>::max()) || IsTruncatedBmp(bytes) ||
        IsTruncatedPng(bytes) || HasOversizedJpegTable(bytes))
        return std::nullopt;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = int(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels))
        return std::nullopt;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        (long long)width * height > kMaxImagePixels)
        return std::nullopt;
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4));
    if (!rgba || width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return std::nullopt;
    Bitmap bitmap(width, height);
    const stbi_uc* p = rgba.get();
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < width; ++x, p += 4)
            row[x] =
                (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
    return bitmap;
}

std::optional<Bitmap> LoadImageFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return DecodeImage(bytes);
}

std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap) {
    std::vector<std::uint8_t> out;
    if (bitmap.IsEmpty())
        return out;
    std::vector<std::uint8_t> rgba(size_t(bitmap.Width()) * size_t(bitmap.Height()) * 4);
    std::uint8_t* p = rgba.data();
    for (int y = 0; y < bitmap.Height(); ++y)
        for (const std::uint32_t pixel : std::span(bitmap.Row(y), size_t(bitmap.Width()))) {
            *p++ = std::uint8_t(pixel >> 16);
            *p++ = std::uint8_t(pixel >> 8);
            *p++ = std::uint8_t(pixel);
            *p++ = std::uint8_t(pixel >> 24);
        }
    if (!stbi_write_png_to_func(AppendBytes, &out, bitmap.Width(), bitmap.Height(), 4, rgba.data(),
                                bitmap.Width() * 4))
        out.clear();
    return out;
}

bool SavePng(const Bitmap& bitmap, const std::string& path) {
    const std::vector<std::uint8_t> png = EncodePng(bitmap);
    if (png.empty())
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    out.close();
    return bool(out);
}

} // namespace plat
