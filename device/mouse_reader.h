// The read of a transfer: copies the mouse's macros, profiles and mouse-wide settings into
// the configuration, feature by feature, while reporting progress. The per-profile steps
// also serve the profile import.
#pragma once

#include "device/contract.h"
#include "device/mouse_model_table.h"
#include "device/progress_messenger.h"
#include "device/transfer_steps.h"
#include "model/i_mouse_config.h"

#include <functional>
#include <vector>

struct TransferContext {
    IDevice& device;
    IMouseConfig& config;
    const MouseModelEntry& model;
    CProgressMessenger& channel;
    const std::vector<uint32_t>& buttons;
    const std::vector<int32_t>& keys;
};

class CMouseReader : private CTransferSteps {
public:
    explicit CMouseReader(const TransferContext& context) : CTransferSteps(context.model), m_c(context) {}

    // `readSecondVersion` runs for the version step whatever happened before.
    bool Read(uint32_t mask, const std::function<void()>& readSecondVersion);

    bool ReadIdentity(IProfile& device, IMouseProfile& profile);
    bool ReadDpi(IProfile& device, IMouseProfile& profile);
    bool ReadButtons(IProfile& device, IMouseProfile& profile);
    bool ReadKeys(IProfile& device, IMouseProfile& profile);
    bool ReadLighting(IProfile& device, IMouseProfile& profile);

    // The events of a macro block from the service; false for a block too short for its
    // header.
    static bool EventsOfBlock(const MacroEventBlock& block, std::vector<MacroEvent>& events);

    // The zone of a light number: 1 to 12 give 0 to 11, anything else -1.
    static tLEDType ZoneOfLight(uint32_t number);
    // Effects 1 to 5 are kept, anything else is 0.
    static tLEDEffect KnownEffect(uint32_t effect);
    // Interval code 8, 2, 1 give index 0, 1, 2; anything else -1.
    static tPollingRate PollingIndexOfCode(uint32_t code);

private:
    bool ReadMacros();
    void ReadProfiles();
    void ReadOneProfile(IProfile& device, IMouseProfile& profile, const GUID& activeId,
                        const std::u16string& prefix);
    bool ReadAcceleration();
    bool ReadPolling();
    bool ReadPowerEntries();
    bool ReadPowerReadings();
    bool ReadPowerSettings();
    bool ReadSensor();

    const TransferContext& m_c;
};
