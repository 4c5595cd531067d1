// The operations that act on a given profile or, for null, on the active profile; with
// neither they do nothing and answer 0 or false.
#include "model/corvantis_refresh_config.h"

void CCorvantisRefreshConfig::SetDPIStageCount(uint32_t count, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetDPIStageCount(count);
    }
}

uint32_t CCorvantisRefreshConfig::GetMaxDPIStages(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetMaxDPIStages() : 0;
}

uint32_t CCorvantisRefreshConfig::GetDPIStageCount(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetDPIStageCount() : 0;
}

int CCorvantisRefreshConfig::GetKeyAssignmentCount(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetKeyAssignmentCount() : 0;
}

void CCorvantisRefreshConfig::SetApplicationPath(IMouseProfile* profile, std::u16string_view path) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetApplicationPath(path);
    }
}

std::u16string CCorvantisRefreshConfig::GetApplicationPath(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetApplicationPath() : std::u16string();
}

void CCorvantisRefreshConfig::SetApplicationLink(IMouseProfile* profile, bool on) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetApplicationLink(on);
    }
}

bool CCorvantisRefreshConfig::GetApplicationLink(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetApplicationLink();
}

void CCorvantisRefreshConfig::SetProfileOSD(bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetProfileOSD(on);
    }
}

bool CCorvantisRefreshConfig::GetProfileOSD(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetProfileOSD();
}

void CCorvantisRefreshConfig::SetDPIOSD(bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetDPIOSD(on);
    }
}

bool CCorvantisRefreshConfig::GetDPIOSD(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetDPIOSD();
}

void CCorvantisRefreshConfig::SetStageSeparateAxes(int stage, bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetStageSeparateAxes(stage, on);
    }
}

bool CCorvantisRefreshConfig::GetStageSeparateAxes(int stage, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetStageSeparateAxes(stage);
}

void CCorvantisRefreshConfig::SetActiveStage(int stage, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetActiveStage(stage);
    }
}

int CCorvantisRefreshConfig::GetActiveStage(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetActiveStage() : 0;
}

void CCorvantisRefreshConfig::SetStageDPI(int stage, uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetStageDPI(stage, dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetStageDPI(int stage, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetStageDPI(stage) : 0;
}

void CCorvantisRefreshConfig::SetSensitivityDPI(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetSensitivityDPI(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetSensitivityDPI(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetSensitivityDPI() : 0;
}

void CCorvantisRefreshConfig::SetSensitivityDPIX(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetSensitivityDPIX(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetSensitivityDPIX(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetSensitivityDPIX() : 0;
}

void CCorvantisRefreshConfig::SetSensitivityDPIY(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetSensitivityDPIY(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetSensitivityDPIY(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetSensitivityDPIY() : 0;
}

void CCorvantisRefreshConfig::SetTempDPI(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetTempDPI(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetTempDPI(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetTempDPI() : 0;
}

void CCorvantisRefreshConfig::SetTempDPIX(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetTempDPIX(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetTempDPIX(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetTempDPIX() : 0;
}

void CCorvantisRefreshConfig::SetTempDPIY(uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetTempDPIY(dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetTempDPIY(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetTempDPIY() : 0;
}

void CCorvantisRefreshConfig::SetSensitivitySeparateAxes(bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetSensitivitySeparateAxes(on);
    }
}

bool CCorvantisRefreshConfig::GetSensitivitySeparateAxes(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetSensitivitySeparateAxes();
}

void CCorvantisRefreshConfig::SetTempSeparateAxes(bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetTempSeparateAxes(on);
    }
}

bool CCorvantisRefreshConfig::GetTempSeparateAxes(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetTempSeparateAxes();
}

void CCorvantisRefreshConfig::SetStageDPIX(int stage, uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetStageDPIX(stage, dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetStageDPIX(int stage, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetStageDPIX(stage) : 0;
}

void CCorvantisRefreshConfig::SetStageDPIY(int stage, uint32_t dpi, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetStageDPIY(stage, dpi);
    }
}

uint32_t CCorvantisRefreshConfig::GetStageDPIY(int stage, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetStageDPIY(stage) : 0;
}

void CCorvantisRefreshConfig::SetDPIRange(uint32_t min, uint32_t max, uint32_t step, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetDPIRange(min, max, step);
    }
}

bool CCorvantisRefreshConfig::GetDPIRange(uint32_t& min, uint32_t& max, uint32_t& step,
                                          IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetDPIRange(min, max, step);
}

bool CCorvantisRefreshConfig::SetButtonAssignment(tMouseButton button, AssignmentRecord record,
                                                  IMouseProfile* profile) {
    IMouseProfile* target = Target(profile);
    return target && target->SetButtonAssignment(button, record);
}

AssignmentRecord CCorvantisRefreshConfig::GetButtonAssignment(tMouseButton button, IMouseProfile* profile) {
    IMouseProfile* target = Target(profile);
    return target ? target->GetButtonAssignment(button) : AssignmentRecord{};
}

bool CCorvantisRefreshConfig::HasClickAssignment(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->HasClickAssignment();
}

bool CCorvantisRefreshConfig::SetKeyAssignment(int32_t key, AssignmentRecord record, IMouseProfile* profile) {
    IMouseProfile* target = Target(profile);
    return target && target->SetKeyAssignment(key, record);
}

AssignmentRecord CCorvantisRefreshConfig::GetKeyAssignment(int32_t key, IMouseProfile* profile) {
    IMouseProfile* target = Target(profile);
    return target ? target->GetKeyAssignment(key) : AssignmentRecord{};
}

void CCorvantisRefreshConfig::SetKeyAssignmentsInUse(bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetKeyAssignmentsInUse(on);
    }
}

bool CCorvantisRefreshConfig::GetKeyAssignmentsInUse(IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetKeyAssignmentsInUse();
}

void CCorvantisRefreshConfig::SetLedState(tLEDType zone, bool on, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetLedState(zone, on);
    }
}

bool CCorvantisRefreshConfig::GetLedState(tLEDType zone, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target && target->GetLedState(zone);
}

void CCorvantisRefreshConfig::SetLedColour(tLEDType zone, uint32_t colour, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetLedColour(zone, colour);
    }
}

uint32_t CCorvantisRefreshConfig::GetLedColour(tLEDType zone, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetLedColour(zone) : 0;
}

void CCorvantisRefreshConfig::SetLedEffect(tLEDType zone, tLEDEffect effect, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetLedEffect(zone, effect);
    }
}

tLEDEffect CCorvantisRefreshConfig::GetLedEffect(tLEDType zone, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetLedEffect(zone) : 0;
}

void CCorvantisRefreshConfig::SetLedBrightness(tLEDType zone, uint32_t percent, IMouseProfile* profile) {
    if (IMouseProfile* target = Target(profile)) {
        target->SetLedBrightness(zone, percent);
    }
}

uint32_t CCorvantisRefreshConfig::GetLedBrightness(tLEDType zone, IMouseProfile* profile) const {
    const IMouseProfile* target = Target(profile);
    return target ? target->GetLedBrightness(zone) : 0;
}
