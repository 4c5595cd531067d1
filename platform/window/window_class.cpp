// The process-wide table of window classes.
#include "platform/window/window_class.h"

#include "platform/text/compare.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace plat {

namespace {

std::mutex g_mutex;
std::vector<WNDCLASS>& Classes() {
    static std::vector<WNDCLASS> classes;
    return classes;
}

auto FindLocked(std::u16string_view name) {
    return std::find_if(Classes().begin(), Classes().end(),
                        [&](const WNDCLASS& c) { return EqualsNoCase(c.className, name); });
}

} // namespace

bool RegisterClass(const WNDCLASS& windowClass) {
    std::lock_guard lock(g_mutex);
    if (windowClass.className.empty() || FindLocked(windowClass.className) != Classes().end())
        return false;
    Classes().push_back(windowClass);
    return true;
}

bool UnregisterClass(std::u16string_view className) {
    std::lock_guard lock(g_mutex);
    const auto it = FindLocked(className);
    if (it == Classes().end())
        return false;
    Classes().erase(it);
    return true;
}

std::optional<WNDCLASS> FindWindowClass(std::u16string_view className) {
    if (className.empty())
        return WNDCLASS{};
    std::lock_guard lock(g_mutex);
    const auto it = FindLocked(className);
    if (it == Classes().end())
        return std::nullopt;
    return *it;
}

} // namespace plat
