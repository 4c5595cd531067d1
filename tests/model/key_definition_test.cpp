#include "model/key_name_list.h"
#include "model/keyboard_definition.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One record: the name, then the make sequence given as (code, flag) pairs; the other three
// sequences carry a marker so that a reader mixing them up is caught.
Bytes Record(std::u16string_view name, std::initializer_list<KeyCodeEntry> make) {
    Bytes out;
    Put32(out, static_cast<uint32_t>(name.size() * 2));
    for (char16_t unit : name) {
        Put16(out, unit);
    }
    Put16(out, 7);
    Put16(out, 9);
    for (size_t i = 0; i < 10; ++i) {
        const KeyCodeEntry entry = i < make.size() ? make.begin()[i] : KeyCodeEntry{};
        Put16(out, entry.code);
        out.push_back(entry.flag);
        out.push_back(0);
    }
    for (size_t i = 0; i < 30; ++i) {
        Put16(out, 0x7777);
        out.push_back(1);
        out.push_back(0);
    }
    return out;
}

Bytes Definition(uint32_t count, std::initializer_list<Bytes> records) {
    Bytes out;
    Put32(out, count);
    for (const Bytes& record : records) {
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

Bytes Defaults(uint32_t count, std::initializer_list<std::pair<uint32_t, uint32_t>> pairs) {
    Bytes out;
    Put32(out, count);
    for (auto [hash, key] : pairs) {
        Put32(out, hash);
        Put32(out, key);
    }
    return out;
}

const Bytes kA = Record(u"a A", {{0x1E, 0}});
const Bytes kRightAlt = Record(u"Right Alt", {{0xE0, 1}, {0x38, 0}});

} // namespace

TEST(EffectiveKey, PrefixFlagGoesToTheCodeItLeadsTo) {
    struct Case {
        const char* what;
        std::initializer_list<KeyCodeEntry> make;
        EffectiveKey expect;
    };
    const Case cases[] = {
        {"plain code", {{0x1E, 0}, {0x30, 0}}, {0x1E, 0}},
        {"E0 prefix", {{0xE0, 1}, {0x38, 0}}, {0x38, 1}},
        {"prefix alone", {{0xE0, 1}}, {0xE0, 1}},
        {"E1 sequence runs to its last code", {{0xE1, 2}, {0x1D, 0}, {0x45, 0}}, {0x45, 2}},
        {"walk stops at the next flagged entry", {{0xE0, 1}, {0x2A, 0}, {0xE0, 1}, {0x37, 0}}, {0x2A, 1}},
        {"walk stops at a zero code", {{0xE0, 1}, {0x1C, 0}, {0, 0}, {0x50, 0}}, {0x1C, 1}},
        {"walk ends with the tenth entry",
         {{0xE0, 3}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}},
         {9, 3}},
    };
    for (const Case& c : cases) {
        KeyCodeSequence make{};
        std::copy(c.make.begin(), c.make.end(), make.begin());
        EXPECT_EQ(EffectiveKeyOf(make), c.expect) << c.what;
    }
}

TEST(KeyboardDefinition, ReadsRecordsWithAllTheirFields) {
    CKeyboardDefinition definition;
    ASSERT_TRUE(definition.ReadDefinition(Definition(2, {kA, kRightAlt})));
    ASSERT_EQ(definition.Records().size(), 2u);
    const KeyDefinitionRecord& alt = definition.Records()[1];
    EXPECT_EQ(alt.name, u"Right Alt");
    EXPECT_EQ(alt.nameHash, KeyNameHash(u"Right Alt"));
    EXPECT_EQ(alt.firstValue, 7);
    EXPECT_EQ(alt.secondValue, 9);
    EXPECT_EQ(alt.sequences[0][1], (KeyCodeEntry{0x38, 0, 0}));
    EXPECT_EQ(alt.sequences[3][9], (KeyCodeEntry{0x7777, 1, 0}));
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"Right Alt")), (EffectiveKey{0x38, 1}));
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"a A")), (EffectiveKey{0x1E, 0}));
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"b B")), std::nullopt);
}

