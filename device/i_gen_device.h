// The device interface through which the configurator reaches the mouse in use, whatever
// stands behind it: a real mouse, the picker that chooses one, or the no-device mouse.
// The order of the operations is fixed (reserved slots included).
#pragma once

#include "model/i_mouse_config.h"
#include "platform/core/messages.h"

#include <cstdint>
#include <string>
#include <string_view>

class CProgressMessenger;

// Transfer modes.
enum : int {
    kTransferWrite = 0,
    kTransferRead = 1,
};

class IGenDevice {
public:
    virtual ~IGenDevice() = default;

    virtual bool Initialize(IMouseConfig* config) = 0;                                // 0
    virtual void Reserved1() = 0;                                                     // 1
    virtual bool IsBusy() = 0;                                                        // 2
    virtual bool ImportMacro(std::u16string_view path, IMouseConfig* config) = 0;     // 3
    virtual bool ExportMacro(std::u16string_view path, CMacro* macro) = 0;            // 4
    virtual bool HasMacroOnDevice(CMacro* macro) = 0;                                 // 5
    virtual bool ImportProfile(std::u16string_view path, IMouseConfig* config) = 0;   // 6
    virtual bool ExportProfile(std::u16string_view path, IMouseProfile* profile) = 0; // 7
    virtual bool HasProfileOnDevice(IMouseProfile* profile) = 0;                      // 8
    virtual bool Reserved9() = 0;                                                     // 9
    virtual bool Reserved10() = 0;                                                    // 10
    virtual bool Reserved11() = 0;                                                    // 11
    virtual bool Transfer(IMouseConfig* config, int mode, uint32_t mask) = 0;         // 12
    virtual bool IsConnected() = 0;                                                   // 13
    virtual bool GetFirmwareVersion(std::u16string& text) = 0;                        // 14
    virtual bool GetOtherVersion(std::u16string& text) = 0;                           // 15
    virtual bool GetOptionalValue() = 0;                                              // 16
    virtual bool HasOptionalInterface(int argument) = 0;                              // 17
    virtual uint32_t GetProductId() = 0;                                              // 18
    virtual std::u16string GetDisplayName() = 0;                                      // 19
    virtual int GetDeviceProfileCount() = 0;                                          // 20
    virtual void AddProgressObserver(plat::HWND window) = 0;                          // 21
    virtual void RemoveProgressObserver(plat::HWND window) = 0;                       // 22
    virtual CProgressMessenger* GetProgressChannel() = 0;                             // 23

protected:
    IGenDevice() = default;
    IGenDevice(const IGenDevice&) = default;
    IGenDevice& operator=(const IGenDevice&) = default;
};
