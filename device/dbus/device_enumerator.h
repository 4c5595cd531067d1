// Reaching the device service on the session bus: the enumerator, from which every other
// service object is reached. D-Bus activation starts the service when it is not running.
#pragma once

#include "device/contract.h"

#include <memory>

// E_SERVICE_UNAVAILABLE when there is no session bus or no service answers on it. Never
// throws; waits at most for the bus's call time-out.
HRESULT CreateDeviceEnumerator(std::shared_ptr<IDeviceEnumerator>& enumerator);

// For code that takes a DeviceEnumeratorFactory.
DeviceEnumeratorFactory BusEnumeratorFactory();
