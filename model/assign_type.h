// Named assignment kind codes. The codes are what profiles store and what the device
// object translates to the device service's function records.
#pragma once

#include "model/model_types.h"

enum : tAssignType {
    AT_NONE = -1,
    AT_DEFAULTKEY = 0,
    AT_CLICK = 1,
    AT_MENU = 2,
    AT_UNIVERSAL_SCROLLING = 3,
    AT_DOUBLE_CLICK = 4,
    AT_SINGLE_KEY = 5,
    AT_MACRO = 6,         // macro by GUID
    AT_MACRO_BY_NAME = 7, // macro by name
    AT_BUTTON_OFF = 8,
    AT_ADVANCED = 9,
    AT_ON_THE_FLY_SENSITIVITY = 10,
    AT_BUTTON4 = 11,
    AT_BUTTON5 = 12,
    AT_DPI_STAGE_UP = 13,
    AT_DPI_STAGE_DOWN = 14,
    AT_DPI_STAGES = 15,
    AT_DPI_STAGE1 = 16, // .. AT_DPI_STAGE1 + 4
    AT_TEMPORARY_DPI = 21,
    AT_PROFILE = 22,         // profile by GUID
    AT_PROFILE_BY_NAME = 23, // profile by name
    AT_PROFILE_UP = 24,
    AT_PROFILE_DOWN = 25,
    AT_PROFILE1 = 26, // .. AT_PROFILE1 + 4
    AT_KEYMAP = 31,
    AT_KEYMAP2 = 32,
    AT_PLAY = 43,
    AT_STOP = 44,
    AT_BACKWARD = 45,
    AT_FORWARD = 46,
    AT_PAUSE = 47,
    AT_VOLUME_UP = 48,
    AT_VOLUME_DOWN = 49,
    AT_MUTE = 50,
    AT_SKIP_BACK = 51,
    AT_SKIP_FORWARD = 52,
    AT_SCROLL_UP = 53,
    AT_SCROLL_DOWN = 54,
    AT_COMMAND_FIRST = 55, // "$cut" .. "$zoomout": AT_COMMAND_FIRST + 0 .. 16
    AT_COMMAND_LAST = 71,
    AT_DPI_SETTING = 72,
    AT_PROFILE_SETTING = 73,
    AT_SELECT_FUN = 74,
    AT_LAUNCH_PROGRAM = 75,
    AT_LAUNCH_PROGRAM2 = 76,
    AT_JOYSTICK = 78,
    AT_JOYSTICK2 = 79,
};
