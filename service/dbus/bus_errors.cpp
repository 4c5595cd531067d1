// Error names by status code, and argument conversion.
#include "service/dbus/bus_errors.h"

#include "platform/text/utf.h"

#include <cstdio>

namespace {

struct ErrorName {
    HRESULT hr;
    const char* name;
};

constexpr ErrorName kErrorNames[] = {
    {E_ACCESSDENIED, "AccessDenied"},
    {E_INVALIDARG, "InvalidArgument"},
    {E_NOINTERFACE, "NoInterface"},
    {E_NO_MORE_ITEMS, "NoMoreItems"},
    {E_NOT_FOUND, "NotFound"},
    {E_FILE_NOT_FOUND, "FileNotFound"},
    {E_INVALID_DATA, "InvalidData"},
    {E_LIMIT_REACHED, "LimitReached"},
    {E_INSUFFICIENT_BUFFER, "BufferTooSmall"},
    {E_NO_CONNECTION, "NoConnection"},
    {E_POINTER, "InvalidPointer"},
    {E_NOTIMPL, "NotImplemented"},
};

} // namespace

sdbus::Error BusError(HRESULT hr) {
    const char* name = "Failed";
    for (const ErrorName& entry : kErrorNames) {
        if (entry.hr == hr) {
            name = entry.name;
        }
    }
    char message[64];
    std::snprintf(message, sizeof message, "0x%08X: %s", static_cast<uint32_t>(hr), name);
    return sdbus::Error(std::string(bus::kErrorPrefix) + name, message);
}

plat::GUID GuidArgument(const std::vector<uint8_t>& bytes) {
    if (bytes.size() != 16) {
        throw BusError(E_INVALIDARG);
    }
    return plat::GUID::FromBytes(bytes.data());
}

std::vector<uint8_t> GuidBytes(const plat::GUID& id) {
    std::vector<uint8_t> bytes(16);
    id.ToBytes(bytes.data());
    return bytes;
}

std::u16string TextArgument(const std::string& utf8) {
    return plat::Utf8ToUtf16(utf8);
}

std::string TextResult(const std::u16string& text) {
    return plat::Utf16ToUtf8(text);
}

std::string GuidPathElement(const plat::GUID& id) {
    uint8_t bytes[16];
    id.ToBytes(bytes);
    std::string text;
    char pair[3];
    for (uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}
