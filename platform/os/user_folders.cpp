#include "platform/os/user_folders.h"

#include "platform/text/utf.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace plat {
namespace {

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        return pw->pw_dir;
    }
    return "/tmp";
}

std::u16string XdgFolder(const char* variable, const char* fallbackUnderHome) {
    std::string base;
    if (const char* value = std::getenv(variable); value && *value == '/') {
        base = value;
    } else {
        base = HomeFolder() + "/" + fallbackUnderHome;
    }
    if (!base.ends_with('/')) {
        base += '/';
    }
    return Utf8ToUtf16(base + "kavox/");
}

} // namespace

std::u16string ProgramDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return u"./";
    }
    std::string path(buffer, static_cast<size_t>(n));
    path.erase(path.find_last_of('/') + 1);
    return Utf8ToUtf16(path);
}

std::u16string UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}
std::u16string UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}
std::u16string UserStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

std::u16string UserRuntimeFolder() {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && *value == '/') {
        std::string base = value;
        if (!base.ends_with('/')) {
            base += '/';
        }
        return Utf8ToUtf16(base + "kavox/");
    }
    return Utf8ToUtf16("/tmp/kavox-" + std::to_string(::getuid()) + "/kavox/");
}

std::u16string SaveFolder() {
    return UserDataFolder() + u"save/";
}

} // namespace plat
