#include "platform/os/file_version_info.h"

#include "platform/os/elf_section.h"
#include "platform/text/utf.h"

namespace plat {
namespace {

// Version information is small; a larger section is not ours.
constexpr size_t kMaxInfoSize = 64 * 1024;

std::optional<std::vector<uint8_t>> ReadInfo(std::u16string_view path) {
    if (path.empty()) {
        return std::nullopt;
    }
    const FileByteSource file(Utf16ToUtf8(path));
    return file.IsOpen() ? ReadElfSection(file, kVersionSectionName, kMaxInfoSize) : std::nullopt;
}

uint32_t WordAt(std::span<const uint8_t> bytes, size_t index) {
    const size_t at = index * 4;
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

} // namespace

std::array<uint8_t, kFixedFileInfoSize> FixedFileInfo::ToBytes() const {
    const uint32_t words[] = {signature,        structVersion, fileVersionMS, fileVersionLS, productVersionMS,
                              productVersionLS, fileFlagsMask, fileFlags,     fileOS,        fileType,
                              fileSubtype,      fileDateMS,    fileDateLS};
    std::array<uint8_t, kFixedFileInfoSize> bytes{};
    for (size_t i = 0; i < std::size(words); ++i) {
        for (size_t b = 0; b < 4; ++b) {
            bytes[i * 4 + b] = static_cast<uint8_t>(words[i] >> (8 * b));
        }
    }
    return bytes;
}

std::optional<FixedFileInfo> FixedFileInfo::FromBytes(std::span<const uint8_t> bytes) {
    if (bytes.size() != kFixedFileInfoSize || WordAt(bytes, 0) != kFixedFileInfoSignature) {
        return std::nullopt;
    }
    FixedFileInfo info;
    uint32_t* fields[] = {&info.signature,     &info.structVersion,    &info.fileVersionMS,
                          &info.fileVersionLS, &info.productVersionMS, &info.productVersionLS,
                          &info.fileFlagsMask, &info.fileFlags,        &info.fileOS,
                          &info.fileType,      &info.fileSubtype,      &info.fileDateMS,
                          &info.fileDateLS};
    for (size_t i = 0; i < std::size(fields); ++i) {
        *fields[i] = WordAt(bytes, i);
    }
    return info;
}

uint32_t GetFileVersionInfoSize(std::u16string_view path) {
    const auto info = ReadInfo(path);
    return info ? static_cast<uint32_t>(info->size()) : 0;
}

bool GetFileVersionInfo(std::u16string_view path, std::vector<uint8_t>& data) {
    auto info = ReadInfo(path);
    if (!info) {
        return false;
    }
    data = std::move(*info);
    return true;
}

bool VerQueryValue(std::span<const uint8_t> data, std::u16string_view subBlock,
                   std::span<const uint8_t>& block) {
    if (subBlock != u"\\" || data.size() < 4 || WordAt(data, 0) != kFixedFileInfoSignature) {
        return false;
    }
    block = data;
    return true;
}

std::optional<FixedFileInfo> ReadFixedFileInfo(std::u16string_view path) {
    std::vector<uint8_t> data;
    std::span<const uint8_t> block;
    if (!GetFileVersionInfo(path, data) || !VerQueryValue(data, u"\\", block)) {
        return std::nullopt;
    }
    return FixedFileInfo::FromBytes(block);
}

} // namespace plat
