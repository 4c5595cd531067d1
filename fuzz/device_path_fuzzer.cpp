// Any bytes as a device path announced on the bus, and as the udev properties a HID device
// carries: the class, the vendor and product numbers and the built path must come out or
// fail cleanly.
#include "device/path_number.h"
#include "platform/os/device_notification.h"
#include "platform/os/hidraw_watch.h"
#include "platform/text/utf.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string path = plat::Utf8ToUtf16(bytes);
    (void)plat::DeviceInterfaceClassOfPath(path);
    (void)ReadPathNumber(path, u"VID_");
    (void)ReadPathNumber(path, u"PID_");
    const size_t cut = bytes.find('\n');
    const std::string_view hidId = bytes.substr(0, cut);
    const std::string_view uniq = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
    (void)plat::HidrawWatch::InterfacePath(hidId, uniq, "hidraw0");
    return 0;
}
