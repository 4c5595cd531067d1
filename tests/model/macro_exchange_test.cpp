#include "model/macro_exchange.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

MacroEvent Key(int32_t virtualKey, int32_t scanCode, int32_t state) {
    return MacroEvent{MET_KEY, virtualKey << 16 | scanCode, state};
}

// A block of the given declared count followed by `entries` (eight bytes each).
Bytes Block(uint32_t count, std::initializer_list<std::array<uint8_t, 8>> entries) {
    Bytes block = {
        0, 0, 0, 0, uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
    for (const auto& entry : entries) {
        block.insert(block.end(), entry.begin(), entry.end());
    }
    return block;
}

Bytes EntryOf(const MacroEvent& event) {
    const Bytes block = PackMacroEvents(std::vector<MacroEvent>{event});
    return Bytes(block.begin() + 8, block.begin() + 16);
}

} // namespace

TEST(MacroExchange, PacksEachEventTypeIntoEightBytes) {
    const struct {
        MacroEvent event;
        Bytes entry;
    } cases[] = {
        // Right Ctrl released: release and extended flags.
        {Key(0xA3, 0x1D, 0x101), {2, 0, 0, 0, 0x1D, 0, 3, 0}},
        {Key(0x41, 0x1E, 0xFF), {2, 0, 0, 0, 0x1E, 0, 0, 0}},
        // Pause always goes out extended.
        {Key(0x13, 0x45, 0xFF), {2, 0, 0, 0, 0x45, 0, 2, 0}},
        {Key(0x90, 0x45, 0x01), {2, 0, 0, 0, 0x45, 0, 1, 0}},
        // Any state low byte other than a press counts as a release.
        {Key(0x41, 0x1E, 0x00), {2, 0, 0, 0, 0x1E, 0, 1, 0}},
        {MacroEvent{MET_MOUSE, MB_RIGHT, 0x01}, {1, 0, 0, 0, 0x08, 0, 0, 0}},
        {MacroEvent{MET_MOUSE, MB_LEFT, 0xFF}, {1, 0, 0, 0, 0x01, 0, 0, 0}},
        {MacroEvent{MET_MOUSE, MB_BUTTON5, 0x01}, {1, 0, 0, 0, 0x00, 0x02, 0, 0}},
        {MacroEvent{MET_MOUSE, MB_BUTTON4, 0x02}, {1, 0, 0, 0, 0, 0, 0, 0}},
        {MacroEvent{MET_MOUSE, 6, 0xFF}, {1, 0, 0, 0, 0, 0, 0, 0}},
        {MacroEvent{MET_DELAY, 70000, 70000}, {3, 0, 0, 0, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EntryOf(c.event), c.entry) << c.event.type << " " << std::hex << c.event.value;
    }
}

TEST(MacroExchange, BlockHasHeaderCountAndSpareTail) {
    EXPECT_EQ(PackMacroEvents({}), Bytes(16, 0));
    const std::vector<MacroEvent> events = {Key(0x41, 0x1E, 0xFF), MacroEvent{7, 1, 1},
                                            Key(0x41, 0x1E, 0x01)};
    const Bytes block = PackMacroEvents(events);
    EXPECT_EQ(block.size(), 8u + 2 * 8 + 8);
    EXPECT_EQ(Bytes(block.begin(), block.begin() + 8), Bytes({0, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(block[16 + 6], 1); // the unknown event left no gap
}

TEST(MacroExchange, UnpacksEachEntryType) {
    const struct {
        std::array<uint8_t, 8> entry;
        MacroEvent event;
    } cases[] = {
        {{1, 0, 0, 0, 0x08, 0, 0, 0}, {MET_MOUSE, MB_RIGHT, 0x01}},
        {{1, 0, 0, 0, 0x10, 0, 0, 0}, {MET_MOUSE, MB_WHEEL, 0xFF}},
        {{1, 0, 0, 0, 0x03, 0, 0, 0}, {MET_MOUSE, 0, 0}},
        {{1, 0, 0, 0, 0x00, 0x04, 0, 0}, {MET_MOUSE, 0, 0}},
        {{2, 0, 0, 0, 0x1D, 0, 3, 0}, Key(0, 0x1D, 0x101)},
        {{2, 0, 0, 0, 0x1E, 0, 0, 0}, Key(0, 0x1E, 0xFF)},
        // One scan code for two keys: the extended flag picks Pause, and is dropped.
        {{2, 0, 0, 0, 0x45, 0, 2, 0}, Key(19, 0x45, 0xFF)},
        {{2, 0, 0, 0, 0x45, 0, 3, 0}, Key(19, 0x45, 0x01)},
        {{2, 0, 0, 0, 0x45, 0, 0, 0}, Key(144, 0x45, 0xFF)},
        {{2, 0, 0, 0, 0x45, 0, 1, 0}, Key(144, 0x45, 0x01)},
        {{3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, {MET_DELAY, -1, 0}},
    };
    for (const auto& c : cases) {
        const auto events = UnpackMacroEvents(Block(1, {c.entry}));
        ASSERT_TRUE(events);
        ASSERT_EQ(events->size(), 1u);
        EXPECT_EQ(events->front(), c.event) << int(c.entry[0]) << " " << int(c.entry[4]);
    }
}

TEST(MacroExchange, UnpackSurvivesMalformedBlocks) {
    const std::array<uint8_t, 8> delay = {3, 0, 0, 0, 50, 0, 0, 0};
    const struct {
        const char* what;
        Bytes block;
        std::optional<size_t> events;
    } cases[] = {
        {"empty", {}, std::nullopt},
        {"short header", {0, 0, 0, 0, 1, 0, 0}, std::nullopt},
        {"header only", Block(0, {}), 0},
        {"huge count, no data", Block(0xFFFFFFFF, {}), 0},
        {"count beyond data", Block(5, {delay, delay}), 2},
        {"partial entry ignored",
         [&] {
             Bytes b = Block(2, {delay});
             b.insert(b.end(), {3, 0, 0});
             return b;
         }(),
         1},
        {"count below data", Block(1, {delay, delay}), 1},
        {"unknown types skipped",
         Block(4, {{0, 0, 0, 0, 1, 0, 0, 0}, delay, {4, 0, 0, 0, 1, 0, 0, 0}, {2, 0, 0, 1, 0x1E, 0, 0, 0}}),
         1},
    };
    for (const auto& c : cases) {
        const auto events = UnpackMacroEvents(c.block);
        ASSERT_EQ(events.has_value(), c.events.has_value()) << c.what;
        if (events) {
            EXPECT_EQ(events->size(), *c.events) << c.what;
        }
    }
}

TEST(MacroExchange, EventsWithoutVirtualKeysSurviveARoundTrip) {
    const std::vector<MacroEvent> events = {
        Key(0, 0x1D, 0x1FF), MacroEvent{MET_DELAY, 120, 0}, MacroEvent{MET_MOUSE, MB_BUTTON4, 0xFF},
        Key(19, 0x45, 0xFF), Key(144, 0x45, 0x01),          MacroEvent{MET_MOUSE, MB_BUTTON4, 0x01},
        Key(0, 0x1D, 0x101),
    };
    EXPECT_EQ(UnpackMacroEvents(PackMacroEvents(events)), events);
}
