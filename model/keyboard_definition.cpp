// Reading keyboard definition and defaults files. Both come from data folders users can
// replace, so every length is checked against what is left before it is used.
#include "model/keyboard_definition.h"

#include "model/key_name_list.h"
#include "platform/text/compare.h"

namespace {

// Reads little-endian values from the front of a byte range; every read says whether the
// bytes were there.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    bool AtEnd() const { return m_offset == m_bytes.size(); }
    size_t Left() const { return m_bytes.size() - m_offset; }

    bool U8(uint8_t& value) {
        if (Left() < 1) {
            return false;
        }
        value = m_bytes[m_offset++];
        return true;
    }
    bool U16(uint16_t& value) {
        uint8_t low = 0, high = 0;
        if (Left() < 2 || !U8(low) || !U8(high)) {
            return false;
        }
        value = static_cast<uint16_t>(low | high << 8);
        return true;
    }
    bool U32(uint32_t& value) {
        uint16_t low = 0, high = 0;
        if (Left() < 4 || !U16(low) || !U16(high)) {
            return false;
        }
        value = low | static_cast<uint32_t>(high) << 16;
        return true;
    }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_offset = 0;
};

bool IsPlaceholderName(std::u16string_view name) {
    constexpr std::u16string_view kNames[] = {u"DO NOT USE", u"UNASSIGNED", u"RESERVED", u"None"};
    for (auto placeholder : kNames) {
        if (plat::EqualsNoCase(name, placeholder)) {
            return true;
        }
    }
    return false;
}

bool ReadSequence(ByteReader& reader, KeyCodeSequence& sequence) {
    for (KeyCodeEntry& entry : sequence) {
        if (!reader.U16(entry.code) || !reader.U8(entry.flag) || !reader.U8(entry.unused)) {
            return false;
        }
    }
    return true;
}

bool ReadRecord(ByteReader& reader, KeyDefinitionRecord& record) {
    uint32_t nameBytes = 0;
    if (!reader.U32(nameBytes) || nameBytes > CKeyboardDefinition::kMaxNameBytes || nameBytes % 2 != 0 ||
        reader.Left() < nameBytes + CKeyboardDefinition::kRecordBytesWithoutName - 4) {
        return false;
    }
    record.name.resize(nameBytes / 2);
    for (char16_t& unit : record.name) {
        uint16_t value = 0;
        reader.U16(value);
        unit = static_cast<char16_t>(value);
    }
    reader.U16(record.firstValue);
    reader.U16(record.secondValue);
    for (KeyCodeSequence& sequence : record.sequences) {
        ReadSequence(reader, sequence);
    }
    record.nameHash = KeyNameHash(record.name);
    record.effectiveKey = EffectiveKeyOf(record.sequences[0]);
    record.excluded = IsPlaceholderName(record.name) || static_cast<int16_t>(record.sequences[0][0].code) < 0;
    return true;
}

} // namespace

EffectiveKey EffectiveKeyOf(const KeyCodeSequence& make) {
    if (make[0].flag == 0) {
        return {make[0].code, 0};
    }
    size_t at = 0;
    while (at + 1 < make.size() && make[at + 1].code != 0 && make[at + 1].flag == 0) {
        ++at;
    }
    return {make[at].code, make[0].flag};
}

bool CKeyboardDefinition::ReadDefinition(std::span<const uint8_t> contents) {
    if (contents.empty()) {
        return false;
    }
    if (m_read) {
        return true;
    }
    // A failed earlier read is started over rather than added to.
    m_records.clear();
    m_byHash.clear();
    ByteReader reader(contents);
    uint32_t count = 0;
    if (!reader.U32(count) || count == 0) {
        return false;
    }
    for (uint32_t i = 0; i < count && !reader.AtEnd(); ++i) {
        KeyDefinitionRecord record;
        if (!ReadRecord(reader, record)) {
            return false;
        }
        m_records.push_back(std::move(record));
        const KeyDefinitionRecord& kept = m_records.back();
        if (!kept.excluded) {
            m_byHash[kept.nameHash] = m_records.size() - 1;
        }
    }
    m_read = reader.AtEnd() && m_records.size() == count;
    return m_read;
}

bool CKeyboardDefinition::ReadDefaults(std::span<const uint8_t> contents) {
    m_defaults.clear();
    ByteReader reader(contents);
    uint32_t count = 0;
    if (!m_read || !reader.U32(count) || reader.Left() != uint64_t{count} * 8) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t hash = 0, key = 0;
        reader.U32(hash);
        reader.U32(key);
        m_defaults[hash] = {static_cast<uint16_t>(key & 0xFFFF), static_cast<uint8_t>(key >> 16 & 0xFF)};
    }
    return true;
}

const KeyDefinitionRecord* CKeyboardDefinition::RecordByHash(uint32_t nameHash) const {
    auto found = m_byHash.find(nameHash);
    return found == m_byHash.end() ? nullptr : &m_records[found->second];
}

std::optional<EffectiveKey> CKeyboardDefinition::EffectiveKeyByHash(uint32_t nameHash) const {
    const KeyDefinitionRecord* record = RecordByHash(nameHash);
    return record ? std::optional(record->effectiveKey) : std::nullopt;
}

std::optional<uint32_t> CKeyboardDefinition::NameHashByEffectiveKey(EffectiveKey key) const {
    for (const auto& [hash, index] : m_byHash) {
        if (m_records[index].effectiveKey == key) {
            return hash;
        }
    }
    return std::nullopt;
}

std::optional<EffectiveKey> CKeyboardDefinition::DefaultKeyByHash(uint32_t nameHash) const {
    auto found = m_defaults.find(nameHash);
    return found == m_defaults.end() ? std::nullopt : std::optional(found->second);
}