TEST(KeyboardDefinition, ReadsOnlyExactlyTheCountedRecords) {
    struct Case {
        const char* what;
        Bytes contents;
        bool ok;
        size_t recordsKept;
    };
    Bytes oneByteMore = Definition(2, {kA, kRightAlt});
    oneByteMore.push_back(0);
    Bytes cutShort = Definition(2, {kA, kRightAlt});
    cutShort.pop_back();
    Bytes longName;
    Put32(longName, 1);
    Put32(longName, 512);
    longName.resize(longName.size() + 512 + 164);
    Bytes oddName;
    Put32(oddName, 1);
    Put32(oddName, 3);
    oddName.resize(oddName.size() + 3 + 164);
    Bytes hugeLength;
    Put32(hugeLength, 1);
    Put32(hugeLength, 0xFFFFFFF0);
    const Case cases[] = {
        {"empty", {}, false, 0},
        {"count only", Definition(1, {}), false, 0},
        {"count cut short", {1, 0}, false, 0},
        {"count 0", Definition(0, {}), false, 0},
        {"count 0 with a record", Definition(0, {kA}), false, 0},
        {"exact", Definition(2, {kA, kRightAlt}), true, 2},
        {"one byte more", oneByteMore, false, 2},
        {"last record cut short", cutShort, false, 1},
        {"fewer records than counted", Definition(3, {kA, kRightAlt}), false, 2},
        {"more records than counted", Definition(1, {kA, kRightAlt}), false, 1},
        {"name of 256 units", longName, false, 0},
        {"name of odd length", oddName, false, 0},
        {"name length beyond the file", hugeLength, false, 0},
        {"longest name", Definition(1, {Record(std::u16string(255, u'x'), {{1, 0}})}), true, 1},
        {"empty name", Definition(1, {Record(u"", {{1, 0}})}), true, 1},
    };
    for (const Case& c : cases) {
        CKeyboardDefinition definition;
        EXPECT_EQ(definition.ReadDefinition(c.contents), c.ok) << c.what;
        EXPECT_EQ(definition.Records().size(), c.recordsKept) << c.what;
    }
}

TEST(KeyboardDefinition, FailedReadKeepsLookupsOfTheRecordsRead) {
    CKeyboardDefinition definition;
    EXPECT_FALSE(definition.ReadDefinition(Definition(3, {kA, kRightAlt})));
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"Right Alt")), (EffectiveKey{0x38, 1}));
}

TEST(KeyboardDefinition, PlaceholdersAndNegativeCodesAreReadButNotLookedUp) {
    CKeyboardDefinition definition;
    ASSERT_TRUE(definition.ReadDefinition(Definition(
        5, {Record(u"unassigned", {{0x10, 0}}), Record(u"Do Not Use", {{0x11, 0}}),
            Record(u"NONE", {{0x12, 0}}), Record(u"q Q", {{0x8010, 0}}), Record(u"w W", {{0x7FFF, 0}})})));
    EXPECT_EQ(definition.Records().size(), 5u);
    EXPECT_TRUE(definition.Records()[0].excluded);
    for (auto name : {u"unassigned", u"UNASSIGNED", u"Do Not Use", u"NONE", u"q Q"}) {
        EXPECT_EQ(definition.RecordByHash(KeyNameHash(name)), nullptr);
    }
    EXPECT_EQ(definition.NameHashByEffectiveKey({0x10, 0}), std::nullopt);
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"w W")), (EffectiveKey{0x7FFF, 0}));
}

TEST(KeyboardDefinition, LaterRecordOfTheSameNameWins) {
    CKeyboardDefinition definition;
    ASSERT_TRUE(definition.ReadDefinition(Definition(2, {kA, Record(u"a A", {{0x1F, 0}})})));
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"a A")), (EffectiveKey{0x1F, 0}));
}

