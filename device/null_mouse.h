// The device object used when no supported mouse can be reached: it fills the
// configuration with placeholder profiles and answers every operation without a device.
#pragma once

#include "device/i_gen_device.h"
#include "device/progress_messenger.h"

class CNullMouse : public IGenDevice {
public:
    static constexpr int kProfileCount = 20;

    bool Initialize(IMouseConfig* config) override;
    void Reserved1() override {}
    bool IsBusy() override { return false; }
    bool ImportMacro(std::u16string_view, IMouseConfig*) override { return true; }
    bool ExportMacro(std::u16string_view, CMacro*) override { return true; }
    bool HasMacroOnDevice(CMacro*) override { return true; }
    bool ImportProfile(std::u16string_view, IMouseConfig*) override { return true; }
    bool ExportProfile(std::u16string_view, IMouseProfile*) override { return true; }
    bool HasProfileOnDevice(IMouseProfile*) override { return true; }
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    // Reports 0 percent, pauses 5 ms and fails.
    bool Transfer(IMouseConfig* config, int mode, uint32_t mask) override;
    bool IsConnected() override { return true; }
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetOtherVersion(std::u16string& text) override;
    bool GetOptionalValue() override { return true; }
    bool HasOptionalInterface(int argument) override { return argument != 0; }
    uint32_t GetProductId() override { return 0; }
    std::u16string GetDisplayName() override { return u"NullMouse"; }
    int GetDeviceProfileCount() override { return kProfileCount; }
    void AddProgressObserver(plat::HWND window) override { m_channel.AddObserver(window); }
    void RemoveProgressObserver(plat::HWND window) override { m_channel.RemoveObserver(window); }
    CProgressMessenger* GetProgressChannel() override { return &m_channel; }

    // The five further operations of the no-device mouse.
    int Extra25() { return 5; }
    bool Extra26(int) { return true; }
    bool Extra27(int) { return true; }
    bool Extra28(int) { return true; }
    bool Extra29(int) { return true; }

    // The fixed GUID of placeholder profile `index` (0 to 19).
    static GUID PlaceholderGuid(int index);

private:
    CProgressMessenger m_channel;
};
