// One emulated mouse: its model, its serial number and its memory. Every change goes
// through Change(): it works on a copy, keeps it only when the result is a memory the
// firmware could hold and it has been stored, and collects the events the change raises.
// Not thread-safe; the emulator serialises access.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_event.h"
#include "service/mouse_memory.h"
#include "service/mouse_store.h"

#include <functional>
#include <string>
#include <vector>

class EmulatedMouse {
public:
    // `store` may be null (nothing persists); it must outlive the mouse.
    EmulatedMouse(const ModelDescriptor& model, std::string serial, MouseMemory memory,
                  const MouseStore* store);

    const ModelDescriptor& Model() const { return *m_model; }
    const std::string& Serial() const { return m_serial; }
    const MouseMemory& Memory() const { return m_memory; }

    // Runs `change` on a copy of the memory. A failing change, an invalid result or a failed
    // save leaves the memory as it was and returns the failure.
    HRESULT Change(const std::function<HRESULT(MouseMemory&)>& change);

    // The mouse's own buttons.
    HRESULT PressDpiUp();
    HRESULT PressDpiDown();
    HRESULT PressProfileNext();
    void RequestLaunch(int32_t kind, std::u16string path);

    std::vector<MouseEvent> TakeEvents();

private:
    HRESULT StepStage(int direction);
    void CollectEvents(const MouseMemory& before, const MouseMemory& after);

    const ModelDescriptor* m_model;
    std::string m_serial;
    MouseMemory m_memory;
    const MouseStore* m_store;
    std::vector<MouseEvent> m_events;
};
