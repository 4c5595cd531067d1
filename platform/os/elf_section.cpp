#include "platform/os/elf_section.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {
namespace {

constexpr size_t kFileHeaderSize = 64;
constexpr size_t kSectionHeaderSize = 64;
constexpr uint32_t kSectionNoBits = 8;
constexpr uint16_t kExtendedIndex = 0xFFFF;
constexpr uint16_t kFirstReservedIndex = 0xFF00;

template <typename T> T Little(const uint8_t* bytes) {
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(static_cast<T>(bytes[i]) << (8 * i));
    }
    return value;
}

struct Section {
    uint32_t name = 0;
    uint32_t type = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint32_t link = 0;
};

struct Layout {
    uint64_t tableOffset = 0;
    uint64_t entrySize = 0;
    uint64_t count = 0;
    uint64_t namesIndex = 0;
};

bool ReadSection(const ByteSource& image, const Layout& layout, uint64_t index, Section& section) {
    uint8_t raw[kSectionHeaderSize];
    if (index >= layout.count ||
        !image.ReadAt(layout.tableOffset + index * layout.entrySize, raw, sizeof raw)) {
        return false;
    }
    section.name = Little<uint32_t>(raw + 0);
    section.type = Little<uint32_t>(raw + 4);
    section.offset = Little<uint64_t>(raw + 24);
    section.size = Little<uint64_t>(raw + 32);
    section.link = Little<uint32_t>(raw + 40);
    return true;
}

bool FitsInImage(const ByteSource& image, uint64_t offset, uint64_t size) {
    return offset <= image.Size() && size <= image.Size() - offset;
}

std::optional<Layout> ReadLayout(const ByteSource& image) {
    uint8_t header[kFileHeaderSize];
    if (!image.ReadAt(0, header, sizeof header) ||
        std::memcmp(header,
                    "\x7F"
                    "ELF",
                    4) != 0 ||
        header[4] != 2 /* 64-bit */ || header[5] != 1 /* little-endian */) {
        return std::nullopt;
    }
    Layout layout;
    layout.tableOffset = Little<uint64_t>(header + 40);
    layout.entrySize = Little<uint16_t>(header + 58);
    layout.count = Little<uint16_t>(header + 60);
    layout.namesIndex = Little<uint16_t>(header + 62);
    if (layout.tableOffset == 0 || layout.entrySize < kSectionHeaderSize) {
        return std::nullopt;
    }
    // With many sections the real count and name-table index live in section 0.
    if (layout.count == 0 || layout.namesIndex == kExtendedIndex) {
        Section first;
        const Layout probe{layout.tableOffset, layout.entrySize, 1, 0};
        if (!ReadSection(image, probe, 0, first)) {
            return std::nullopt;
        }
        if (layout.count == 0) {
            layout.count = first.size;
        }
        if (layout.namesIndex == kExtendedIndex) {
            layout.namesIndex = first.link;
        }
    } else if (layout.namesIndex >= kFirstReservedIndex) {
        return std::nullopt;
    }
    const uint64_t available = image.Size() > layout.tableOffset ? image.Size() - layout.tableOffset : 0;
    if (layout.count == 0 || layout.count > available / layout.entrySize ||
        layout.namesIndex >= layout.count) {
        return std::nullopt;
    }
    return layout;
}

bool HasName(const ByteSource& image, const Section& names, uint32_t nameOffset, std::string_view wanted) {
    // The name and its terminator must lie inside the name table.
    if (nameOffset > names.size || wanted.size() + 1 > names.size - nameOffset) {
        return false;
    }
    std::string found(wanted.size() + 1, '\xFF');
    return image.ReadAt(names.offset + nameOffset, found.data(), found.size()) && found.back() == '\0' &&
           std::string_view(found).substr(0, wanted.size()) == wanted;
}

} // namespace

bool MemoryByteSource::ReadAt(uint64_t offset, void* out, size_t count) const {
    if (!FitsInImage(*this, offset, count)) {
        return false;
    }
    if (count > 0) {
        std::memcpy(out, m_bytes.data() + offset, count);
    }
    return true;
}

FileByteSource::FileByteSource(const std::string& path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_size = m_fd >= 0 ? static_cast<uint64_t>(info.st_size) : 0;
}

FileByteSource::~FileByteSource() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool FileByteSource::ReadAt(uint64_t offset, void* out, size_t count) const {
    if (m_fd < 0 || !FitsInImage(*this, offset, count)) {
        return false;
    }
    auto* cursor = static_cast<uint8_t*>(out);
    while (count > 0) {
        const ssize_t n = ::pread(m_fd, cursor, count, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false; // shrunk under us
        }
        cursor += n;
        offset += static_cast<uint64_t>(n);
        count -= static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::vector<uint8_t>> ReadElfSection(const ByteSource& image, std::string_view name,
                                                   size_t maxSize) {
    const auto layout = ReadLayout(image);
    Section names;
    if (!layout || !ReadSection(image, *layout, layout->namesIndex, names) || names.type == kSectionNoBits ||
        !FitsInImage(image, names.offset, names.size)) {
        return std::nullopt;
    }
    for (uint64_t index = 1; index < layout->count; ++index) {
        Section section;
        if (!ReadSection(image, *layout, index, section)) {
            return std::nullopt;
        }
        if (!HasName(image, names, section.name, name)) {
            continue;
        }
        if (section.type == kSectionNoBits || section.size == 0 || section.size > maxSize ||
            !FitsInImage(image, section.offset, section.size)) {
            return std::nullopt;
        }
        std::vector<uint8_t> contents(static_cast<size_t>(section.size));
        if (!image.ReadAt(section.offset, contents.data(), contents.size())) {
            return std::nullopt;
        }
        return contents;
    }
    return std::nullopt;
}

} // namespace plat
