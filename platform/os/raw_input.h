// Raw keyboard and mouse input: a process-wide list of usage registrations, each naming the
// window that receives WM_INPUT whichever window has the focus, and the reports those
// messages refer to. A display backend feeds key and button transitions in through
// DeliverRawKey/DeliverRawButton; tests call the same functions.
#pragma once

#include "platform/core/messages.h"

#include <cstdint>
#include <functional>

namespace plat {

inline constexpr DWORD RIDEV_REMOVE = 0x00000001;
inline constexpr DWORD RIDEV_NOLEGACY = 0x00000030;
inline constexpr DWORD RIDEV_INPUTSINK = 0x00000100;

inline constexpr std::uint16_t kUsagePageGeneric = 1;
inline constexpr std::uint16_t kUsageMouse = 2;
inline constexpr std::uint16_t kUsageKeyboard = 6;

inline constexpr DWORD RIM_TYPEMOUSE = 0;
inline constexpr DWORD RIM_TYPEKEYBOARD = 1;
// wParam of WM_INPUT: whether the input came while the target had the focus.
inline constexpr WPARAM RIM_INPUT = 0;
inline constexpr WPARAM RIM_INPUTSINK = 1;

inline constexpr UINT RID_HEADER = 0x10000005;
inline constexpr UINT RID_INPUT = 0x10000003;

inline constexpr std::uint16_t RI_KEY_MAKE = 0;
inline constexpr std::uint16_t RI_KEY_BREAK = 1;
inline constexpr std::uint16_t RI_KEY_E0 = 2;
inline constexpr std::uint16_t RI_KEY_E1 = 4;
inline constexpr std::uint16_t kRawUnknownVirtualKey = 255;

inline constexpr std::uint16_t RI_MOUSE_LEFT_BUTTON_DOWN = 0x0001;
inline constexpr std::uint16_t RI_MOUSE_LEFT_BUTTON_UP = 0x0002;
inline constexpr std::uint16_t RI_MOUSE_RIGHT_BUTTON_DOWN = 0x0004;
inline constexpr std::uint16_t RI_MOUSE_RIGHT_BUTTON_UP = 0x0008;
inline constexpr std::uint16_t RI_MOUSE_MIDDLE_BUTTON_DOWN = 0x0010;
inline constexpr std::uint16_t RI_MOUSE_MIDDLE_BUTTON_UP = 0x0020;
inline constexpr std::uint16_t RI_MOUSE_BUTTON_4_DOWN = 0x0040;
inline constexpr std::uint16_t RI_MOUSE_BUTTON_4_UP = 0x0080;
inline constexpr std::uint16_t RI_MOUSE_BUTTON_5_DOWN = 0x0100;
inline constexpr std::uint16_t RI_MOUSE_BUTTON_5_UP = 0x0200;

struct RAWINPUTDEVICE {
    std::uint16_t usUsagePage = 0;
    std::uint16_t usUsage = 0;
    DWORD dwFlags = 0;
    HWND hwndTarget = nullptr;
};

struct RAWINPUTHEADER {
    DWORD dwType = 0;
    DWORD dwSize = 0;
    void* hDevice = nullptr;
    WPARAM wParam = 0;
};

struct RAWKEYBOARD {
    std::uint16_t MakeCode = 0;
    std::uint16_t Flags = 0;
    std::uint16_t Reserved = 0;
    std::uint16_t VKey = 0;
    UINT Message = 0;
    DWORD ExtraInformation = 0;
};

struct RAWMOUSE {
    std::uint16_t usFlags = 0;
    std::uint16_t usButtonFlags = 0;
    std::uint16_t usButtonData = 0;
    DWORD ulRawButtons = 0;
    std::int32_t lLastX = 0;
    std::int32_t lLastY = 0;
    DWORD ulExtraInformation = 0;
};

struct RAWINPUT {
    RAWINPUTHEADER header;
    union {
        RAWMOUSE mouse;
        RAWKEYBOARD keyboard;
    } data{};
};

// The lParam of WM_INPUT: names one report until it is read or pushed out by newer ones.
struct RawInputTag;
using HRAWINPUT = RawInputTag*;

// Applies every entry or none. `size` must be sizeof(RAWINPUTDEVICE). An entry with
// RIDEV_REMOVE drops its usage's registration and must name no target; input-sink needs a
// target.
bool RegisterRawInputDevices(const RAWINPUTDEVICE* devices, UINT count, UINT size);

// RID_INPUT: the whole report; RID_HEADER: its header. With `data` null, stores the size
// in *size and returns 0; otherwise copies the report when *size is large enough and
// returns the bytes copied, or (UINT)-1 for a stale handle, a short buffer or a bad
// command or header size.
UINT GetRawInputData(HRAWINPUT input, UINT command, void* data, UINT* size, UINT headerSize);

// A key transition by its Linux input code. Unknown keys report make code 0 and the
// unknown virtual key.
void DeliverRawKey(std::uint32_t evdevCode, bool release);
// A button transition by its X button number (1 left, 2 middle, 3 right, 8 and 9 the side
// buttons). Other buttons (the wheel) are not transitions and are ignored.
void DeliverRawButton(unsigned xButton, bool release);

// The button-flags word of a transition; 0 for a button that has none.
std::uint16_t RawButtonFlags(unsigned xButton, bool release);

// A display backend learns which kinds of raw input are wanted, to listen only then. Called
// at once with the current wishes and again whenever they change. Only one source listens:
// the hook of another `owner` that it replaces is called once with (false, false).
using RawInputWishes = std::function<void(bool keyboard, bool mouse)>;
void SetRawInputSourceHook(const void* owner, RawInputWishes hook);
// Removes the hook only while it is still `owner`'s.
void RemoveRawInputSourceHook(const void* owner);

} // namespace plat
