// Finding one named section in an ELF file, for the version block each executable carries.
// Files are outside input: every offset, size and count is checked against the file before
// it is used, and anything that does not add up is "no such section".
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Random access to the bytes of a file or of memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Exactly `count` bytes at `offset`; false when they are not all there.
    virtual bool ReadAt(uint64_t offset, void* out, size_t count) const = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(uint64_t offset, void* out, size_t count) const override;

private:
    std::span<const uint8_t> m_bytes;
};

class FileByteSource final : public ByteSource {
public:
    // Check IsOpen(): a file that cannot be opened reads as empty.
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* out, size_t count) const override;

private:
    int m_fd{-1};
    uint64_t m_size{0};
};

// The contents of the section called `name` in a little-endian 64-bit ELF image; nullopt
// when the image is not one, has no such section (or only an empty or unstored one), or the
// section is larger than `maxSize`.
std::optional<std::vector<uint8_t>> ReadElfSection(const ByteSource& image, std::string_view name,
                                                   size_t maxSize);

} // namespace plat
