#include "platform/os/elf_section.h"
#include "platform/os/file_util.h"
#include "platform/os/file_version_info.h"
#include "platform/text/utf.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

// A minimal little-endian ELF64 image: header, section contents, the section-name table,
// then the section header table (null section, the given sections, the name table).
struct ElfSectionContent {
    std::string name;
    std::vector<uint8_t> data;
    uint32_t type = 1; // program data
};

class ElfImage {
public:
    explicit ElfImage(const std::vector<ElfSectionContent>& sections) {
        m_bytes.assign(64, 0);
        const uint8_t ident[] = {0x7F, 'E', 'L', 'F', 2, 1, 1};
        std::copy(std::begin(ident), std::end(ident), m_bytes.begin());
        std::vector<uint64_t> offsets;
        std::string names(1, '\0');
        std::vector<uint32_t> nameOffsets;
        for (const auto& section : sections) {
            offsets.push_back(m_bytes.size());
            m_bytes.insert(m_bytes.end(), section.data.begin(), section.data.end());
            nameOffsets.push_back(static_cast<uint32_t>(names.size()));
            names += section.name + '\0';
        }
        const uint32_t namesName = static_cast<uint32_t>(names.size());
        names += std::string(".shstrtab") + '\0';
        const uint64_t namesOffset = m_bytes.size();
        m_bytes.insert(m_bytes.end(), names.begin(), names.end());
        m_tableOffset = m_bytes.size();
        m_bytes.resize(m_bytes.size() + 64 * (sections.size() + 2));
        for (size_t i = 0; i < sections.size(); ++i) {
            WriteSection(i + 1, nameOffsets[i], sections[i].type, offsets[i], sections[i].data.size());
        }
        const uint16_t namesIndex = static_cast<uint16_t>(sections.size() + 1);
        WriteSection(namesIndex, namesName, 3, namesOffset, names.size());
        Put(40, m_tableOffset, 8);
        Put(58, 64, 2);
        Put(60, sections.size() + 2u, 2);
        Put(62, namesIndex, 2);
    }

    void Put(uint64_t at, uint64_t value, int width) {
        for (int i = 0; i < width; ++i) {
            m_bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    }
    // Field `field` (byte offset inside a section header) of section `index`.
    uint64_t SectionField(size_t index, uint64_t field) const { return m_tableOffset + 64 * index + field; }

    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    void WriteSection(size_t index, uint32_t name, uint32_t type, uint64_t offset, uint64_t size) {
        Put(SectionField(index, 0), name, 4);
        Put(SectionField(index, 4), type, 4);
        Put(SectionField(index, 24), offset, 8);
        Put(SectionField(index, 32), size, 8);
    }

    std::vector<uint8_t> m_bytes;
    uint64_t m_tableOffset = 0;
};

std::vector<uint8_t> Block(uint32_t productMS, size_t size = kFixedFileInfoSize) {
    FixedFileInfo info;
    info.productVersionMS = productMS;
    const auto bytes = info.ToBytes();
    std::vector<uint8_t> block(bytes.begin(), bytes.end());
    block.resize(size);
    return block;
}

ElfImage VersionedImage() {
    return ElfImage({{".text", {1, 2, 3}}, {".kavox_version", Block(0x00020005)}});
}

std::optional<std::vector<uint8_t>> Find(const std::vector<uint8_t>& bytes, size_t maxSize = 1024) {
    return ReadElfSection(MemoryByteSource(bytes), kVersionSectionName, maxSize);
}

} // namespace

