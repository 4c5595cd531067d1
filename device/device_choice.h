// The device choice made once at start-up: the picker over the model table when a
// supported mouse answers, otherwise the no-device mouse. Whichever is made is also kept
// process-wide so the shutdown can delete it.
#pragma once

#include "device/mouse_picker.h"
#include "device/null_mouse.h"

// The device object for the holder; it stays owned by the process-wide pointers below.
IGenDevice* ChooseDevice(IMouseConfig* config, void* application, DeviceEnumeratorFactory factory,
                         CMousePicker::ArrivalCallback callback);

// The chosen objects (at most one is set) and their release at shutdown.
CMousePicker* ChosenPicker();
CNullMouse* ChosenNullMouse();
void DeleteChosenDevice();
