// Reading pictures (BMP, PNG, JPEG, GIF; of a GIF its first frame) into Bitmaps, and
// writing Bitmaps as PNG. Skin pictures come from disk and may be damaged or hostile:
// decoding checks sizes before it allocates and fails cleanly on any bytes.
#pragma once

#include "platform/gfx/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plat {

// Larger pictures are refused rather than decoded: no skin or screenshot comes near this.
constexpr int kMaxImageSide = 16384;
constexpr long long kMaxImagePixels = 16LL * 1024 * 1024;

std::optional<Bitmap> DecodeImage(std::span<const std::uint8_t> bytes);
std::optional<Bitmap> LoadImageFile(const std::string& path);

// Keeps the alpha channel; empty on failure.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);
bool SavePng(const Bitmap& bitmap, const std::string& path);

} // namespace plat
