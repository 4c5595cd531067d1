// The exchange form of macro events.
#include "device/macro_event_block.h"

#include <gtest/gtest.h>

namespace {

struct Packed {
    uint32_t type;
    uint16_t code;
    uint16_t flags;
};

Packed EventAt(const MacroEventBlock& block, size_t index) {
    const uint8_t* at = block.data() + 8 + 8 * index;
    return {static_cast<uint32_t>(at[0] | (at[1] << 8) | (at[2] << 16) | (at[3] << 24)),
            static_cast<uint16_t>(at[4] | (at[5] << 8)), static_cast<uint16_t>(at[6] | (at[7] << 8))};
}

} // namespace

TEST(MacroEventBlock, PacksEachEventKind) {
    struct Case {
        MacroEvent event;
        Packed packed;
        MacroEvent readBack;
    };
    const Case cases[] = {
        // Right Ctrl release: extended and released.
        {{MET_KEY, (0xA3 << 16) | 0x1D, 0x101}, {2, 0x1D, 3}, {MET_KEY, 0x1D, 0x101}},
        // Pause sets the extended flag without the state bit and reads back as Pause.
        {{MET_KEY, (0x13 << 16) | 0x45, 0xFF}, {2, 0x45, 2}, {MET_KEY, (19 << 16) | 0x45, 0xFF}},
        // The same scan code without the flag is Num Lock.
        {{MET_KEY, 0x45, 0xFF}, {2, 0x45, 0}, {MET_KEY, (144 << 16) | 0x45, 0xFF}},
        {{MET_MOUSE, MB_RIGHT, 0x01}, {1, 0x0008, 0}, {MET_MOUSE, MB_RIGHT, 0x01}},
        {{MET_MOUSE, MB_BUTTON5, 0xFF}, {1, 0x0100, 0}, {MET_MOUSE, MB_BUTTON5, 0xFF}},
        {{MET_MOUSE, 9, 0xFF}, {1, 0, 0}, {MET_MOUSE, 0, 0}},
        {{MET_DELAY, 70000, 0}, {3, 70000 & 0xFFFF, 70000 >> 16}, {MET_DELAY, 70000, 0}},
    };
    for (const Case& c : cases) {
        const MacroEventBlock block = MacroEventsToBlock({c.event});
        ASSERT_EQ(block.size(), 8u + 8u + 8u);
        const Packed packed = EventAt(block, 0);
        EXPECT_EQ(packed.type, c.packed.type);
        EXPECT_EQ(packed.code, c.packed.code);
        EXPECT_EQ(packed.flags, c.packed.flags);
        std::vector<MacroEvent> events;
        ASSERT_TRUE(MacroEventsFromBlock(block, events));
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0], c.readBack);
    }
}

TEST(MacroEventBlock, EmptyMacroIsAHeaderWithCountZero) {
    const MacroEventBlock block = MacroEventsToBlock({});
    ASSERT_GE(block.size(), 8u);
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0; }));
}

TEST(MacroEventBlock, MalformedBlocksAreRefusedAndUnknownTypesSkipped) {
    std::vector<MacroEvent> events{{MET_DELAY, 1, 0}};
    EXPECT_FALSE(MacroEventsFromBlock({0, 0, 0}, events));
    EXPECT_TRUE(events.empty());
    // A count larger than the block holds.
    EXPECT_FALSE(MacroEventsFromBlock({0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0}, events));
    // An event of type 9 between two delays.
    const MacroEventBlock mixed{0, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 5, 0, 0, 0,
                                9, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 6, 0, 0, 0};
    ASSERT_TRUE(MacroEventsFromBlock(mixed, events));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].value, 6);
}
