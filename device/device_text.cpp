// The translation hook of device texts.
#include "device/device_text.h"

#include <mutex>

namespace {

std::mutex& TranslatorLock() {
    static std::mutex lock;
    return lock;
}

DeviceTextTranslator& Translator() {
    static DeviceTextTranslator translator;
    return translator;
}

} // namespace

void SetDeviceTextTranslator(DeviceTextTranslator translator) {
    std::lock_guard guard(TranslatorLock());
    Translator() = std::move(translator);
}

std::u16string TranslateDeviceText(std::u16string_view key) {
    std::lock_guard guard(TranslatorLock());
    return Translator() ? Translator()(key) : std::u16string(key);
}
