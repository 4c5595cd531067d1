// Macro event blocks: what the mouse accepts and how it stores them.
#include "service/event_block.h"

#include <gtest/gtest.h>

namespace {

void Put(std::vector<uint8_t>& block, uint32_t word) {
    for (int i = 0; i < 4; ++i) {
        block.push_back(static_cast<uint8_t>(word >> (8 * i)));
    }
}

std::vector<uint8_t> Block(uint32_t head, uint32_t count,
                           std::initializer_list<std::pair<uint32_t, uint32_t>> events, size_t spare = 0) {
    std::vector<uint8_t> block;
    Put(block, head);
    Put(block, count);
    for (const auto& [type, value] : events) {
        Put(block, type);
        Put(block, value);
    }
    block.resize(block.size() + spare, 0);
    return block;
}

struct BlockCase {
    const char* name;
    std::vector<uint8_t> block;
    bool valid;
};

TEST(EventBlock, AcceptsOnlyWellFormedBlocks) {
    const BlockCase cases[] = {
        {"empty macro", Block(0, 0, {}), true},
        {"key press, release of right ctrl, delay", Block(0, 3, {{2, 0x1D}, {2, 0x3001D}, {3, 250}}), true},
        {"mouse right release", Block(0, 1, {{1, 0x0008}}), true},
        {"unnamed mouse transition", Block(0, 1, {{1, 0}}), true},
        {"spare bytes of the allocation", Block(0, 1, {{3, 10}}, 8), true},
        {"too many spare bytes", Block(0, 1, {{3, 10}}, 9), false},
        {"header word not zero", Block(1, 0, {}), false},
        {"count beyond the data", Block(0, 2, {{3, 10}}), false},
        {"count beyond the limit", Block(0, kMaxMacroEvents + 1, {}), false},
        {"shorter than a header", std::vector<uint8_t>(7, 0), false},
        {"unknown event type", Block(0, 1, {{4, 0}}), false},
        {"mouse code of two buttons", Block(0, 1, {{1, 0x0003}}), false},
        {"mouse code beyond button 5", Block(0, 1, {{1, 0x0400}}), false},
        {"mouse event with flags", Block(0, 1, {{1, 0x10001}}), false},
        {"key flags beyond extended and release", Block(0, 1, {{2, 0x4001D}}), false},
    };
    for (const BlockCase& c : cases) {
        std::vector<BlockEvent> events;
        EXPECT_EQ(SUCCEEDED(DecodeEventBlock(c.block.data(), c.block.size(), events)), c.valid) << c.name;
    }
}

TEST(EventBlock, DecodesFieldsAndDropsSpareBytes) {
    const std::vector<uint8_t> block = Block(0, 2, {{2, 0x3001D}, {3, 70000}}, 8);
    std::vector<BlockEvent> events;
    ASSERT_EQ(DecodeEventBlock(block.data(), block.size(), events), S_OK);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].code, 0x1D);
    EXPECT_EQ(events[0].flags, 3);
    EXPECT_EQ(events[1].delay, 70000u);

    MacroEventBlock normalized;
    ASSERT_EQ(NormalizeEventBlock(block, normalized), S_OK);
    EXPECT_EQ(normalized.size(), 24u);
}

} // namespace
