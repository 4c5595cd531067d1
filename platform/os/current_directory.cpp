#include "platform/os/current_directory.h"

#include "platform/text/utf.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace plat {

bool SetCurrentDirectory(std::u16string_view path) {
    return !path.empty() && ::chdir(Utf16ToUtf8(path).c_str()) == 0;
}

std::u16string GetCurrentDirectory() {
    std::vector<char> buffer(1024);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return Utf8ToUtf16(buffer.data());
}

} // namespace plat
