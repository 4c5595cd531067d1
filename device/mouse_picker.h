// The choice object: one candidate per supported model, in table order; it picks the
// attached model before every transfer, replaces its mouse when another supported model
// is attached, and tells the application through the arrival callback.
#pragma once

#include "device/i_gen_device.h"
#include "device/mouse.h"

#include <functional>
#include <memory>
#include <vector>

class CMousePicker : public IGenDevice {
public:
    // Called with the new device object, or none when no supported mouse is reachable.
    using ArrivalCallback = std::function<void(IGenDevice* device, void* userData)>;

    CMousePicker(DeviceEnumeratorFactory factory, ArrivalCallback callback, void* userData);
    ~CMousePicker() override;
    CMousePicker(const CMousePicker&) = delete;
    CMousePicker& operator=(const CMousePicker&) = delete;

    bool Initialize(IMouseConfig* config) override;
    void Reserved1() override {}
    bool IsBusy() override;
    bool ImportMacro(std::u16string_view path, IMouseConfig* config) override;
    bool ExportMacro(std::u16string_view path, CMacro* macro) override;
    bool HasMacroOnDevice(CMacro* macro) override;
    bool ImportProfile(std::u16string_view path, IMouseConfig* config) override;
    bool ExportProfile(std::u16string_view path, IMouseProfile* profile) override;
    bool HasProfileOnDevice(IMouseProfile* profile) override;
    bool Reserved9() override;
    bool Reserved10() override;
    bool Reserved11() override;
    bool Transfer(IMouseConfig* config, int mode, uint32_t mask) override;
    bool IsConnected() override;
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetOtherVersion(std::u16string& text) override;
    bool GetOptionalValue() override;
    bool HasOptionalInterface(int argument) override;
    uint32_t GetProductId() override;
    std::u16string GetDisplayName() override;
    int GetDeviceProfileCount() override;
    void AddProgressObserver(plat::HWND window) override;
    void RemoveProgressObserver(plat::HWND window) override;
    CProgressMessenger* GetProgressChannel() override;

    // The mouse in use, or none.
    CMouse* CurrentMouse() const;

private:
    struct Candidate {
        const MouseModelEntry* model;
        std::unique_ptr<CMouse> mouse;
    };

    bool Pick();
    CMouse* MakeMouse(Candidate& candidate);

    DeviceEnumeratorFactory m_factory;
    ArrivalCallback m_callback;
    void* m_userData;
    std::vector<Candidate> m_candidates;
    Candidate* m_current = nullptr;
};
