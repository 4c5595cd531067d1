// Version information of an executable: the fixed version block that the build embeds in
// every executable's ".kavox_version" section (see cmake/version_resource.cmake). Reading it
// follows the usual steps: the size of the information, the information, then its root
// block "\\", which is the fixed block.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace plat {

inline constexpr std::string_view kVersionSectionName = ".kavox_version";
inline constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
inline constexpr size_t kFixedFileInfoSize = 52;

// Thirteen little-endian 32-bit words, in this order.
struct FixedFileInfo {
    uint32_t signature = kFixedFileInfoSignature;
    uint32_t structVersion = 0x00010000;
    uint32_t fileVersionMS = 0; // high half: first part, low half: second part
    uint32_t fileVersionLS = 0; // high half: third part, low half: fourth part
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    uint32_t fileFlagsMask = 0;
    uint32_t fileFlags = 0;
    uint32_t fileOS = 0;
    uint32_t fileType = 0;
    uint32_t fileSubtype = 0;
    uint32_t fileDateMS = 0;
    uint32_t fileDateLS = 0;

    std::array<uint8_t, kFixedFileInfoSize> ToBytes() const;
    // Nullopt unless exactly 52 bytes starting with the signature.
    static std::optional<FixedFileInfo> FromBytes(std::span<const uint8_t> bytes);
};

// Bytes of the file's version information; 0 when it has none (or it is not an executable).
uint32_t GetFileVersionInfoSize(std::u16string_view path);
bool GetFileVersionInfo(std::u16string_view path, std::vector<uint8_t>& data);

// The block of `data` named `subBlock`. Only the root block "\\" exists: the fixed block,
// as long as the information holds (callers check that it is 52 bytes). False when the
// information does not start with the signature, or for any other name.
bool VerQueryValue(std::span<const uint8_t> data, std::u16string_view subBlock,
                   std::span<const uint8_t>& block);

// All the steps at once: nullopt unless the file carries a whole, valid fixed block.
std::optional<FixedFileInfo> ReadFixedFileInfo(std::u16string_view path);

} // namespace plat
