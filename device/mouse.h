// One attached mouse of a known model: prepares the configuration from it, reads it
// synchronously, writes it on a worker thread, imports and exports files through the
// service, and reports its product id, name and versions.
#pragma once

#include "device/base_device.h"
#include "device/i_gen_device.h"

class CMouse : public IGenDevice, public CBaseDevice {
public:
    CMouse(const MouseModelEntry& model, DeviceEnumeratorFactory factory);
    ~CMouse() override;

    bool Initialize(IMouseConfig* config) override;
    void Reserved1() override {}
    bool IsBusy() override { return Busy(); }
    bool ImportMacro(std::u16string_view path, IMouseConfig* config) override;
    bool ExportMacro(std::u16string_view path, CMacro* macro) override;
    bool HasMacroOnDevice(CMacro* macro) override;
    bool ImportProfile(std::u16string_view path, IMouseConfig* config) override;
    bool ExportProfile(std::u16string_view path, IMouseProfile* profile) override;
    bool HasProfileOnDevice(IMouseProfile* profile) override;
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    bool Transfer(IMouseConfig* config, int mode, uint32_t mask) override;
    bool IsConnected() override { return Connected(); }
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetOtherVersion(std::u16string& text) override;
    bool GetOptionalValue() override { return OptionalValue(); }
    bool HasOptionalInterface(int argument) override;
    uint32_t GetProductId() override { return Model().productId; }
    std::u16string GetDisplayName() override { return std::u16string(Model().displayName); }
    int GetDeviceProfileCount() override { return DeviceProfileCount(); }
    void AddProgressObserver(plat::HWND window) override { AddObserver(window); }
    void RemoveProgressObserver(plat::HWND window) override { RemoveObserver(window); }
    CProgressMessenger* GetProgressChannel() override { return this; }

    // Asks the device's version interface for the firmware version; always true.
    bool ReadFirmwareVersion();

    const std::vector<uint32_t>& ButtonFlags() const { return m_buttons; }

private:
    bool PrepareProfiles(IMouseConfig& config);
    bool ReadDeviceLists();
    bool PrepareSettings(IMouseConfig& config);
    bool ReadVersions();
    bool Read(IMouseConfig& config, uint32_t mask);
    void ReadFirmwareVersionConnected();
    static bool ReadDpiLimits(IProfile& device, IMouseConfig& config, IMouseProfile& profile);
};
