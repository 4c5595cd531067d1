// The interface through which the configurator edits the whole configuration: profiles,
// macros, applications and the mouse-wide settings. The order of the operations is fixed
// (reserved slots included).
//
// Operations that take a trailing profile act on the active profile when it is null, and
// do nothing (returning 0 or false) when there is no active profile either.
#pragma once

#include "model/i_mouse_profile.h"
#include "model/kv_app.h"
#include "model/macro.h"

#include <string>
#include <string_view>
#include <vector>

class IMouseConfig {
public:
    virtual ~IMouseConfig() = default;

    // With a profile: that profile's defaults and the mouse-wide defaults. With none: the
    // profile on-screen display turned on everywhere, and the mouse-wide defaults.
    virtual void ResetProfile(IMouseProfile* profile) = 0; // 0
    // Clears the active profile with the list, so it never names a destroyed profile.
    virtual void DeleteAllProfiles() = 0;                                                // 1
    virtual bool SetMaxDPIStages(uint32_t count, IMouseProfile* profile) = 0;            // 2
    virtual void SetAccelerationRange(uint32_t min, uint32_t max) = 0;                   // 3
    virtual void SetPollingRates(const std::vector<uint32_t>& rates) = 0;                // 4
    virtual void SetFlashWarningRangeDefault() = 0;                                      // 5
    virtual void SetLiftOffRange(uint32_t min, uint32_t max) = 0;                        // 6
    virtual void SetDPIStageCount(uint32_t count, IMouseProfile* profile = nullptr) = 0; // 7
    virtual int GetProfileCount() const = 0;                                             // 8
    virtual int GetMacroCount() const = 0;                                               // 9
    virtual uint32_t GetMaxDPIStages(IMouseProfile* profile = nullptr) const = 0;        // 10
    virtual uint32_t GetDPIStageCount(IMouseProfile* profile = nullptr) const = 0;       // 11
    virtual int GetKeyAssignmentCount(IMouseProfile* profile = nullptr) const = 0;       // 12
    virtual int GetPollingRateCount() const = 0;                                         // 13
    // A new profile with the defaults, reporting nothing modified.
    virtual IMouseProfile* CreateProfile(std::u16string_view name) = 0;           // 14
    virtual IMouseProfile* AddCopyOfProfile(IMouseProfile* profile) = 0;          // 15
    virtual IMouseProfile* GetProfile(int index) const = 0;                       // 16
    virtual IMouseProfile* FindProfileByGUID(const GUID& guid) const = 0;         // 17
    virtual IMouseProfile* FindProfileByName(std::u16string_view name) const = 0; // 18
    // Replaces the profile by a renamed copy, which the next write sends in full. Null when
    // the name is exactly the current one.
    virtual IMouseProfile* RenameProfile(IMouseProfile* profile, std::u16string_view name) = 0; // 19
    // A copy with the null GUID (not yet on the mouse) and the new name.
    virtual IMouseProfile* CopyProfileAs(IMouseProfile* profile, std::u16string_view name) = 0;  // 20
    virtual void DeleteProfile(IMouseProfile* profile) = 0;                                      // 21
    virtual IMouseProfile* GetActiveProfile() const = 0;                                         // 22
    virtual void SetActiveProfile(IMouseProfile* profile) = 0;                                   // 23
    virtual void SetApplicationPath(IMouseProfile* profile, std::u16string_view path) = 0;       // 24
    virtual std::u16string GetApplicationPath(IMouseProfile* profile) const = 0;                 // 25
    virtual void SetApplicationLink(IMouseProfile* profile, bool on) = 0;                        // 26
    virtual bool GetApplicationLink(IMouseProfile* profile) const = 0;                           // 27
    virtual void SetProfileOSDAll(bool on) = 0;                                                  // 28
    virtual void SetProfileOSD(bool on, IMouseProfile* profile = nullptr) = 0;                   // 29
    virtual bool GetProfileOSD(IMouseProfile* profile = nullptr) const = 0;                      // 30
    virtual void SetDPIOSD(bool on, IMouseProfile* profile = nullptr) = 0;                       // 31
    virtual bool GetDPIOSD(IMouseProfile* profile = nullptr) const = 0;                          // 32
    virtual void SetStageSeparateAxes(int stage, bool on, IMouseProfile* profile = nullptr) = 0; // 33
    virtual bool GetStageSeparateAxes(int stage, IMouseProfile* profile = nullptr) const = 0;    // 34
    virtual void SetAccelerationOn(bool on) = 0;                                                 // 35
    virtual bool GetAccelerationOn() const = 0;                                                  // 36
    virtual void SetAcceleration(uint32_t level) = 0;                                            // 37
    virtual uint32_t GetAcceleration() const = 0;                                                // 38
    virtual void SetActiveStage(int stage, IMouseProfile* profile = nullptr) = 0;                // 39
    virtual int GetActiveStage(IMouseProfile* profile = nullptr) const = 0;                      // 40
    virtual void SetStageDPI(int stage, uint32_t dpi, IMouseProfile* profile = nullptr) = 0;     // 41
    virtual uint32_t GetStageDPI(int stage, IMouseProfile* profile = nullptr) const = 0;         // 42
    virtual void SetSensitivityDPI(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;          // 43
    virtual uint32_t GetSensitivityDPI(IMouseProfile* profile = nullptr) const = 0;              // 44
    virtual void SetSensitivityDPIX(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;         // 45
    virtual uint32_t GetSensitivityDPIX(IMouseProfile* profile = nullptr) const = 0;             // 46
    virtual void SetSensitivityDPIY(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;         // 47
    virtual uint32_t GetSensitivityDPIY(IMouseProfile* profile = nullptr) const = 0;             // 48
    virtual void SetTempDPI(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;                 // 49
    virtual uint32_t GetTempDPI(IMouseProfile* profile = nullptr) const = 0;                     // 50
    virtual void SetTempDPIX(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;                // 51
    virtual uint32_t GetTempDPIX(IMouseProfile* profile = nullptr) const = 0;                    // 52
    virtual void SetTempDPIY(uint32_t dpi, IMouseProfile* profile = nullptr) = 0;                // 53
    virtual uint32_t GetTempDPIY(IMouseProfile* profile = nullptr) const = 0;                    // 54
    virtual void SetSensitivitySeparateAxes(bool on, IMouseProfile* profile = nullptr) = 0;      // 55
    virtual bool GetSensitivitySeparateAxes(IMouseProfile* profile = nullptr) const = 0;         // 56
    virtual void SetTempSeparateAxes(bool on, IMouseProfile* profile = nullptr) = 0;             // 57
    virtual bool GetTempSeparateAxes(IMouseProfile* profile = nullptr) const = 0;                // 58
    virtual void SetStageDPIX(int stage, uint32_t dpi, IMouseProfile* profile = nullptr) = 0;    // 59
    virtual uint32_t GetStageDPIX(int stage, IMouseProfile* profile = nullptr) const = 0;        // 60
    virtual void SetStageDPIY(int stage, uint32_t dpi, IMouseProfile* profile = nullptr) = 0;    // 61
    virtual uint32_t GetStageDPIY(int stage, IMouseProfile* profile = nullptr) const = 0;        // 62
    virtual void SetDPIRange(uint32_t min, uint32_t max, uint32_t step,
                             IMouseProfile* profile = nullptr) = 0; // 63
    virtual bool GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step,
                             IMouseProfile* profile = nullptr) const = 0; // 64
    virtual void Reserved65(int first, int second) = 0;                   // 65
    virtual bool Reserved66() const = 0;                                  // 66
    virtual void Reserved67(int first, int second) = 0;                   // 67
    virtual bool Reserved68() const = 0;                                  // 68
    virtual void SetPollingRate(tPollingRate rate, int unused = 0) = 0;   // 69
    virtual tPollingRate GetPollingRate() const = 0;                      // 70
    virtual uint32_t GetPollingRateValue(int index) const = 0;            // 71
    virtual void SetLiftOffDistance(uint32_t distance) = 0;               // 72
    virtual uint32_t GetLiftOffDistance() const = 0;                      // 73
    virtual void SetLiftOffAutomatic(bool on) = 0;                        // 74
    virtual bool GetLiftOffAutomatic() const = 0;                         // 75
    virtual void SetSurfaceCalibration(bool on) = 0;                      // 76
    virtual bool GetSurfaceCalibration() const = 0;                       // 77
    virtual bool SetButtonAssignment(tMouseButton button, AssignmentRecord record,
                                     IMouseProfile* profile = nullptr) = 0; // 78
    virtual AssignmentRecord GetButtonAssignment(tMouseButton button,
                                                 IMouseProfile* profile = nullptr) = 0; // 79
    virtual bool HasClickAssignment(IMouseProfile* profile = nullptr) const = 0;        // 80
    virtual AssignmentRecord GetDefaultButtonAssignment(tMouseButton button) const = 0; // 81
    virtual bool SetKeyAssignment(int32_t key, AssignmentRecord record,
                                  IMouseProfile* profile = nullptr) = 0;                          // 82
    virtual AssignmentRecord GetKeyAssignment(int32_t key, IMouseProfile* profile = nullptr) = 0; // 83
    virtual AssignmentRecord GetEmptyAssignment() const = 0;                                      // 84
    virtual void SetKeyAssignmentsInUse(bool on, IMouseProfile* profile = nullptr) = 0;           // 85
    virtual bool GetKeyAssignmentsInUse(IMouseProfile* profile = nullptr) const = 0;              // 86
    virtual int GetGlobalAssignmentCount() const = 0;                                             // 87
    // Only records of kind 77 are kept; any other kind changes nothing and gives false.
    virtual bool SetGlobalAssignment(int32_t key, const AssignmentRecord& record) = 0;                 // 88
    virtual AssignmentRecord GetGlobalAssignment(int32_t key) = 0;                                     // 89
    virtual int32_t GetGlobalAssignmentKey(int n) const = 0;                                           // 90
    virtual void SetLedState(tLEDType zone, bool on, IMouseProfile* profile = nullptr) = 0;            // 91
    virtual bool GetLedState(tLEDType zone, IMouseProfile* profile = nullptr) const = 0;               // 92
    virtual void SetLedColour(tLEDType zone, uint32_t colour, IMouseProfile* profile = nullptr) = 0;   // 93
    virtual uint32_t GetLedColour(tLEDType zone, IMouseProfile* profile = nullptr) const = 0;          // 94
    virtual void SetLedEffect(tLEDType zone, tLEDEffect effect, IMouseProfile* profile = nullptr) = 0; // 95
    virtual tLEDEffect GetLedEffect(tLEDType zone, IMouseProfile* profile = nullptr) const = 0;        // 96
    virtual void SetLedBrightness(tLEDType zone, uint32_t percent,
                                  IMouseProfile* profile = nullptr) = 0;                          // 97
    virtual uint32_t GetLedBrightness(tLEDType zone, IMouseProfile* profile = nullptr) const = 0; // 98
    // Null when a macro of that name exists, ignoring case.
    virtual CMacro* AddMacro(std::u16string_view name) = 0;              // 99
    virtual void RemoveMacro(CMacro* macro) = 0;                         // 100
    virtual CMacro* FindMacroByGUID(const GUID& guid) const = 0;         // 101
    virtual CMacro* FindMacroByName(std::u16string_view name) const = 0; // 102
    virtual CMacro* GetMacro(int index) const = 0;                       // 103
    virtual void Reserved104() = 0;                                      // 104
    virtual bool Reserved105() const = 0;                                // 105
    virtual void Reserved106() = 0;                                      // 106
    virtual bool Reserved107() const = 0;                                // 107
    virtual int GetApplicationCount() const = 0;                         // 108
    // Null when an application of that name exists, ignoring case.
    virtual CKvApp* AddApplication(std::u16string_view name) = 0;              // 109
    virtual void RemoveApplication(CKvApp* app) = 0;                           // 110
    virtual CKvApp* FindApplicationByGUID(const GUID& guid) const = 0;         // 111
    virtual CKvApp* FindApplicationByName(std::u16string_view name) const = 0; // 112
    virtual CKvApp* GetApplication(int index) const = 0;                       // 113
    virtual void Reserved114(int first, int second, int third) = 0;            // 114
    virtual bool Reserved115() const = 0;                                      // 115
    virtual void Reserved116() = 0;                                            // 116
    virtual int Reserved117() const = 0;                                       // 117
    virtual void Reserved118() = 0;                                            // 118
    virtual bool Reserved119() const = 0;                                      // 119
    virtual void Reserved120() = 0;                                            // 120
    virtual bool Reserved121() const = 0;                                      // 121
    virtual void Reserved122() = 0;                                            // 122
    virtual bool Reserved123() const = 0;                                      // 123
    virtual void Reserved124() = 0;                                            // 124
    virtual int Reserved125() const = 0;                                       // 125
    virtual void Reserved126() = 0;                                            // 126
    virtual int Reserved127() const = 0;                                       // 127
    virtual void Reserved128() = 0;                                            // 128
    virtual int Reserved129() const = 0;                                       // 129
    // Picks the active profile by the name remembered in the settings file.
    virtual void LoadSettings() = 0; // 130
    // Remembers the active profile's name; false without an active profile or on a write failure.
    virtual bool SaveSettings() = 0;                                                        // 131
    virtual int LoadProfilesFromFiles() = 0;                                                // 132
    virtual bool SaveProfilesToFiles(IMouseProfile* profile) = 0;                           // 133
    virtual int Reserved134() const = 0;                                                    // 134
    virtual int Reserved135() const = 0;                                                    // 135
    virtual int Reserved136() const = 0;                                                    // 136
    virtual int Reserved137() const = 0;                                                    // 137
    virtual int Reserved138() const = 0;                                                    // 138
    virtual int Reserved139() const = 0;                                                    // 139
    virtual uint32_t GetAccelerationMin() const = 0;                                        // 140
    virtual uint32_t GetAccelerationMax() const = 0;                                        // 141
    virtual uint32_t GetLiftOffMin() const = 0;                                             // 142
    virtual uint32_t GetLiftOffMax() const = 0;                                             // 143
    virtual int Reserved144() const = 0;                                                    // 144
    virtual int Reserved145() const = 0;                                                    // 145
    virtual int GetPowerEntryCount() const = 0;                                             // 146
    virtual bool SetPowerEntryValue(int index, uint32_t value) = 0;                         // 147
    virtual bool SetPowerEntryValues(int index, uint32_t second, uint32_t key) = 0;         // 148
    virtual bool GetPowerEntryValue(int index, uint32_t& value) const = 0;                  // 149
    virtual bool GetPowerEntryValues(int index, uint32_t& second, uint32_t& key) const = 0; // 150
    // False, adding nothing, when an entry with the key exists.
    virtual bool AddPowerEntry(uint32_t value, uint32_t second, uint32_t key) = 0; // 151
    virtual bool Reserved152() const = 0;                                          // 152
    virtual void ClearPowerEntries() = 0;                                          // 153
    virtual void SetPowerValue(int32_t value) = 0;                                 // 154
    virtual int32_t GetPowerValue() const = 0;                                     // 155
    virtual uint32_t GetFlashWarningMin() const = 0;                               // 156
    virtual uint32_t GetFlashWarningMax() const = 0;                               // 157
    virtual void SetSecondFlashWarningValue(uint32_t value) = 0;                   // 158
    virtual uint32_t GetSecondFlashWarningValue() const = 0;                       // 159
    virtual void SetFlashWarningStage(uint32_t value) = 0;                         // 160
    virtual uint32_t GetFlashWarningStage() const = 0;                             // 161
    virtual void SetIdleTime(uint32_t seconds) = 0;                                // 162
    virtual uint32_t GetIdleTime() const = 0;                                      // 163
    virtual void SetReducedBrightness(uint32_t percent) = 0;                       // 164
    virtual uint32_t GetReducedBrightness() const = 0;                             // 165
    // Type 12: macro by index; type 14: application by index; anything else reports true.
    virtual bool IsElementModified(int type, int index) const = 0; // 166
    virtual bool IsCategoryModified(tCategoryId id) const = 0;     // 167
    // With a profile, that profile; without, any configuration category or any profile.
    virtual bool IsAnyModified(IMouseProfile* profile = nullptr) const = 0; // 168
    // The configuration's own values only; profiles commit themselves.
    virtual void CommitAll() = 0; // 169

protected:
    IMouseConfig() = default;
    IMouseConfig(const IMouseConfig&) = default;
    IMouseConfig& operator=(const IMouseConfig&) = default;
};
