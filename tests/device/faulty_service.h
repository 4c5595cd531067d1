// Wraps a service so that one per-profile feature of chosen profiles fails, to prove
// what a transfer does after a failed step.
#pragma once

#include "device/contract.h"

#include <memory>
#include <set>

struct Fault {
    plat::GUID feature;        // the per-profile interface id that fails
    std::set<uint32_t> onlyAt; // device profile indexes it fails for
    bool macroEvents = false;  // the events of every macro cannot be read
};

class EventlessMacro : public IMacro {
public:
    explicit EventlessMacro(std::shared_ptr<IMacro> inner) : m_inner(std::move(inner)) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT GetGuid(plat::GUID& id) override { return m_inner->GetGuid(id); }
    HRESULT GetName(std::u16string& name) override { return m_inner->GetName(name); }
    HRESULT SetName(const std::u16string& name) override { return m_inner->SetName(name); }
    HRESULT ExportToFile(const std::u16string& path) override { return m_inner->ExportToFile(path); }
    HRESULT GetEvents(MacroEventBlock&) override { return E_FAIL; }
    HRESULT SetEvents(const MacroEventBlock& block) override { return m_inner->SetEvents(block); }

private:
    std::shared_ptr<IMacro> m_inner;
};

class EventlessMacroManager : public IMacroManager {
public:
    explicit EventlessMacroManager(std::shared_ptr<IMacroManager> inner) : m_inner(std::move(inner)) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT GetMacro(uint32_t index, std::shared_ptr<IMacro>& macro) override {
        return Wrap(m_inner->GetMacro(index, macro), macro);
    }
    HRESULT FindMacro(const plat::GUID& id, std::shared_ptr<IMacro>& macro) override {
        return Wrap(m_inner->FindMacro(id, macro), macro);
    }
    HRESULT CreateMacro(std::shared_ptr<IMacro>& macro) override {
        return Wrap(m_inner->CreateMacro(macro), macro);
    }
    HRESULT DeleteMacro(IMacro& macro) override { return m_inner->DeleteMacro(macro); }
    HRESULT GetMacroCount(uint32_t& count) override { return m_inner->GetMacroCount(count); }
    HRESULT ImportMacro(const std::u16string& path, std::shared_ptr<IMacro>& macro) override {
        return Wrap(m_inner->ImportMacro(path, macro), macro);
    }

private:
    static HRESULT Wrap(HRESULT hr, std::shared_ptr<IMacro>& macro) {
        if (SUCCEEDED(hr) && macro) {
            macro = std::make_shared<EventlessMacro>(macro);
        }
        return hr;
    }
    std::shared_ptr<IMacroManager> m_inner;
};

class FaultyProfile : public IProfile {
public:
    FaultyProfile(std::shared_ptr<IProfile> inner, bool failing, plat::GUID feature)
        : m_inner(std::move(inner)), m_failing(failing), m_feature(feature) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        return m_failing && iid == m_feature ? E_FAIL : m_inner->GetFeature(iid, feature);
    }
    HRESULT GetGuid(plat::GUID& id) override { return m_inner->GetGuid(id); }
    HRESULT GetName(std::u16string& name) override { return m_inner->GetName(name); }
    HRESULT SetName(const std::u16string& name) override { return m_inner->SetName(name); }
    HRESULT IsActive(bool& active) override { return m_inner->IsActive(active); }
    HRESULT ExportToFile(const std::u16string& path) override { return m_inner->ExportToFile(path); }

private:
    std::shared_ptr<IProfile> m_inner;
    bool m_failing;
    plat::GUID m_feature;
};

