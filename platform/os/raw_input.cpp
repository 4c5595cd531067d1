// Registrations and reports live in one process-wide store under one lock. Reports are
// kept until read, but only the newest few hundred: a target that never reads its
// messages must not make the store grow without end.
#include "platform/os/raw_input.h"

#include "platform/core/message_queue.h"
#include "platform/os/keyboard_codes.h"

#include <cstring>
#include <deque>
#include <mutex>
#include <utility>
#include <vector>

namespace plat {
namespace {

constexpr std::size_t kKeptReports = 256;
constexpr UINT kFailed = static_cast<UINT>(-1);

struct Registration {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    DWORD flags = 0;
    HWND target = nullptr;
};

struct StoredReport {
    std::uintptr_t id = 0;
    RAWINPUT report;
};

class RawInputStore {
public:
    static RawInputStore& Instance() {
        static RawInputStore store;
        return store;
    }

    bool Register(const RAWINPUTDEVICE* devices, UINT count, UINT size) {
        if (devices == nullptr || count == 0 || size != sizeof(RAWINPUTDEVICE)) {
            return false;
        }
        for (UINT i = 0; i < count; ++i) {
            const RAWINPUTDEVICE& d = devices[i];
            const bool remove = (d.dwFlags & RIDEV_REMOVE) != 0;
            if (remove && d.hwndTarget != nullptr) {
                return false;
            }
            if (!remove && (d.dwFlags & RIDEV_INPUTSINK) != 0 && d.hwndTarget == nullptr) {
                return false;
            }
        }
        RawInputWishes hook;
        std::pair<bool, bool> wishes;
        {
            std::lock_guard lock(m_mutex);
            for (UINT i = 0; i < count; ++i) {
                Apply(devices[i]);
            }
            hook = m_hook;
            wishes = WishesLocked();
        }
        if (hook) {
            hook(wishes.first, wishes.second);
        }
        return true;
    }

    // One source listens at a time: the one replaced is told to stop listening, so two
    // display connections never report the same input twice.
    void SetHook(const void* owner, RawInputWishes hook) {
        std::pair<bool, bool> wishes;
        RawInputWishes replaced;
        {
            std::lock_guard lock(m_mutex);
            if (m_hookOwner != owner) {
                replaced = std::move(m_hook);
            }
            m_hook = hook;
            m_hookOwner = owner;
            wishes = WishesLocked();
        }
        if (replaced) {
            replaced(false, false);
        }
        if (hook) {
            hook(wishes.first, wishes.second);
        }
    }

    void RemoveHook(const void* owner) {
        std::lock_guard lock(m_mutex);
        if (m_hookOwner == owner) {
            m_hook = nullptr;
            m_hookOwner = nullptr;
        }
    }

    void Deliver(std::uint16_t usage, const RAWINPUT& report) {
        HWND target = nullptr;
        WPARAM code = RIM_INPUT;
        std::uintptr_t id = 0;
        {
            std::lock_guard lock(m_mutex);
            const Registration* r = Find(usage);
            if (r == nullptr || r->target == nullptr) {
                return;
            }
            target = r->target;
            code = (r->flags & RIDEV_INPUTSINK) != 0 ? RIM_INPUTSINK : RIM_INPUT;
            id = ++m_lastId;
            m_reports.push_back({id, report});
            m_reports.back().report.header.wParam = code;
            if (m_reports.size() > kKeptReports) {
                m_reports.pop_front();
            }
        }
        PostMessage(target, WM_INPUT, code, static_cast<LPARAM>(id));
    }

    bool Copy(std::uintptr_t id, RAWINPUT* out) {
        std::lock_guard lock(m_mutex);
        for (const StoredReport& s : m_reports) {
            if (s.id == id) {
                *out = s.report;
                return true;
            }
        }
        return false;
    }

private:
    void Apply(const RAWINPUTDEVICE& d) {
        std::erase_if(m_registrations, [&](const Registration& r) {
            return r.usagePage == d.usUsagePage && r.usage == d.usUsage;
        });
        if ((d.dwFlags & RIDEV_REMOVE) == 0) {
            m_registrations.push_back({d.usUsagePage, d.usUsage, d.dwFlags, d.hwndTarget});
        }
    }

