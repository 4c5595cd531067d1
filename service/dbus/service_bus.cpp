// Object paths, lazy object creation and the signals raised for the emulator's events.
#include "service/dbus/service_bus.h"

#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

CServiceBus::CServiceBus(sdbus::IConnection& connection, std::shared_ptr<CEmulator> emulator)
    : m_connection(connection), m_emulator(std::move(emulator)) {
    m_root = sdbus::createObject(m_connection, bus::kRootPath);
    AddEnumeratorInterface(*m_root, *this);
    AddEmulatorInterface(*m_root, *this);
    m_root->finishRegistration();
    for (const std::string& serial : m_emulator->AttachedSerials()) {
        DevicePath(serial);
    }
    m_emulator->SetListener(this);
}

CServiceBus::~CServiceBus() {
    m_emulator->SetListener(nullptr);
}

std::string CServiceBus::DeviceBase(const std::string& serial) {
    return std::string(bus::kRootPath) + "/device/" + serial;
}

sdbus::IObject& CServiceBus::Add(const std::string& path) {
    auto object = sdbus::createObject(m_connection, path);
    sdbus::IObject& added = *object;
    m_objects[path] = std::move(object);
    return added;
}

std::string CServiceBus::DevicePath(const std::string& serial) {
    const std::string path = DeviceBase(serial);
    if (m_objects.count(path) != 0) {
        return path;
    }
    sdbus::IObject& object = Add(path);
    AddDeviceInterface(object, *this, serial);
    AddDeviceInfoInterface(object, *this, serial);
    AddDeviceVersionInterface(object, *this, serial);
    AddProfileManagerInterface(object, *this, serial);
    AddMacroManagerInterface(object, *this, serial);
    AddAccelerationInterface(object, *this, serial);
    AddPollingInterface(object, *this, serial);
    AddSensorInterface(object, *this, serial);
    AddRecordingInterface(object, *this, serial);
    AddDeviceEventSignals(object);
    object.finishRegistration();
    return path;
}

std::string CServiceBus::ProfilePath(const std::string& serial, const plat::GUID& id) {
    const std::string path = DevicePath(serial) + "/profile/" + GuidPathElement(id);
    if (m_objects.count(path) == 0) {
        sdbus::IObject& object = Add(path);
        AddProfileInterface(object, *this, serial, id);
        AddPropertyStoreInterface(object, *this, serial, id);
        AddDpiInterface(object, *this, serial, id);
        AddButtonsInterface(object, *this, serial, id);
        AddLightingInterface(object, *this, serial, id);
        object.finishRegistration();
    }
    return path;
}

std::string CServiceBus::LightPath(const std::string& serial, const plat::GUID& id, uint32_t index) {
    const std::string path = ProfilePath(serial, id) + "/light/" + std::to_string(index);
    if (m_objects.count(path) == 0) {
        sdbus::IObject& object = Add(path);
        AddLightInterfaces(object, *this, serial, id, index);
        object.finishRegistration();
    }
    return path;
}

std::string CServiceBus::MacroPath(const std::string& serial, const plat::GUID& id) {
    const std::string path = DevicePath(serial) + "/macro/" + GuidPathElement(id);
    if (m_objects.count(path) == 0) {
        sdbus::IObject& object = Add(path);
        AddMacroInterface(object, *this, serial, id);
        object.finishRegistration();
    }
    return path;
}

void CServiceBus::DropObjects(const std::string& path) {
    std::erase_if(m_objects, [&path](const auto& entry) {
        const std::string& candidate = entry.first;
        return candidate == path || candidate.starts_with(path + "/");
    });
}

void CServiceBus::AnnounceDevice(const char* signal, const std::string& serial, uint32_t productId) {
    for (const plat::GUID& interfaceClass : {GUID_DEVINTERFACE_HID, GUID_DEVINTERFACE_MOUSE}) {
        m_root->emitSignal(signal)
            .onInterface(bus::kEnumerator)
            .withArguments(CEmulator::DevicePath(serial, productId, interfaceClass));
    }
}

void CServiceBus::OnDeviceArrived(const std::string& serial, uint32_t productId) {
    DevicePath(serial);
    AnnounceDevice("DeviceArrived", serial, productId);
}

void CServiceBus::OnDeviceRemoved(const std::string& serial, uint32_t productId) {
    DropObjects(DeviceBase(serial));
    AnnounceDevice("DeviceRemoved", serial, productId);
}

void CServiceBus::OnMouseEvent(const std::string& serial, const MouseEvent& event) {
    const auto device = m_objects.find(DeviceBase(serial));
    if (device == m_objects.end()) {
        return;
    }
    sdbus::IObject& object = *device->second;
    switch (event.kind) {
    case MouseEvent::Kind::DpiChanged:
        object.emitSignal("DpiChanged")
            .onInterface(bus::kDpiEvents)
            .withArguments(static_cast<int32_t>(event.dpi.x), static_cast<int32_t>(event.dpi.y));
        break;
    case MouseEvent::Kind::ActiveProfileChanged:
        object.emitSignal("ActiveProfileChanged")
            .onInterface(bus::kProfileManager)
            .withArguments(GuidBytes(event.profile));
        break;
    case MouseEvent::Kind::Launch:
        object.emitSignal("Launch")
            .onInterface(bus::kApplicationLaunch)
            .withArguments(event.launchKind, TextResult(event.path));
        break;
    case MouseEvent::Kind::MemoryChanged:
        break;
    }
}
