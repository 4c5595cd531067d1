// Attachment, serial numbers, locking and event delivery of the emulated mice.
#include "service/emulator.h"

#include "platform/text/utf.h"
#include "service/factory_state.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string SerialFor(uint32_t productId, int number) {
    char text[32];
    std::snprintf(text, sizeof text, "KV%04X%04d", productId & 0xFFFF, number);
    return text;
}

bool SinkMatches(const plat::GUID& eventIid, const std::shared_ptr<IEventSink>& sink) {
    if (eventIid == _IDPIEvents::IID) {
        return dynamic_cast<_IDPIEvents*>(sink.get()) != nullptr;
    }
    if (eventIid == _IProfileManagerEvents::IID) {
        return dynamic_cast<_IProfileManagerEvents*>(sink.get()) != nullptr;
    }
    if (eventIid == _IApplicationEvent::IID) {
        return dynamic_cast<_IApplicationEvent*>(sink.get()) != nullptr;
    }
    return false;
}

const plat::GUID* EventInterfaceOf(MouseEvent::Kind kind) {
    switch (kind) {
    case MouseEvent::Kind::DpiChanged:
        return &_IDPIEvents::IID;
    case MouseEvent::Kind::ActiveProfileChanged:
        return &_IProfileManagerEvents::IID;
    case MouseEvent::Kind::Launch:
        return &_IApplicationEvent::IID;
    case MouseEvent::Kind::MemoryChanged:
        break;
    }
    return nullptr;
}

void CallSink(IEventSink& sink, const MouseEvent& event) {
    switch (event.kind) {
    case MouseEvent::Kind::DpiChanged:
        if (auto* dpi = dynamic_cast<_IDPIEvents*>(&sink)) {
            dpi->OnDpiChanged(static_cast<int32_t>(event.dpi.x), static_cast<int32_t>(event.dpi.y));
        }
        break;
    case MouseEvent::Kind::ActiveProfileChanged:
        if (auto* profile = dynamic_cast<_IProfileManagerEvents*>(&sink)) {
            profile->OnActiveProfileChanged(event.profile);
        }
        break;
    case MouseEvent::Kind::Launch:
        if (auto* launch = dynamic_cast<_IApplicationEvent*>(&sink)) {
            launch->OnLaunch(event.launchKind, event.path);
        }
        break;
    case MouseEvent::Kind::MemoryChanged:
        break;
    }
}

// Everything of a memory the profile table shows: profile ids, names, application paths
// and flags, and the active profile.
std::u16string TableImage(const MouseMemory& memory) {
    std::u16string image = plat::GuidToString(memory.activeProfile);
    for (const ProfileMemory& profile : memory.profiles) {
        image += plat::GuidToString(profile.id);
        image += profile.name;
        image += u'\0';
        image += profile.application;
        image += u'\0';
        image += static_cast<char16_t>(profile.flags & 0xFFFF);
        image += static_cast<char16_t>(profile.flags >> 16);
    }
    return image;
}

} // namespace

CEmulator::CEmulator(Options options) : m_options(std::move(options)) {
    if (!m_options.stateFolder.empty()) {
        m_store = std::make_unique<MouseStore>(m_options.stateFolder);
    }
    std::vector<MouseStore::AttachedMouse> attached;
    const bool known = m_store && m_store->LoadAttached(attached);
    if (!known && m_options.attachDefaultMouse) {
        attached.push_back({SerialFor(kProductRefresh, 1), kProductRefresh});
    }
    std::lock_guard lock(m_mutex);
    for (const MouseStore::AttachedMouse& mouse : attached) {
        if (Find(mouse.serial) == nullptr) {
            PlugLocked(mouse.productId, mouse.serial);
        }
    }
    SaveAttachedLocked();
}

CEmulator::~CEmulator() = default;

std::string CEmulator::DevicePath(const std::string& serial, uint32_t productId,
                                  const plat::GUID& interfaceClass) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\\\?\\HID#VID_%04X&PID_%04X#", kKavoxVendorId, productId & 0xFFFF);
    return prefix + serial + "#" + plat::Utf16ToUtf8(plat::GuidToString(interfaceClass));
}

std::vector<std::string> CEmulator::AttachedSerials() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> serials;
    for (const auto& mouse : m_mice) {
        serials.push_back(mouse->Serial());
    }
    return serials;
}

EmulatedMouse* CEmulator::Find(const std::string& serial) {
    for (const auto& mouse : m_mice) {
        if (mouse->Serial() == serial) {
            return mouse.get();
        }
    }
    return nullptr;
}

HRESULT CEmulator::PlugLocked(uint32_t productId, const std::string& serial) {
    const ModelDescriptor* model = FindModel(productId);
    if (model == nullptr) {
        return E_INVALIDARG;
    }
    MouseMemory memory = m_store ? m_store->Load(*model, serial) : MakeFactoryMemory(*model);
    m_mice.push_back(std::make_unique<EmulatedMouse>(*model, serial, std::move(memory), m_store.get()));
    WriteTableLocked(*m_mice.back());
    return S_OK;
}

