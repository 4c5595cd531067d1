#include "model/key_name_source.h"

#include "platform/text/format.h"

#include <atomic>

namespace {

// Names letters and digits by their virtual key and everything else by its scan code.
class FallbackKeyNames final : public IKeyNameSource {
public:
    std::u16string KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) const override {
        if ((virtualKey >= u'A' && virtualKey <= u'Z') || (virtualKey >= u'0' && virtualKey <= u'9')) {
            return std::u16string(1, static_cast<char16_t>(virtualKey));
        }
        if (scanCode == 0) {
            return {};
        }
        return plat::Format(extended ? u"Key E0 %02X" : u"Key %02X", scanCode);
    }
};

const FallbackKeyNames kFallback;
std::atomic<const IKeyNameSource*> g_source{nullptr};

} // namespace

const IKeyNameSource& GetKeyNameSource() {
    const IKeyNameSource* source = g_source.load(std::memory_order_acquire);
    return source ? *source : kFallback;
}

void SetKeyNameSource(const IKeyNameSource* source) {
    g_source.store(source, std::memory_order_release);
}
