#include "platform/os/register_window_message.h"

#include "platform/text/compare.h"

#include <map>
#include <mutex>
#include <string>

namespace plat {

uint32_t RegisterWindowMessage(std::u16string_view name) {
    static std::mutex lock;
    static std::map<std::u16string, uint32_t> numbers; // by name folded to lower case
    if (name.empty()) {
        return 0;
    }
    std::u16string folded(name);
    for (char16_t& unit : folded) {
        unit = ToLowerUnit(unit);
    }
    std::lock_guard guard(lock);
    if (const auto found = numbers.find(folded); found != numbers.end()) {
        return found->second;
    }
    const uint32_t next = kFirstRegisteredMessage + static_cast<uint32_t>(numbers.size());
    if (next > kLastRegisteredMessage) {
        return 0;
    }
    numbers.emplace(std::move(folded), next);
    return next;
}

} // namespace plat