class FaultyManager : public IProfileManager {
public:
    FaultyManager(std::shared_ptr<IProfileManager> inner, Fault fault)
        : m_inner(std::move(inner)), m_fault(fault) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT Advise(const plat::GUID& iid, std::shared_ptr<IEventSink> sink, uint32_t& cookie) override {
        return m_inner->Advise(iid, std::move(sink), cookie);
    }
    HRESULT Unadvise(const plat::GUID& iid, uint32_t cookie) override {
        return m_inner->Unadvise(iid, cookie);
    }
    HRESULT GetProfile(uint32_t index, std::shared_ptr<IProfile>& profile) override {
        return Wrap(m_inner->GetProfile(index, profile), profile);
    }
    HRESULT FindProfile(const plat::GUID& id, std::shared_ptr<IProfile>& profile) override {
        return Wrap(m_inner->FindProfile(id, profile), profile);
    }
    HRESULT SetActiveProfile(IProfile& profile) override { return m_inner->SetActiveProfile(profile); }
    HRESULT GetActiveProfile(std::shared_ptr<IProfile>& profile) override {
        return Wrap(m_inner->GetActiveProfile(profile), profile);
    }
    HRESULT CreateProfile(std::shared_ptr<IProfile>& profile) override {
        return Wrap(m_inner->CreateProfile(profile), profile);
    }
    HRESULT DeleteProfile(IProfile& profile) override { return m_inner->DeleteProfile(profile); }
    HRESULT GetProfileCount(uint32_t& count) override { return m_inner->GetProfileCount(count); }
    HRESULT ImportProfile(const std::u16string& path, std::shared_ptr<IProfile>& profile) override {
        return Wrap(m_inner->ImportProfile(path, profile), profile);
    }

private:
    HRESULT Wrap(HRESULT hr, std::shared_ptr<IProfile>& profile) {
        if (SUCCEEDED(hr) && profile) {
            profile = std::make_shared<FaultyProfile>(profile, IsFailing(*profile), m_fault.feature);
        }
        return hr;
    }
    bool IsFailing(IProfile& profile) {
        plat::GUID id;
        profile.GetGuid(id);
        std::shared_ptr<IProfile> other;
        for (uint32_t index : m_fault.onlyAt) {
            plat::GUID otherId;
            if (SUCCEEDED(m_inner->GetProfile(index, other)) && SUCCEEDED(other->GetGuid(otherId)) &&
                otherId == id) {
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<IProfileManager> m_inner;
    Fault m_fault;
};

class FaultyDevice : public IDevice {
public:
    FaultyDevice(std::shared_ptr<IDevice> inner, Fault fault) : m_inner(std::move(inner)), m_fault(fault) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT GetInformation(DeviceInformation& info) override { return m_inner->GetInformation(info); }
    HRESULT GetFeature(const plat::GUID& iid, std::shared_ptr<IServiceObject>& feature) override {
        const HRESULT hr = m_inner->GetFeature(iid, feature);
        if (SUCCEEDED(hr) && iid == IProfileManager::IID) {
            feature =
                std::make_shared<FaultyManager>(std::dynamic_pointer_cast<IProfileManager>(feature), m_fault);
        }
        if (SUCCEEDED(hr) && iid == IMacroManager::IID && m_fault.macroEvents) {
            feature =
                std::make_shared<EventlessMacroManager>(std::dynamic_pointer_cast<IMacroManager>(feature));
        }
        return hr;
    }

private:
    std::shared_ptr<IDevice> m_inner;
    Fault m_fault;
};

class FaultyEnumerator : public IDeviceEnumerator {
public:
    FaultyEnumerator(std::shared_ptr<IDeviceEnumerator> inner, Fault fault)
        : m_inner(std::move(inner)), m_fault(fault) {}
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        return m_inner->QueryInterface(iid, out);
    }
    HRESULT GetDevice(uint32_t index, std::shared_ptr<IDevice>& device) override {
        const HRESULT hr = m_inner->GetDevice(index, device);
        if (SUCCEEDED(hr)) {
            device = std::make_shared<FaultyDevice>(device, m_fault);
        }
        return hr;
    }

private:
    std::shared_ptr<IDeviceEnumerator> m_inner;
    Fault m_fault;
};

inline DeviceEnumeratorFactory FaultyFactory(DeviceEnumeratorFactory inner, Fault fault) {
    return [inner, fault](std::shared_ptr<IDeviceEnumerator>& out) {
        std::shared_ptr<IDeviceEnumerator> real;
        const HRESULT hr = inner(real);
        if (SUCCEEDED(hr)) {
            out = std::make_shared<FaultyEnumerator>(real, fault);
        }
        return hr;
    };
}
