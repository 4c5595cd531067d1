// The daemon's objects on the bus. Device objects exist while their mouse is attached;
// profile, light and macro objects are made when a path to them is first handed out (or at
// attachment) and dropped when the profile, macro or mouse goes. Every object forwards to
// the in-process service objects, so the bus adds marshalling and nothing else.
#pragma once

#include "service/emulator.h"
#include "service/local_mouse_object.h"

#include <sdbus-c++/sdbus-c++.h>

#include <map>
#include <memory>
#include <string>

class CServiceBus : public EmulatorListener {
public:
    CServiceBus(sdbus::IConnection& connection, std::shared_ptr<CEmulator> emulator);
    ~CServiceBus() override;

    // Paths of the objects, creating them on first use.
    std::string DevicePath(const std::string& serial);
    std::string ProfilePath(const std::string& serial, const plat::GUID& id);
    std::string LightPath(const std::string& serial, const plat::GUID& id, uint32_t index);
    std::string MacroPath(const std::string& serial, const plat::GUID& id);

    // Drops the objects at `path` and below.
    void DropObjects(const std::string& path);

    CEmulator& Emulator() { return *m_emulator; }
    LocalContext ContextOf(const std::string& serial) const { return {m_emulator, serial}; }

    void OnDeviceArrived(const std::string& serial, uint32_t productId) override;
    void OnDeviceRemoved(const std::string& serial, uint32_t productId) override;
    void OnMouseEvent(const std::string& serial, const MouseEvent& event) override;

private:
    sdbus::IObject& Add(const std::string& path);
    static std::string DeviceBase(const std::string& serial);
    void AnnounceDevice(const char* signal, const std::string& serial, uint32_t productId);

    sdbus::IConnection& m_connection;
    std::shared_ptr<CEmulator> m_emulator;
    std::unique_ptr<sdbus::IObject> m_root;
    std::map<std::string, std::unique_ptr<sdbus::IObject>> m_objects;
};
