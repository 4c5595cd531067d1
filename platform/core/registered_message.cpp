// The process-wide table of named messages.
#include "platform/core/registered_message.h"

#include "platform/text/compare.h"

#include <map>
#include <mutex>
#include <string>

namespace plat {

namespace {

struct NoCaseLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const {
        return CompareNoCase(a, b) < 0;
    }
};

} // namespace

UINT RegisterWindowMessage(std::u16string_view name) {
    static std::mutex mutex;
    static std::map<std::u16string, UINT, NoCaseLess> table;
    if (name.empty()) {
        return 0;
    }
    std::lock_guard lock(mutex);
    const auto [it, added] = table.try_emplace(std::u16string(name), 0);
    if (added) {
        const UINT next = WM_REGISTERED_FIRST + static_cast<UINT>(table.size() - 1);
        if (next > 0xFFFF) {
            table.erase(it);
            return 0;
        }
        it->second = next;
    }
    return it->second;
}

} // namespace plat
