// A keyboard definition: the key records of a keyboard picture, read from the binary
// definition file, and the default key of each name, read from the defaults file. Keys are
// looked up by the hash of their name (model/key_name_list.h).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct KeyCodeEntry {
    uint16_t code = 0;
    uint8_t flag = 0;
    uint8_t unused = 0;

    friend bool operator==(const KeyCodeEntry&, const KeyCodeEntry&) = default;
};

using KeyCodeSequence = std::array<KeyCodeEntry, 10>;

// A key as definitions name it: a make code and the flag of its prefix (bit 0: E0).
struct EffectiveKey {
    uint16_t code = 0;
    uint8_t flag = 0;

    friend bool operator==(const EffectiveKey&, const EffectiveKey&) = default;
};

struct KeyDefinitionRecord {
    std::u16string name;
    uint32_t nameHash = 0;
    uint16_t firstValue = 0;
    uint16_t secondValue = 0;
    std::array<KeyCodeSequence, 4> sequences{}; // the make sequence first
    EffectiveKey effectiveKey;
    bool excluded = false; // placeholder names and negative make codes are not looked up
};

// The key a make sequence stands for: a prefix entry carrying a flag lends that flag to the
// code that follows it.
EffectiveKey EffectiveKeyOf(const KeyCodeSequence& make);

class CKeyboardDefinition {
public:
    static constexpr size_t kMaxNameBytes = 510;
    static constexpr size_t kRecordBytesWithoutName = 168;

    // True when the contents are exactly the counted records. A failed read keeps the
    // records read so far; once a read has succeeded, further reads succeed untouched.
    bool ReadDefinition(std::span<const uint8_t> contents);
    // Only after a successful definition read, and only a file of exactly 4 + 8 x count
    // bytes; otherwise no default is kept.
    bool ReadDefaults(std::span<const uint8_t> contents);

    std::optional<EffectiveKey> EffectiveKeyByHash(uint32_t nameHash) const;
    // The smallest hash whose record has this effective key.
    std::optional<uint32_t> NameHashByEffectiveKey(EffectiveKey key) const;
    std::optional<EffectiveKey> DefaultKeyByHash(uint32_t nameHash) const;
    const KeyDefinitionRecord* RecordByHash(uint32_t nameHash) const;

    // Every record read, excluded ones too, in file order.
    const std::vector<KeyDefinitionRecord>& Records() const { return m_records; }
    bool IsRead() const { return m_read; }

private:
    std::vector<KeyDefinitionRecord> m_records;
    std::map<uint32_t, size_t> m_byHash; // index into m_records; ascending hash order
    std::map<uint32_t, EffectiveKey> m_defaults;
    bool m_read = false;
};
