#include "platform/os/runtime_file_name.h"

#include "platform/text/utf.h"

namespace plat {

std::string EscapeForFileName(std::u16string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : Utf16ToUtf8(name)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool safe = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                          (byte >= '0' && byte <= '9') || byte == '_' || byte == '-';
        if (safe) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        }
    }
    return escaped;
}

} // namespace plat