    const Registration* Find(std::uint16_t usage) const {
        for (const Registration& r : m_registrations) {
            if (r.usagePage == kUsagePageGeneric && r.usage == usage) {
                return &r;
            }
        }
        return nullptr;
    }

    std::pair<bool, bool> WishesLocked() const {
        return {Find(kUsageKeyboard) != nullptr, Find(kUsageMouse) != nullptr};
    }

    std::mutex m_mutex;
    std::vector<Registration> m_registrations;
    std::deque<StoredReport> m_reports;
    std::uintptr_t m_lastId = 0;
    RawInputWishes m_hook;
    const void* m_hookOwner = nullptr;
};

} // namespace

bool RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size) {
    return RawInputStore::Instance().Register(devices, count, size);
}

UINT GetRawInputData(HRAWINPUT input, UINT command, void* data, UINT* size, UINT headerSize) {
    if (size == nullptr || headerSize != sizeof(RAWINPUTHEADER) ||
        (command != RID_INPUT && command != RID_HEADER)) {
        return kFailed;
    }
    RAWINPUT report;
    if (!RawInputStore::Instance().Copy(reinterpret_cast<std::uintptr_t>(input), &report)) {
        return kFailed;
    }
    const UINT needed = command == RID_INPUT ? report.header.dwSize : sizeof(RAWINPUTHEADER);
    if (data == nullptr) {
        *size = needed;
        return 0;
    }
    if (*size < needed) {
        *size = needed;
        return kFailed;
    }
    std::memcpy(data, &report, needed);
    return needed;
}

void DeliverRawKey(std::uint32_t evdevCode, bool release) {
    RAWINPUT report;
    report.header.dwType = RIM_TYPEKEYBOARD;
    report.header.dwSize = sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD);
    RAWKEYBOARD& k = report.data.keyboard;
    k.Flags = release ? RI_KEY_BREAK : RI_KEY_MAKE;
    k.VKey = kRawUnknownVirtualKey;
    if (const KeyCode* key = KeyCodeFromEvdev(evdevCode)) {
        k.MakeCode = key->scanCode;
        k.VKey = key->virtualKey != 0 ? key->virtualKey : kRawUnknownVirtualKey;
        k.Flags |= key->extended ? RI_KEY_E0 : 0;
        k.Flags |= key->e1Prefix ? RI_KEY_E1 : 0;
    }
    // Key messages, not used by raw readers, still name the transition.
    k.Message = release ? 0x0101 : 0x0100;
    RawInputStore::Instance().Deliver(kUsageKeyboard, report);
}

std::uint16_t RawButtonFlags(unsigned xButton, bool release) {
    std::uint16_t down = 0;
    switch (xButton) {
    case 1:
        down = RI_MOUSE_LEFT_BUTTON_DOWN;
        break;
    case 3:
        down = RI_MOUSE_RIGHT_BUTTON_DOWN;
        break;
    case 2:
        down = RI_MOUSE_MIDDLE_BUTTON_DOWN;
        break;
    case 8:
        down = RI_MOUSE_BUTTON_4_DOWN;
        break;
    case 9:
        down = RI_MOUSE_BUTTON_5_DOWN;
        break;
    default:
        return 0;
    }
    // Each release flag is the bit above its press flag.
    return release ? static_cast<std::uint16_t>(down << 1) : down;
}

void DeliverRawButton(unsigned xButton, bool release) {
    const std::uint16_t flags = RawButtonFlags(xButton, release);
    if (flags == 0) {
        return;
    }
    RAWINPUT report;
    report.header.dwType = RIM_TYPEMOUSE;
    report.header.dwSize = sizeof(RAWINPUTHEADER) + sizeof(RAWMOUSE);
    report.data.mouse.usButtonFlags = flags;
    RawInputStore::Instance().Deliver(kUsageMouse, report);
}

void SetRawInputSourceHook(const void* owner, RawInputWishes hook) {
    RawInputStore::Instance().SetHook(owner, std::move(hook));
}

void RemoveRawInputSourceHook(const void* owner) {
    RawInputStore::Instance().RemoveHook(owner);
}

} // namespace plat
