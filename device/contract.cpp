// Byte layout of the records that cross the service boundary as raw bytes.
#include "device/contract.h"

#include <cstring>

namespace {

void PutWord(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t GetWord(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

} // namespace

std::array<uint8_t, FunctionRecord::kSize> FunctionRecord::ToBytes() const {
    std::array<uint8_t, kSize> bytes{};
    PutWord(bytes.data(), version);
    PutWord(bytes.data() + 4, buttonFlag);
    PutWord(bytes.data() + 8, functionType);
    std::memcpy(bytes.data() + 12, data.data(), kDataSize);
    return bytes;
}

FunctionRecord FunctionRecord::FromBytes(const uint8_t* bytes) {
    FunctionRecord record;
    record.version = GetWord(bytes);
    record.buttonFlag = GetWord(bytes + 4);
    record.functionType = GetWord(bytes + 8);
    std::memcpy(record.data.data(), bytes + 12, kDataSize);
    return record;
}
