// The small value types every part of the settings model shares: button identifiers,
// the assignment record, the stage record, lighting codes, macro events and category ids.
#pragma once

#include "platform/text/guid.h"

#include <array>
#include <cstdint>
#include <cstring>

using GUID = plat::GUID;

// Mouse button identifiers. Values outside the named ones may arrive and are kept as is.
enum tMouseButton : int32_t {
    MB_NULL = 0,
    MB_LEFT = 1,
    MB_RIGHT = 2,
    MB_WHEEL = 3,
    MB_BUTTON4 = 4,
    MB_BUTTON5 = 5,
    MB_RIGHTSIDE_FRONT = 6,
    MB_RIGHTSIDE_REAR = 7,
    MB_LEFTSIDE_FRONT = 8,
    MB_LEFTSIDE_REAR = 9,
    MB_CENTER_FRONT = 10,
    MB_CENTER_REAR = 11,
    MB_SCROLL_UP = 12,
    MB_SCROLL_DOWN = 13,
};

// Assignment kind codes 0..79; -1 means "no assignment". Named codes live with the
// vocabulary (model/assign_type.h).
using tAssignType = int32_t;

constexpr size_t kAssignmentPayloadSize = 528;

// One button's assignment: a kind followed by a payload laid out per kind. Bytes a kind
// does not use stay zero, because change tracking compares every byte.
struct AssignmentRecord {
    tAssignType kind = -1;
    std::array<uint8_t, kAssignmentPayloadSize> payload{};

    friend bool operator==(const AssignmentRecord&, const AssignmentRecord&) = default;
};

// One DPI stage, the sensitivity, or the temporary DPI.
struct StageRecord {
    uint32_t dpi = 0;
    uint32_t dpiX = 0;
    uint32_t dpiY = 0;
    uint8_t separateAxes = 0;

    friend bool operator==(const StageRecord&, const StageRecord&) = default;
};

using tLEDType = int32_t;
constexpr tLEDType LED_SCROLLWHEEL = 0;
constexpr tLEDType LED_LOGO = 3;

using tLEDEffect = int32_t;

// Index into the polling-rate list the device reports; -1 while unknown.
using tPollingRate = int32_t;

enum tMacroEventType : int32_t {
    MET_KEY = 0,
    MET_MOUSE = 1,
    MET_DELAY = 2,
};

// One macro step. Key: value = virtual key << 16 | scan code, state low byte 0xFF press /
// 0x01 release, bit 8 extended. Mouse: value = tMouseButton, state as for keys.
// Delay: value = milliseconds.
struct MacroEvent {
    int32_t type = MET_KEY;
    int32_t value = 0;
    int32_t state = 0;

    friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

constexpr int32_t kMacroStatePress = 0xFF;
constexpr int32_t kMacroStateRelease = 0x01;
constexpr int32_t kMacroStateExtended = 0x100;

using tMacroPlayMode = int32_t;
constexpr tMacroPlayMode MPM_ONCE = 1;
constexpr tMacroPlayMode MPM_MULTIPLE = 2;
constexpr tMacroPlayMode MPM_UNTIL_PRESSED = 3;
constexpr tMacroPlayMode MPM_WHILE_PRESSED = 4;

// Category ids under which profiles and the configuration register their tracked values.
using tCategoryId = int32_t;
constexpr tCategoryId kCategoryIdLimit = 33; // ids at or above this are ignored