TEST(ElfSection, FindsTheNamedSection) {
    auto image = VersionedImage();
    EXPECT_EQ(Find(image.Bytes()), Block(0x00020005));
    EXPECT_EQ(ReadElfSection(MemoryByteSource(image.Bytes()), ".text", 16), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(ReadElfSection(MemoryByteSource(image.Bytes()), ".kavox_versio", 1024));
    EXPECT_FALSE(ReadElfSection(MemoryByteSource(image.Bytes()), ".kavox_version2", 1024));
}

TEST(ElfSection, DamagedImagesHaveNoSection) {
    using Damage = std::function<void(ElfImage&)>;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"not ELF", [](ElfImage& i) { i.Bytes()[1] = 'X'; }},
        {"32-bit", [](ElfImage& i) { i.Bytes()[4] = 1; }},
        {"big-endian", [](ElfImage& i) { i.Bytes()[5] = 2; }},
        {"only the header", [](ElfImage& i) { i.Bytes().resize(64); }},
        {"table cut short", [](ElfImage& i) { i.Bytes().pop_back(); }},
        {"table beyond the end", [](ElfImage& i) { i.Put(40, i.Bytes().size(), 8); }},
        {"table offset wraps", [](ElfImage& i) { i.Put(40, ~uint64_t{0} - 8, 8); }},
        {"entries too small", [](ElfImage& i) { i.Put(58, 32, 2); }},
        {"more entries than the file holds", [](ElfImage& i) { i.Put(60, 0xFEFF, 2); }},
        {"name table index out of range", [](ElfImage& i) { i.Put(62, 9, 2); }},
        {"name table index reserved", [](ElfImage& i) { i.Put(62, 0xFF01, 2); }},
        {"name beyond the name table", [](ElfImage& i) { i.Put(i.SectionField(2, 0), 0xFFFFFFF0, 4); }},
        {"name table beyond the end", [](ElfImage& i) { i.Put(i.SectionField(3, 32), 1 << 20, 8); }},
        {"section beyond the end",
         [](ElfImage& i) { i.Put(i.SectionField(2, 24), i.Bytes().size() - 8, 8); }},
        {"section offset wraps", [](ElfImage& i) { i.Put(i.SectionField(2, 24), ~uint64_t{0} - 4, 8); }},
        {"section not stored", [](ElfImage& i) { i.Put(i.SectionField(2, 4), 8, 4); }},
        {"section empty", [](ElfImage& i) { i.Put(i.SectionField(2, 32), 0, 8); }},
        {"section too large", [](ElfImage& i) { i.Put(i.SectionField(2, 32), 2048, 8); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto image = VersionedImage();
        c.damage(image);
        EXPECT_FALSE(Find(image.Bytes()));
    }
}

TEST(ElfSection, ExtendedSectionNumbering) {
    // Count and name-table index moved into section 0, as files with many sections have them.
    auto image = VersionedImage();
    image.Put(image.SectionField(0, 32), 4, 8);
    image.Put(image.SectionField(0, 40), 3, 4);
    image.Put(60, 0, 2);
    image.Put(62, 0xFFFF, 2);
    EXPECT_EQ(Find(image.Bytes()), Block(0x00020005));
}

class FileVersionInfoTest : public ::testing::Test {
protected:
    std::u16string WriteImage(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = m_dir.Path() + "/" + name;
        EXPECT_TRUE(WriteFileAtomically(path, std::string(bytes.begin(), bytes.end())));
        return Utf8ToUtf16(path);
    }
    TempFolder m_dir;
};

TEST_F(FileVersionInfoTest, RootBlockGivesTheFixedBlock) {
    const auto path = WriteImage("app", VersionedImage().Bytes());
    EXPECT_EQ(GetFileVersionInfoSize(path), kFixedFileInfoSize);
    std::vector<uint8_t> data;
    ASSERT_TRUE(GetFileVersionInfo(path, data));
    std::span<const uint8_t> block;
    ASSERT_TRUE(VerQueryValue(data, u"\\", block));
    EXPECT_EQ(block.size(), kFixedFileInfoSize);
    EXPECT_FALSE(VerQueryValue(data, u"\\StringFileInfo", block));
    const auto info = ReadFixedFileInfo(path);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->productVersionMS, 0x00020005u);
    EXPECT_EQ(info->ToBytes(), FixedFileInfo::FromBytes(data)->ToBytes());
}

TEST_F(FileVersionInfoTest, BlocksOfAnotherSizeOrSignatureAreRefused) {
    const auto longer = WriteImage("longer", ElfImage({{".kavox_version", Block(1, 60)}}).Bytes());
    EXPECT_EQ(GetFileVersionInfoSize(longer), 60u);
    std::vector<uint8_t> data;
    std::span<const uint8_t> block;
    ASSERT_TRUE(GetFileVersionInfo(longer, data));
    ASSERT_TRUE(VerQueryValue(data, u"\\", block));
    EXPECT_EQ(block.size(), 60u) << "the caller sees the size and refuses it";
    EXPECT_FALSE(ReadFixedFileInfo(longer));

    auto unsigned_ = Block(1);
    unsigned_[0] ^= 0xFF;
    const auto wrongSignature = WriteImage("unsigned", ElfImage({{".kavox_version", unsigned_}}).Bytes());
    ASSERT_TRUE(GetFileVersionInfo(wrongSignature, data));
    EXPECT_FALSE(VerQueryValue(data, u"\\", block));
    EXPECT_FALSE(ReadFixedFileInfo(wrongSignature));
}

TEST_F(FileVersionInfoTest, FilesWithoutVersionInformation) {
    const std::u16string paths[] = {
        WriteImage("plain", ElfImage({{".text", {1}}}).Bytes()),
        WriteImage("script", {'#', '!', '/', 'b', 'i', 'n'}),
        WriteImage("empty", {}),
        Utf8ToUtf16(m_dir.Path() + "/missing"),
        Utf8ToUtf16(m_dir.Path()),
        u"",
    };
    for (const auto& path : paths) {
        SCOPED_TRACE(Utf16ToUtf8(path));
        EXPECT_EQ(GetFileVersionInfoSize(path), 0u);
        EXPECT_FALSE(ReadFixedFileInfo(path));
    }
}

TEST(FileVersionInfo, ThisProgramCarriesTheProjectVersion) {
    const auto info = ReadFixedFileInfo(u"/proc/self/exe");
    ASSERT_TRUE(info);
    const uint32_t ms = (KAVOX_VERSION_MAJOR << 16) | KAVOX_VERSION_MINOR;
    const uint32_t ls = static_cast<uint32_t>(KAVOX_VERSION_PATCH) << 16;
    EXPECT_EQ(info->fileVersionMS, ms);
    EXPECT_EQ(info->fileVersionLS, ls);
    EXPECT_EQ(info->productVersionMS, ms);
    EXPECT_EQ(info->productVersionLS, ls);
    EXPECT_EQ(info->structVersion, 0x00010000u);
    EXPECT_EQ(info->fileType, 1u);
}
