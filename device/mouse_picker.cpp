// Picking the attached model and forwarding to its mouse.
#include "device/mouse_picker.h"

#include <algorithm>

CMousePicker::CMousePicker(DeviceEnumeratorFactory factory, ArrivalCallback callback, void* userData)
    : m_factory(std::move(factory)), m_callback(std::move(callback)), m_userData(userData) {
    for (const MouseModelEntry& model : MouseModelTable()) {
        m_candidates.push_back({&model, nullptr});
    }
}

CMousePicker::~CMousePicker() = default;

CMouse* CMousePicker::CurrentMouse() const {
    return m_current ? m_current->mouse.get() : nullptr;
}

CMouse* CMousePicker::MakeMouse(Candidate& candidate) {
    candidate.mouse = std::make_unique<CMouse>(*candidate.model, m_factory);
    return candidate.mouse.get();
}

bool CMousePicker::Pick() {
    std::shared_ptr<IDeviceEnumerator> enumerator;
    if (!m_factory || FAILED(m_factory(enumerator)) || !enumerator) {
        return false;
    }
    std::vector<uint32_t> attached;
    std::shared_ptr<IDevice> device;
    for (uint32_t index = 0; SUCCEEDED(enumerator->GetDevice(index, device)) && device; ++index) {
        DeviceInformation info;
        if (SUCCEEDED(device->GetInformation(info))) {
            attached.push_back(info.productId);
        }
    }
    const auto isAttached = [&](const Candidate& c) {
        return std::find(attached.begin(), attached.end(), c.model->productId) != attached.end();
    };
    if (m_current != nullptr && isAttached(*m_current)) {
        return true;
    }
    if (m_current != nullptr) {
        m_current->mouse.reset();
        m_current = nullptr;
    }
    for (Candidate& candidate : m_candidates) {
        if (isAttached(candidate)) {
            m_current = &candidate;
            return true;
        }
    }
    return false;
}

bool CMousePicker::Initialize(IMouseConfig* config) {
    if (!Pick()) {
        return false;
    }
    CMouse* mouse = MakeMouse(*m_current);
    const bool ok = mouse->Initialize(config);
    if (ok && m_callback) {
        m_callback(mouse, m_userData);
    }
    return ok;
}

bool CMousePicker::Transfer(IMouseConfig* config, int mode, uint32_t mask) {
    Candidate* remembered = m_current;
    if (!Pick()) {
        if (m_callback) {
            m_callback(nullptr, m_userData);
        }
        return false;
    }
    if (m_current == remembered && m_current->mouse) {
        return m_current->mouse->Transfer(config, mode, mask);
    }
    CMouse* mouse = MakeMouse(*m_current);
    mouse->Initialize(config);
    if (m_callback) {
        m_callback(mouse, m_userData);
    }
    return false;
}

bool CMousePicker::IsBusy() {
    return CurrentMouse() && CurrentMouse()->IsBusy();
}
bool CMousePicker::ImportMacro(std::u16string_view path, IMouseConfig* config) {
    return CurrentMouse() && CurrentMouse()->ImportMacro(path, config);
}
bool CMousePicker::ExportMacro(std::u16string_view path, CMacro* macro) {
    return CurrentMouse() && CurrentMouse()->ExportMacro(path, macro);
}
bool CMousePicker::HasMacroOnDevice(CMacro* macro) {
    return CurrentMouse() && CurrentMouse()->HasMacroOnDevice(macro);
}
bool CMousePicker::ImportProfile(std::u16string_view path, IMouseConfig* config) {
    return CurrentMouse() && CurrentMouse()->ImportProfile(path, config);
}
bool CMousePicker::ExportProfile(std::u16string_view path, IMouseProfile* profile) {
    return CurrentMouse() && CurrentMouse()->ExportProfile(path, profile);
}
bool CMousePicker::HasProfileOnDevice(IMouseProfile* profile) {
    return CurrentMouse() && CurrentMouse()->HasProfileOnDevice(profile);
}
bool CMousePicker::Reserved9() {
    return CurrentMouse() && CurrentMouse()->Reserved9();
}
bool CMousePicker::Reserved10() {
    return CurrentMouse() && CurrentMouse()->Reserved10();
}
bool CMousePicker::Reserved11() {
    return CurrentMouse() && CurrentMouse()->Reserved11();
}
bool CMousePicker::IsConnected() {
    return CurrentMouse() && CurrentMouse()->IsConnected();
}
bool CMousePicker::GetFirmwareVersion(std::u16string& text) {
    return CurrentMouse() && CurrentMouse()->GetFirmwareVersion(text);
}
bool CMousePicker::GetOtherVersion(std::u16string& text) {
    return CurrentMouse() && CurrentMouse()->GetOtherVersion(text);
}
bool CMousePicker::GetOptionalValue() {
    return CurrentMouse() && CurrentMouse()->GetOptionalValue();
}
bool CMousePicker::HasOptionalInterface(int argument) {
    return CurrentMouse() && CurrentMouse()->HasOptionalInterface(argument);
}
uint32_t CMousePicker::GetProductId() {
    return CurrentMouse() ? CurrentMouse()->GetProductId() : 0;
}
std::u16string CMousePicker::GetDisplayName() {
    return CurrentMouse() ? CurrentMouse()->GetDisplayName() : std::u16string();
}
int CMousePicker::GetDeviceProfileCount() {
    return CurrentMouse() ? CurrentMouse()->GetDeviceProfileCount() : 0;
}
void CMousePicker::AddProgressObserver(plat::HWND window) {
    if (CurrentMouse()) {
        CurrentMouse()->AddProgressObserver(window);
    }
}
void CMousePicker::RemoveProgressObserver(plat::HWND window) {
    if (CurrentMouse()) {
        CurrentMouse()->RemoveProgressObserver(window);
    }
}
CProgressMessenger* CMousePicker::GetProgressChannel() {
    return CurrentMouse() ? CurrentMouse()->GetProgressChannel() : nullptr;
}
