// Translation between the configurator's button assignments and the device service's
// function records: which device flag names which button, and the template record of each
// assignment kind. One process-wide read-only table, built on first use.
#pragma once

#include "device/contract.h"
#include "model/model_types.h"

#include <array>
#include <map>

// Function types of the records this table produces or recognises.
enum : uint32_t {
    kFunctionBasic = 1,
    kFunctionProfile = 3,
    kFunctionDpi = 4,
    kFunctionKey = 5,
    kFunctionAdvanced = 6,
    kFunctionUnmatched7 = 7,
    kFunctionMacro = 8,
    kFunctionLaunch = 9,
    kFunctionUnmatched10 = 10,
    kFunctionJoystick = 11,
    kFunctionKeymap = 12,
};

class CFunctionRecordTable {
public:
    // The table; built on the first call, never changed afterwards.
    static const CFunctionRecordTable& Instance();

    // 0 for a button the device does not name.
    uint32_t FlagOfButton(tMouseButton button) const;
    // MB_NULL for a flag that names no button.
    tMouseButton ButtonOfFlag(uint32_t flag) const;

    // The record that carries `record` for `button`. A kind without a template goes out as
    // a record holding only the button flag.
    FunctionRecord RecordFromAssignment(tMouseButton button, const AssignmentRecord& record) const;
    // The button and assignment a record describes; false (nothing changed) when its flag
    // names no button. A record matching no template gives kind -1.
    bool AssignmentFromRecord(const FunctionRecord& record, tMouseButton& button,
                              AssignmentRecord& assignment) const;

    // The lowest kind whose template matches, or -1.
    tAssignType MatchKind(const FunctionRecord& record) const;

    // Play-mode byte of the device for a configurator play mode, and back.
    static uint8_t PlayModeToDevice(int32_t mode);
    static int32_t PlayModeFromDevice(uint8_t mode);

private:
    CFunctionRecordTable();
    bool Matches(const FunctionRecord& tmpl, const FunctionRecord& record) const;

    std::map<tAssignType, FunctionRecord> m_templates;
    std::map<int32_t, uint32_t> m_flagOfButton;
};
