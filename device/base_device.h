// The connection to the mouse and the transfers every model shares: opening a connection
// per operation, the busy flag and the write worker, the version texts, the key and button
// lists, and the macro and profile file operations that need no model knowledge.
#pragma once

#include "device/contract.h"
#include "device/mouse_model_table.h"
#include "device/progress_messenger.h"
#include "model/i_mouse_config.h"
#include "platform/core/thread.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CBaseDevice : public CProgressMessenger {
public:
    CBaseDevice(const MouseModelEntry& model, DeviceEnumeratorFactory factory);
    ~CBaseDevice() override;
    CBaseDevice(const CBaseDevice&) = delete;
    CBaseDevice& operator=(const CBaseDevice&) = delete;

    // Disconnects and drops the key list.
    virtual void ReleaseConnectionState();
    virtual bool ImportMacroFile(std::u16string_view path, IMouseConfig* config);
    virtual bool ExportMacroFile(std::u16string_view path, CMacro* macro);
    virtual bool MacroPresent(CMacro* macro);
    virtual bool ExportProfileFile(std::u16string_view path, IMouseProfile* profile);
    virtual bool ProfilePresent(IMouseProfile* profile);
    virtual int DeviceProfileCount();
    virtual bool Busy() const { return m_busy; }
    virtual bool Connected() const { return m_connected; }
    virtual bool OptionalValue();

    const MouseModelEntry& Model() const { return m_model; }

    // "0.00": what a version reads as when the device cannot tell.
    static std::u16string UnknownVersion();
    static std::u16string VersionText(uint32_t major, uint32_t minor);

protected:
    // Opens a connection to the first attached device of the model's product id. Fails
    // when one is already open: connections do not nest.
    bool Connect();
    void Disconnect();
    // The connected device; only valid between Connect and Disconnect.
    IDevice* Device() const { return m_device.get(); }

    // Runs `write` on the worker thread with the connection this thread opened, pauses
    // 500 ms, closes the connection and clears busy last. False, starting nothing, when a
    // write runs anywhere in the process or the connection cannot be opened.
    bool StartWrite(IMouseConfig* config, uint32_t mask,
                    std::function<bool(IDevice&, IMouseConfig&, uint32_t)> write);
    // Waits for a running write: up to 7500 ms, then, since the worker still uses this
    // object, until it has ended.
    void WaitForWorker();

    std::u16string m_firmwareVersion{UnknownVersion()};
    std::u16string m_otherVersion{UnknownVersion()};
    std::vector<int32_t> m_keys;
    std::vector<uint32_t> m_buttons;
    std::atomic<bool> m_busy{false};

private:
    const MouseModelEntry& m_model;
    DeviceEnumeratorFactory m_factory;
    std::mutex m_connectionLock;
    std::shared_ptr<IDeviceEnumerator> m_enumerator;
    std::shared_ptr<IDevice> m_device;
    std::atomic<bool> m_connected{false};
    std::unique_ptr<plat::Thread> m_worker;
};

// Opens a connection for the scope of one operation and closes it at its end.
class CConnectionScope {
public:
    explicit CConnectionScope(bool opened, std::function<void()> close)
        : m_opened(opened), m_close(std::move(close)) {}
    ~CConnectionScope() {
        if (m_opened) {
            m_close();
        }
    }
    CConnectionScope(const CConnectionScope&) = delete;
    CConnectionScope& operator=(const CConnectionScope&) = delete;
    explicit operator bool() const { return m_opened; }

private:
    bool m_opened;
    std::function<void()> m_close;
};
