// Real HID devices plugged and unplugged, seen through udev's hidraw events and announced as
// device-interface changes of the HID class, with the path a Windows program would see.
#pragma once

#include <string>
#include <string_view>

namespace plat {

class HidrawWatch {
public:
    // Starts the watching thread once per process; silent when udev cannot be reached.
    static void Start();

    // The interface path of a HID device from its udev HID_ID ("0003:00002B4C:0000002F"),
    // its HID_UNIQ (the serial, often empty) and the hidraw node's name standing in for an
    // absent serial. Empty when HID_ID does not read.
    static std::u16string InterfacePath(std::string_view hidId, std::string_view uniq, std::string_view node);
};

} // namespace plat
