// Base of the in-process contract objects: each names a mouse by its serial number (and a
// profile, light or macro by its GUID or index) and resolves it on every call, so an object
// outliving its profile or mouse answers E_NOT_FOUND instead of touching freed memory.
#pragma once

#include "device/contract.h"
#include "service/emulator.h"
#include "service/memory_rules.h"

#include <functional>
#include <memory>
#include <string>

struct LocalContext {
    std::shared_ptr<CEmulator> emulator;
    std::string serial;
};

class LocalMouseObject {
protected:
    explicit LocalMouseObject(LocalContext context) : m_context(std::move(context)) {}

    HRESULT Read(const std::function<HRESULT(const EmulatedMouse&)>& read) const;
    HRESULT Change(const std::function<HRESULT(MouseMemory&, const ModelDescriptor&)>& change) const;
    HRESULT
    ReadProfile(const plat::GUID& id,
                const std::function<HRESULT(const ProfileMemory&, const ModelDescriptor&)>& read) const;
    HRESULT ChangeProfile(const plat::GUID& id,
                          const std::function<HRESULT(ProfileMemory&, const ModelDescriptor&)>& change) const;
    HRESULT AdviseOn(const plat::GUID& offered, const plat::GUID& eventIid, std::shared_ptr<IEventSink> sink,
                     uint32_t& cookie) const;
    HRESULT UnadviseOn(const plat::GUID& offered, const plat::GUID& eventIid, uint32_t cookie) const;

    const LocalContext& Context() const { return m_context; }

private:
    LocalContext m_context;
};

// Hands `object` out as a plain service object when `iid` is one of the interfaces it has.
template <class T> HRESULT Offer(const std::shared_ptr<T>& object, std::shared_ptr<IServiceObject>& out) {
    out = std::static_pointer_cast<IServiceObject>(object);
    return S_OK;
}

// Factories shared between the object files.
std::shared_ptr<IDevice> MakeLocalDevice(const LocalContext& context);
std::shared_ptr<IProfileManager> MakeLocalProfileManager(const LocalContext& context);
std::shared_ptr<IProfile> MakeLocalProfile(const LocalContext& context, const plat::GUID& id);
std::shared_ptr<IServiceObject> MakeLocalProfileFeature(const LocalContext& context, const plat::GUID& id,
                                                        const plat::GUID& iid);
std::shared_ptr<IMacroManager> MakeLocalMacroManager(const LocalContext& context);
std::shared_ptr<IServiceObject> MakeLocalDeviceSetting(const LocalContext& context, const plat::GUID& iid,
                                                       const ModelDescriptor& model);

// File helpers for import and export.
HRESULT ReadImportFile(const std::u16string& path, std::string& text);
HRESULT WriteExportFile(const std::u16string& path, const std::string& text);
