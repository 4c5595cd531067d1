// The contract implemented in-process over the emulator: the objects the daemon exposes on
// the bus, and what tests of the device object use instead of a bus.
#pragma once

#include "device/contract.h"
#include "service/emulator.h"

#include <memory>

std::shared_ptr<IDeviceEnumerator> CreateLocalEnumerator(std::shared_ptr<CEmulator> emulator);

// A factory for code that takes DeviceEnumeratorFactory.
DeviceEnumeratorFactory LocalEnumeratorFactory(std::shared_ptr<CEmulator> emulator);
