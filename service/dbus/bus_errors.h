// Turning status codes into D-Bus errors and checking arguments that arrive from the bus.
// An error's name says what went wrong; its message starts with the HRESULT ("0x80070005: ...")
// so that clients recover the exact code.
#pragma once

#include "device/contract.h"

#include <sdbus-c++/sdbus-c++.h>

#include <string>
#include <vector>

sdbus::Error BusError(HRESULT hr);

// Throws the bus error of a failed status; the method handler's caller turns it into a reply.
inline void Check(HRESULT hr) {
    if (FAILED(hr)) {
        throw BusError(hr);
    }
}

// A GUID argument: exactly 16 bytes.
plat::GUID GuidArgument(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> GuidBytes(const plat::GUID& id);

std::u16string TextArgument(const std::string& utf8);
std::string TextResult(const std::u16string& text);

// "0123...ef": the object-path element of a GUID.
std::string GuidPathElement(const plat::GUID& id);
