// The outside sources of device and session notifications: the device service's
// DeviceArrived/DeviceRemoved signals and the screensaver's ActiveChanged on the session
// bus, logind's Lock/Unlock on the system bus, and udev's hidraw nodes. Started on the first
// registration; a source that cannot be reached simply gives no notifications.
#pragma once

namespace plat {

void StartNotificationSources();

// Tests keep the buses of the machine out of their deliveries.
void DisableNotificationSources();

} // namespace plat
