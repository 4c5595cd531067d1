// Random GUIDs from the system's random source.
#include "service/guid_source.h"

#include <random>

plat::GUID NewRandomGuid() {
    static thread_local std::random_device device;
    uint8_t bytes[16];
    for (int i = 0; i < 16; i += 4) {
        const uint32_t value = device();
        for (int b = 0; b < 4; ++b) {
            bytes[i + b] = static_cast<uint8_t>(value >> (8 * b));
        }
    }
    bytes[7] = static_cast<uint8_t>((bytes[7] & 0x0F) | 0x40);
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    return plat::GUID::FromBytes(bytes);
}
