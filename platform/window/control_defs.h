// Styles, notification codes and shared records of the controls (button, static, edit,
// dialog, pop-up menu), with the values the programs' control code is written against.
#pragma once

#include "platform/core/messages.h"
#include "platform/gfx/color.h"
#include "platform/gfx/rect.h"
#include "platform/window/dialog_results.h"

#include <cstdint>
#include <optional>

namespace plat {

class Painter;

using INT_PTR = std::intptr_t;

// Button styles and notifications.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_NOTIFY = 0x4000;
inline constexpr UINT BN_DOUBLECLICKED = 5;

// Static styles and notifications.
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_OWNERDRAW = 0x000D;
inline constexpr DWORD SS_TYPEMASK = 0x001F;
inline constexpr DWORD SS_NOTIFY = 0x0100;
inline constexpr UINT STN_CLICKED = 0;
inline constexpr UINT STN_DBLCLK = 1;

// Edit styles, messages and notifications.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;
inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;
inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_MAXTEXT = 0x0501;

// Answers to WM_GETDLGCODE: which keys a control keeps from its dialog.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// Owner drawing: WM_DRAWITEM's lParam points to this record.
inline constexpr UINT ODT_BUTTON = 4;
inline constexpr UINT ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 0x0001;
inline constexpr UINT ODS_SELECTED = 0x0001;
inline constexpr UINT ODS_DISABLED = 0x0004;
inline constexpr UINT ODS_FOCUS = 0x0010;

struct DRAWITEMSTRUCT {
    UINT CtlType{0};
    UINT CtlID{0};
    UINT itemID{0};
    UINT itemAction{ODA_DRAWENTIRE};
    UINT itemState{0};
    HWND hwndItem{nullptr};
    Painter* pDC{nullptr};
    Rect rcItem;
    std::uintptr_t itemData{0};
};

// Control colours: WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC carry the control's painter in
// wParam (the owner sets text and background colours on it) and its handle in lParam; the
// owner answers 0 to leave the control's own background, or a brush made here.
constexpr LRESULT BrushResult(COLORREF color) {
    return static_cast<LRESULT>((std::uint64_t{1} << 32) | color);
}
constexpr std::optional<COLORREF> BrushFromResult(LRESULT result) {
    if (((static_cast<std::uint64_t>(result) >> 32) & 1u) == 0)
        return std::nullopt;
    return static_cast<COLORREF>(static_cast<std::uint64_t>(result) & 0xFFFFFFFFu);
}

// Pop-up menus: item flags and TrackPopupMenu flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_DEFAULT = 0x1000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;
// WM_ENTERIDLE's wParam when a menu waits for input.
inline constexpr WPARAM MSGF_MENU = 2;

} // namespace plat

namespace plat {

// Registers the window classes of the controls ("Button", "Static", "Edit", the dialog
// and menu classes) once per process; every control's Create calls it.
void EnsureControlClasses();

// Sends WM_COMMAND with `code` from a control to its parent.
void NotifyParent(const class CWnd& control, UINT code);

} // namespace plat
