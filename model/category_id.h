// Names of the category ids under which profiles and the configuration register their
// tracked values, and of the element types the element queries take. The numbers are
// fixed: the device object and the pages ask by them.
#pragma once

#include "model/model_types.h"

enum : tCategoryId {
    // Profile.
    CAT_BUTTON_ASSIGNMENTS = 0,
    CAT_KEY_ASSIGNMENTS = 1, // element type: one key assignment
    CAT_LED_STATE = 3,       // element type: one zone
    CAT_LED_COLOUR = 4,      // element type: one zone
    CAT_LED_BRIGHTNESS = 5,  // element type: one zone
    CAT_LED_EFFECT = 6,      // element type: one zone
    CAT_SENSITIVITY = 7,
    CAT_DPI_STAGE = 8, // element type only: one DPI stage by index
    CAT_ACTIVE_STAGE = 9,
    CAT_DPI_STAGES = 10,
    CAT_DPI_STAGE_COUNT = 11,
    CAT_PROFILE_GUID = 23,
    CAT_PROFILE_NAME = 24,
    CAT_APPLICATION_NAME = 25,
    CAT_APPLICATION_LINK = 26,
    CAT_PROFILE_OSD = 27,
    CAT_DPI_OSD = 28,
    CAT_KEY_ASSIGNMENTS_IN_USE = 29,

    // Configuration.
    CAT_GLOBAL_ASSIGNMENTS = 2,
    CAT_REDUCED_BRIGHTNESS = 5,
    CAT_MACRO = 12, // element type only: one macro by index
    CAT_MACROS = 13,
    CAT_APPLICATION = 14, // element type only: one application by index
    CAT_APPLICATIONS = 15,
    CAT_ACCELERATION = 16,
    CAT_ACCELERATION_ON = 17,
    CAT_POLLING_RATE = 18,
    CAT_FLASH_WARNING_STAGE = 19,
    CAT_IDLE_TIME = 20,
    CAT_ACTIVE_PROFILE = 21,
    CAT_LIFT_OFF_DISTANCE = 30,
    CAT_LIFT_OFF_AUTOMATIC = 31,
    CAT_SURFACE_CALIBRATION = 32,
};
