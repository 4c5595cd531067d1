// The interface through which the rest of the programs use a profile. The order of the
// operations is fixed (reserved slots included) and is the order every implementation
// keeps. Stage numbers are 1-based; DPI values are unsigned.
#pragma once

#include "model/model_types.h"

#include <string>
#include <string_view>
#include <vector>

class IMouseProfile {
public:
    virtual ~IMouseProfile() = default;

    virtual bool SetMaxDPIStages(uint32_t count) = 0;                                 // 0
    virtual uint32_t GetMaxDPIStages() const = 0;                                     // 1
    virtual uint32_t GetDPIStageCount() const = 0;                                    // 2
    virtual int GetKeyAssignmentCount() const = 0;                                    // 3
    virtual void SetDPIStageCount(uint32_t count) = 0;                                // 4
    virtual void Reserved5() = 0;                                                     // 5
    virtual const std::u16string& GetName() const = 0;                                // 6
    virtual GUID GetGUID() const = 0;                                                 // 7
    virtual bool HasFilePath() const = 0;                                             // 8
    virtual void SetName(std::u16string_view name) = 0;                               // 9
    virtual void SetGUID(const GUID& guid) = 0;                                       // 10
    virtual const std::u16string& GetApplicationName() const = 0;                     // 11
    virtual void SetApplicationName(std::u16string_view name) = 0;                    // 12
    virtual const std::u16string& GetFilePath() const = 0;                            // 13
    virtual const std::u16string& GetApplicationPath() const = 0;                     // 14
    virtual void SetApplicationPath(std::u16string_view path) = 0;                    // 15
    virtual void SetApplicationLink(bool on) = 0;                                     // 16
    virtual bool GetApplicationLink() const = 0;                                      // 17
    virtual void SetDPIOSD(bool on) = 0;                                              // 18
    virtual bool GetDPIOSD() const = 0;                                               // 19
    virtual void SetProfileOSD(bool on) = 0;                                          // 20
    virtual bool GetProfileOSD() const = 0;                                           // 21
    virtual void SetStageSeparateAxes(int stage, bool on) = 0;                        // 22
    virtual bool GetStageSeparateAxes(int stage) const = 0;                           // 23
    virtual void SetActiveStage(int stage) = 0;                                       // 24
    virtual int GetActiveStage() const = 0;                                           // 25
    virtual void SetStageDPI(int stage, uint32_t dpi) = 0;                            // 26
    virtual uint32_t GetStageDPI(int stage) const = 0;                                // 27
    virtual void SetStageDPIX(int stage, uint32_t dpi) = 0;                           // 28
    virtual uint32_t GetStageDPIX(int stage) const = 0;                               // 29
    virtual void SetStageDPIY(int stage, uint32_t dpi) = 0;                           // 30
    virtual uint32_t GetStageDPIY(int stage) const = 0;                               // 31
    virtual void SetSensitivityDPI(uint32_t dpi) = 0;                                 // 32
    virtual uint32_t GetSensitivityDPI() const = 0;                                   // 33
    virtual void SetSensitivityDPIX(uint32_t dpi) = 0;                                // 34
    virtual uint32_t GetSensitivityDPIX() const = 0;                                  // 35
    virtual void SetSensitivityDPIY(uint32_t dpi) = 0;                                // 36
    virtual uint32_t GetSensitivityDPIY() const = 0;                                  // 37
    virtual void SetSensitivitySeparateAxes(bool on) = 0;                             // 38
    virtual bool GetSensitivitySeparateAxes() const = 0;                              // 39
    virtual void SetTempDPI(uint32_t dpi) = 0;                                        // 40
    virtual uint32_t GetTempDPI() const = 0;                                          // 41
    virtual void SetTempDPIX(uint32_t dpi) = 0;                                       // 42
    virtual uint32_t GetTempDPIX() const = 0;                                         // 43
    virtual void SetTempDPIY(uint32_t dpi) = 0;                                       // 44
    virtual uint32_t GetTempDPIY() const = 0;                                         // 45
    virtual void SetTempSeparateAxes(bool on) = 0;                                    // 46
    virtual bool GetTempSeparateAxes() const = 0;                                     // 47
    virtual void SetDPIRange(uint32_t min, uint32_t max, uint32_t step) = 0;          // 48
    virtual bool GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step) const = 0; // 49
    virtual void SetLedState(tLEDType zone, bool on) = 0;                             // 50
    virtual bool GetLedState(tLEDType zone) const = 0;                                // 51
    virtual void SetLedColour(tLEDType zone, uint32_t colour) = 0;                    // 52
    virtual uint32_t GetLedColour(tLEDType zone) const = 0;                           // 53
    virtual void SetLedEffect(tLEDType zone, tLEDEffect effect) = 0;                  // 54
    virtual tLEDEffect GetLedEffect(tLEDType zone) const = 0;                         // 55
    virtual void SetLedBrightness(tLEDType zone, uint32_t percent) = 0;               // 56
    virtual uint32_t GetLedBrightness(tLEDType zone) const = 0;                       // 57
    virtual void Reserved58(int value) = 0;                                           // 58
    virtual int Reserved59() const = 0;                                               // 59
    // False, and nothing changes, when the button may not carry the record's kind.
    virtual bool SetButtonAssignment(tMouseButton button, const AssignmentRecord& record) = 0; // 60
    // An absent button reads as "no assignment" and from then on is tracked as such.
    virtual AssignmentRecord GetButtonAssignment(tMouseButton button) = 0;                             // 61
    virtual bool HasClickAssignment() const = 0;                                                       // 62
    virtual bool SetKeyAssignment(int32_t key, const AssignmentRecord& record) = 0;                    // 63
    virtual AssignmentRecord GetKeyAssignment(int32_t key) = 0;                                        // 64
    virtual void SetKeyAssignmentsInUse(bool on) = 0;                                                  // 65
    virtual bool GetKeyAssignmentsInUse() const = 0;                                                   // 66
    virtual bool IsAssignmentAllowed(tAssignType kind, tMouseButton button) const = 0;                 // 67
    virtual void GetAllowedAssignments(std::vector<tAssignType>& list, tMouseButton button) const = 0; // 68
    virtual void Reserved69(int first, int second) = 0;                                                // 69
    virtual bool Reserved70() const = 0;                                                               // 70
    // Profiles live in the mouse, not in files: both always report failure.
    virtual bool SaveToFile(std::u16string_view name, std::u16string_view directory,
                            std::u16string_view extension) = 0; // 71
    virtual bool LoadFromFile(std::u16string_view name, std::u16string_view directory,
                              std::u16string_view extension) = 0;                     // 72
    virtual bool IsButtonAssignmentModified(bool all, tMouseButton button) const = 0; // 73
    virtual bool IsElementModified(int type, int index) const = 0;                    // 74
    virtual bool IsLedModified(int type, tLEDType zone) const = 0;                    // 75
    virtual bool IsCategoryModified(tCategoryId id) const = 0;                        // 76
    virtual bool IsAnyModified() const = 0;                                           // 77
    virtual void CommitAll() = 0;                                                     // 78

protected:
    IMouseProfile() = default;
    IMouseProfile(const IMouseProfile&) = default;
    IMouseProfile& operator=(const IMouseProfile&) = default;
};
