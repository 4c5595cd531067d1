// Texts the device object shows through its progress channel are language keys; the
// program installs the translation once the language table is loaded. Until then a key
// is shown as written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

using DeviceTextTranslator = std::function<std::u16string(std::u16string_view key)>;

void SetDeviceTextTranslator(DeviceTextTranslator translator);
std::u16string TranslateDeviceText(std::u16string_view key);
