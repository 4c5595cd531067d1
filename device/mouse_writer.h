// The write of a transfer: brings the mouse in line with what changed in the configuration
// (stale profiles removed, new ones created, then per-feature writes of changed values),
// reporting progress, and commits everything at the end.
#pragma once

#include "device/mouse_reader.h"

class CMouseWriter : private CTransferSteps {
public:
    explicit CMouseWriter(const TransferContext& context) : CTransferSteps(context.model), m_c(context) {}

    bool Write(uint32_t mask);

    bool WriteIdentity(IProfile& device, IMouseProfile& profile);
    bool WriteDpi(IProfile& device, IMouseProfile& profile);
    bool WriteButtons(IProfile& device, IMouseProfile& profile);
    bool WriteKeys(IProfile& device, IMouseProfile& profile);
    bool WriteLighting(IProfile& device, IMouseProfile& profile);

    // Polling index 0, 1, 2 give interval code 8, 2, 1; false for any other index.
    static bool PollingCodeOfIndex(tPollingRate index, uint32_t& code);

private:
    void WriteProfiles();
    bool RemoveStaleProfiles(IProfileManager& manager);
    bool DeleteProfile(IProfileManager& manager, IProfile& profile);
    bool SyncProfile(IProfileManager& manager, IMouseProfile& profile);
    void WriteOneProfile(IProfile& device, IMouseProfile& profile, const std::u16string& prefix);
    bool WriteAcceleration();
    bool WritePolling();
    bool WriteMacros();
    bool WriteOneMacro(IMacroManager& manager, CMacro& macro);
    bool WritePowerEntries();
    bool WritePowerSettings();
    bool WriteSensor();
    bool WriteActiveProfile();

    const TransferContext& m_c;
};