void CEmulator::SaveAttachedLocked() const {
    if (!m_store) {
        return;
    }
    std::vector<MouseStore::AttachedMouse> attached;
    for (const auto& mouse : m_mice) {
        attached.push_back({mouse->Serial(), mouse->Model().productId});
    }
    m_store->SaveAttached(attached);
}

void CEmulator::WriteTableLocked(const EmulatedMouse& mouse) {
    if (!m_options.tableWriter) {
        return;
    }
    // The table shows the first attached mouse of each model.
    const uint32_t productId = mouse.Model().productId;
    const auto first = std::find_if(m_mice.begin(), m_mice.end(),
                                    [productId](const auto& m) { return m->Model().productId == productId; });
    if (first == m_mice.end() || first->get() != &mouse) {
        return;
    }
    std::u16string image = TableImage(mouse.Memory());
    if (image != m_tableImages[productId] && m_options.tableWriter(mouse.Model(), mouse.Memory())) {
        m_tableImages[productId] = std::move(image);
    }
}

HRESULT CEmulator::Plug(uint32_t productId, std::string& serial) {
    HRESULT hr = E_INVALIDARG;
    {
        std::lock_guard lock(m_mutex);
        if (FindModel(productId) == nullptr) {
            return E_INVALIDARG;
        }
        int number = 1;
        while (Find(SerialFor(productId, number)) != nullptr) {
            ++number;
        }
        serial = SerialFor(productId, number);
        hr = PlugLocked(productId, serial);
        SaveAttachedLocked();
    }
    if (SUCCEEDED(hr) && m_listener != nullptr) {
        m_listener->OnDeviceArrived(serial, productId);
    }
    return hr;
}

HRESULT CEmulator::Unplug(const std::string& serial) {
    uint32_t productId = 0;
    {
        std::lock_guard lock(m_mutex);
        EmulatedMouse* mouse = Find(serial);
        if (mouse == nullptr) {
            return E_NOT_FOUND;
        }
        productId = mouse->Model().productId;
        std::erase_if(m_mice, [mouse](const auto& m) { return m.get() == mouse; });
        SaveAttachedLocked();
        for (const auto& other : m_mice) {
            if (other->Model().productId == productId) {
                WriteTableLocked(*other);
                break;
            }
        }
    }
    {
        std::lock_guard lock(m_sinkMutex);
        std::erase_if(m_sinks, [&serial](const auto& entry) { return entry.second.serial == serial; });
    }
    if (m_listener != nullptr) {
        m_listener->OnDeviceRemoved(serial, productId);
    }
    return S_OK;
}

HRESULT CEmulator::WithMouse(const std::string& serial,
                             const std::function<HRESULT(EmulatedMouse&)>& action) {
    std::vector<Pending> pending;
    HRESULT hr = S_OK;
    {
        std::lock_guard lock(m_mutex);
        EmulatedMouse* mouse = Find(serial);
        if (mouse == nullptr) {
            return E_NOT_FOUND;
        }
        hr = action(*mouse);
        bool changed = false;
        for (MouseEvent& event : mouse->TakeEvents()) {
            changed = changed || event.kind == MouseEvent::Kind::MemoryChanged;
            pending.push_back({serial, std::move(event)});
        }
        if (changed) {
            WriteTableLocked(*mouse);
        }
    }
    Deliver(pending);
    return hr;
}

void CEmulator::Deliver(const std::vector<Pending>& events) {
    for (const Pending& pending : events) {
        std::vector<std::shared_ptr<IEventSink>> sinks;
        const plat::GUID* eventIid = EventInterfaceOf(pending.event.kind);
        if (eventIid != nullptr) {
            std::lock_guard lock(m_sinkMutex);
            for (const auto& [cookie, sink] : m_sinks) {
                if (sink.serial == pending.serial && sink.eventIid == *eventIid) {
                    sinks.push_back(sink.sink);
                }
            }
        }
        for (const auto& sink : sinks) {
            CallSink(*sink, pending.event);
        }
        if (m_listener != nullptr) {
            m_listener->OnMouseEvent(pending.serial, pending.event);
        }
    }
}

HRESULT CEmulator::Advise(const std::string& serial, const plat::GUID& eventIid,
                          std::shared_ptr<IEventSink> sink, uint32_t& cookie) {
    cookie = 0;
    if (!sink) {
        return E_POINTER;
    }
    if (!SinkMatches(eventIid, sink)) {
        return E_INVALIDARG;
    }
    std::lock_guard lock(m_sinkMutex);
    cookie = m_nextCookie++;
    m_sinks[cookie] = {serial, eventIid, std::move(sink)};
    return S_OK;
}

HRESULT CEmulator::Unadvise(const std::string& serial, const plat::GUID& eventIid, uint32_t cookie) {
    std::lock_guard lock(m_sinkMutex);
    const auto it = m_sinks.find(cookie);
    if (it == m_sinks.end() || it->second.serial != serial || it->second.eventIid != eventIid) {
        return E_NO_CONNECTION;
    }
    m_sinks.erase(it);
    return S_OK;
}

void CEmulator::SetListener(EmulatorListener* listener) {
    m_listener = listener;
}