TEST(KeyboardDefinition, IsReadOnce) {
    CKeyboardDefinition definition;
    ASSERT_TRUE(definition.ReadDefinition(Definition(1, {kA})));
    EXPECT_TRUE(definition.ReadDefinition(Definition(1, {kRightAlt})));
    EXPECT_EQ(definition.Records().size(), 1u);
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"Right Alt")), std::nullopt);
    EXPECT_FALSE(definition.ReadDefinition({}));
}

TEST(KeyboardDefinition, RetryAfterFailureStartsOver) {
    CKeyboardDefinition definition;
    EXPECT_FALSE(definition.ReadDefinition(Definition(3, {kA, kRightAlt})));
    ASSERT_TRUE(definition.ReadDefinition(Definition(1, {kRightAlt})));
    EXPECT_EQ(definition.Records().size(), 1u);
    EXPECT_EQ(definition.EffectiveKeyByHash(KeyNameHash(u"a A")), std::nullopt);
}

TEST(KeyboardDefinition, NameByEffectiveKeyTakesTheSmallestHash) {
    // Two names for one key; whichever hash is smaller answers, whatever the file order.
    const std::u16string_view first = u"Keypad Enter", second = u"Return";
    const uint32_t smaller = std::min(KeyNameHash(first), KeyNameHash(second));
    for (bool swapped : {false, true}) {
        CKeyboardDefinition definition;
        Bytes one = Record(swapped ? second : first, {{0xE0, 1}, {0x1C, 0}});
        Bytes two = Record(swapped ? first : second, {{0xE0, 1}, {0x1C, 0}});
        ASSERT_TRUE(definition.ReadDefinition(Definition(2, {one, two})));
        EXPECT_EQ(definition.NameHashByEffectiveKey({0x1C, 1}), smaller);
        EXPECT_EQ(definition.NameHashByEffectiveKey({0x1C, 0}), std::nullopt);
    }
}

TEST(KeyboardDefaults, ExactSizeOnlyAndOnlyAfterTheDefinition) {
    const uint32_t hashA = KeyNameHash(u"a A");
    const uint32_t hashUnknown = KeyNameHash(u"F23");
    CKeyboardDefinition definition;
    EXPECT_FALSE(definition.ReadDefaults(Defaults(1, {{hashA, 0x1E}})));
    ASSERT_TRUE(definition.ReadDefinition(Definition(1, {kA})));

    ASSERT_TRUE(definition.ReadDefaults(Defaults(2, {{hashA, 0xAB01001E}, {hashUnknown, 0x6E}})));
    EXPECT_EQ(definition.DefaultKeyByHash(hashA), (EffectiveKey{0x1E, 1})); // bits 24-31 ignored
    EXPECT_EQ(definition.DefaultKeyByHash(hashUnknown), (EffectiveKey{0x6E, 0}));

    struct Case {
        const char* what;
        Bytes contents;
        bool ok;
    };
    Bytes oneByteMore = Defaults(1, {{hashA, 0x1E}});
    oneByteMore.push_back(0);
    const Case cases[] = {
        {"count one more than the pairs", Defaults(2, {{hashA, 0x1E}}), false},
        {"count one less than the pairs", Defaults(0, {{hashA, 0x1E}}), false},
        {"one byte more", oneByteMore, false},
        {"empty", {}, false},
        {"count cut short", {0, 0}, false},
        {"huge count", Defaults(0xFFFFFFFF, {{hashA, 0x1E}}), false},
        {"no pairs", Defaults(0, {}), true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(definition.ReadDefaults(Defaults(1, {{hashA, 0x1E}})));
        EXPECT_EQ(definition.ReadDefaults(c.contents), c.ok) << c.what;
        EXPECT_EQ(definition.DefaultKeyByHash(hashA), std::nullopt) << c.what; // nothing kept
    }
}
