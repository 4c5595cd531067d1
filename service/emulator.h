// The set of emulated mice the service drives: which are attached, their memories, and the
// delivery of their events to subscribed sinks and listeners. Thread-safe: one lock guards
// the mice; events are delivered after the lock is released, on the calling thread.
#pragma once

#include "service/emulated_mouse.h"
#include "service/mouse_store.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Told about attachment and every mouse event (the D-Bus layer turns them into signals).
class EmulatorListener {
public:
    virtual ~EmulatorListener() = default;
    virtual void OnDeviceArrived(const std::string& serial, uint32_t productId) = 0;
    virtual void OnDeviceRemoved(const std::string& serial, uint32_t productId) = 0;
    virtual void OnMouseEvent(const std::string& serial, const MouseEvent& event) = 0;
};

class CEmulator {
public:
    struct Options {
        // Where memories persist; empty keeps everything in memory only.
        std::string stateFolder;
        // Attach one refresh mouse when no attached list was ever saved.
        bool attachDefaultMouse = true;
        // Called, under the emulator's lock, with the memory of the first attached mouse of
        // a model whenever that memory changes or the mouse is attached.
        std::function<bool(const ModelDescriptor&, const MouseMemory&)> tableWriter;
    };

    explicit CEmulator(Options options);
    ~CEmulator();

    std::vector<std::string> AttachedSerials() const;

    // Attaches a mouse of `productId`: the first serial of that model not attached now, so
    // a mouse unplugged earlier comes back with its memory.
    HRESULT Plug(uint32_t productId, std::string& serial);
    HRESULT Unplug(const std::string& serial);

    // Runs `action` on an attached mouse under the lock, then delivers the events it raised.
    // E_NOT_FOUND when the mouse is not attached.
    HRESULT WithMouse(const std::string& serial, const std::function<HRESULT(EmulatedMouse&)>& action);

    // Event sinks of one mouse (the contract's connection points).
    HRESULT Advise(const std::string& serial, const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink,
                   uint32_t& cookie);
    HRESULT Unadvise(const std::string& serial, const plat::GUID& eventIid, uint32_t cookie);

    void SetListener(EmulatorListener* listener);

    // "\\?\HID#VID_2B4C&PID_002F#<serial>#{class}" for a mouse and a device-interface class.
    static std::string DevicePath(const std::string& serial, uint32_t productId,
                                  const plat::GUID& interfaceClass);

private:
    struct Sink {
        std::string serial;
        plat::GUID eventIid;
        std::shared_ptr<IEventSink> sink;
    };
    struct Pending {
        std::string serial;
        MouseEvent event;
    };

    EmulatedMouse* Find(const std::string& serial);
    HRESULT PlugLocked(uint32_t productId, const std::string& serial);
    void SaveAttachedLocked() const;
    void WriteTableLocked(const EmulatedMouse& mouse);
    void Deliver(const std::vector<Pending>& events);

    Options m_options;
    std::unique_ptr<MouseStore> m_store;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<EmulatedMouse>> m_mice;
    std::mutex m_sinkMutex;
    std::map<uint32_t, Sink> m_sinks;
    uint32_t m_nextCookie = 1;
    EmulatorListener* m_listener = nullptr;
    // What each model's table last showed, so that changes it does not show cost nothing.
    std::map<uint32_t, std::u16string> m_tableImages;
};
