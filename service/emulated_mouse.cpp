// Changes to a mouse's memory, the events they raise, and the mouse's own buttons.
#include "service/emulated_mouse.h"

#include "service/memory_rules.h"

#include <utility>

EmulatedMouse::EmulatedMouse(const ModelDescriptor& model, std::string serial, MouseMemory memory,
                             const MouseStore* store)
    : m_model(&model), m_serial(std::move(serial)), m_memory(std::move(memory)), m_store(store) {}

HRESULT EmulatedMouse::Change(const std::function<HRESULT(MouseMemory&)>& change) {
    MouseMemory copy = m_memory;
    const HRESULT hr = change(copy);
    if (FAILED(hr) || copy == m_memory) {
        return hr;
    }
    if (!IsValidMemory(*m_model, copy)) {
        return E_INVALIDARG;
    }
    if (m_store != nullptr && !m_store->Save(*m_model, m_serial, copy)) {
        return E_FAIL;
    }
    CollectEvents(m_memory, copy);
    m_memory = std::move(copy);
    return hr;
}

void EmulatedMouse::CollectEvents(const MouseMemory& before, const MouseMemory& after) {
    const ProfileMemory* oldActive = before.ActiveProfile();
    const ProfileMemory* newActive = after.ActiveProfile();
    if (before.activeProfile != after.activeProfile) {
        MouseEvent event;
        event.kind = MouseEvent::Kind::ActiveProfileChanged;
        event.profile = after.activeProfile;
        m_events.push_back(event);
    } else if (oldActive != nullptr && newActive != nullptr &&
               oldActive->sensitivity != newActive->sensitivity) {
        MouseEvent event;
        event.kind = MouseEvent::Kind::DpiChanged;
        event.dpi = newActive->sensitivity;
        m_events.push_back(event);
    }
    m_events.push_back(MouseEvent{});
}

HRESULT EmulatedMouse::StepStage(int direction) {
    return Change([direction](MouseMemory& memory) {
        ProfileMemory* profile = memory.FindProfile(memory.activeProfile);
        if (profile == nullptr) {
            return E_UNEXPECTED;
        }
        const auto count = static_cast<int>(profile->stages.size());
        const int next = (static_cast<int>(profile->activeStage) + direction + count) % count;
        profile->activeStage = static_cast<uint32_t>(next);
        profile->sensitivity = profile->stages[profile->activeStage];
        return S_OK;
    });
}

HRESULT EmulatedMouse::PressDpiUp() {
    return StepStage(1);
}

HRESULT EmulatedMouse::PressDpiDown() {
    return StepStage(-1);
}

HRESULT EmulatedMouse::PressProfileNext() {
    return Change([](MouseMemory& memory) {
        for (size_t i = 0; i < memory.profiles.size(); ++i) {
            if (memory.profiles[i].id == memory.activeProfile) {
                memory.activeProfile = memory.profiles[(i + 1) % memory.profiles.size()].id;
                return S_OK;
            }
        }
        return E_UNEXPECTED;
    });
}

void EmulatedMouse::RequestLaunch(int32_t kind, std::u16string path) {
    MouseEvent event;
    event.kind = MouseEvent::Kind::Launch;
    event.launchKind = kind;
    event.path = std::move(path);
    m_events.push_back(std::move(event));
}

std::vector<MouseEvent> EmulatedMouse::TakeEvents() {
    return std::exchange(m_events, {});
}
