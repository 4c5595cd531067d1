// How the proxies read failures off the bus: the service's HRESULT when it sent one, the
// nearest code for the bus's own errors.
#include "device/dbus/bus_client.h"

#include <gtest/gtest.h>

namespace {

TEST(BusStatus, RecoversTheStatusOfEveryKindOfError) {
    const struct {
        const char* name;
        const char* message;
        HRESULT expected;
    } cases[] = {
        {"com.kavox.DeviceService1.Error.AccessDenied", "0x80070005: AccessDenied", E_ACCESSDENIED},
        {"com.kavox.DeviceService1.Error.Whatever", "0x80070490", E_NOT_FOUND},
        {"com.kavox.DeviceService1.Error.Failed", "no code here", E_FAIL},
        {"com.kavox.DeviceService1.Error.Failed", "0x00000001: a success is no failure", E_FAIL},
        {"com.kavox.DeviceService1.Error.Failed", "0x1FFFFFFFF: too wide", E_FAIL},
        {"org.freedesktop.DBus.Error.ServiceUnknown", "", E_SERVICE_UNAVAILABLE},
        {"org.freedesktop.DBus.Error.NoReply", "", E_TIMEOUT},
        {"org.freedesktop.DBus.Error.UnknownObject", "", E_NOT_FOUND},
        {"org.example.Other", "0x80070005", E_FAIL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StatusOf(sdbus::Error(c.name, c.message)), c.expected) << c.name << " " << c.message;
    }
}

TEST(BusStatus, GuardTurnsExceptionsIntoFailures) {
    EXPECT_EQ(Guard([] {}), S_OK);
    EXPECT_EQ(Guard([] { throw sdbus::Error("com.kavox.DeviceService1.Error.X", "0x80070057"); }),
              E_INVALIDARG);
    EXPECT_EQ(Guard([] { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(Guard([] { throw 42; }), E_FAIL);
}

} // namespace
