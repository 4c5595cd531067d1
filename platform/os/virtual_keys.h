// Virtual-key codes: the layout-independent key identities that key records, macro events
// and single-key assignments store. The numbers are the ones stored files and the device
// service already use, so they never change.
#pragma once

#include <cstdint>

namespace plat {

inline constexpr uint16_t VK_BACK = 0x08;
inline constexpr uint16_t VK_TAB = 0x09;
inline constexpr uint16_t VK_CLEAR = 0x0C;
inline constexpr uint16_t VK_RETURN = 0x0D;
inline constexpr uint16_t VK_SHIFT = 0x10;
inline constexpr uint16_t VK_CONTROL = 0x11;
inline constexpr uint16_t VK_MENU = 0x12; // Alt
inline constexpr uint16_t VK_PAUSE = 0x13;
inline constexpr uint16_t VK_CAPITAL = 0x14;
inline constexpr uint16_t VK_KANA = 0x15;
inline constexpr uint16_t VK_KANJI = 0x19;
inline constexpr uint16_t VK_ESCAPE = 0x1B;
inline constexpr uint16_t VK_CONVERT = 0x1C;
inline constexpr uint16_t VK_NONCONVERT = 0x1D;
inline constexpr uint16_t VK_SPACE = 0x20;
inline constexpr uint16_t VK_PRIOR = 0x21; // Page Up
inline constexpr uint16_t VK_NEXT = 0x22;  // Page Down
inline constexpr uint16_t VK_END = 0x23;
inline constexpr uint16_t VK_HOME = 0x24;
inline constexpr uint16_t VK_LEFT = 0x25;
inline constexpr uint16_t VK_UP = 0x26;
inline constexpr uint16_t VK_RIGHT = 0x27;
inline constexpr uint16_t VK_DOWN = 0x28;
inline constexpr uint16_t VK_SNAPSHOT = 0x2C; // Print Screen
inline constexpr uint16_t VK_INSERT = 0x2D;
inline constexpr uint16_t VK_DELETE = 0x2E;
inline constexpr uint16_t VK_HELP = 0x2F;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
inline constexpr uint16_t VK_0 = 0x30;
inline constexpr uint16_t VK_A = 0x41;
inline constexpr uint16_t VK_LWIN = 0x5B;
inline constexpr uint16_t VK_RWIN = 0x5C;
inline constexpr uint16_t VK_APPS = 0x5D;
inline constexpr uint16_t VK_SLEEP = 0x5F;
inline constexpr uint16_t VK_NUMPAD0 = 0x60; // ..VK_NUMPAD9 = 0x69
inline constexpr uint16_t VK_MULTIPLY = 0x6A;
inline constexpr uint16_t VK_ADD = 0x6B;
inline constexpr uint16_t VK_SEPARATOR = 0x6C; // also the keypad Enter of key records
inline constexpr uint16_t VK_SUBTRACT = 0x6D;
inline constexpr uint16_t VK_DECIMAL = 0x6E;
inline constexpr uint16_t VK_DIVIDE = 0x6F;
inline constexpr uint16_t VK_F1 = 0x70; // ..VK_F24 = 0x87
inline constexpr uint16_t VK_F24 = 0x87;
inline constexpr uint16_t VK_NUMLOCK = 0x90;
inline constexpr uint16_t VK_SCROLL = 0x91;
inline constexpr uint16_t VK_OEM_NEC_EQUAL = 0x92; // keypad '='
inline constexpr uint16_t VK_LSHIFT = 0xA0;
inline constexpr uint16_t VK_RSHIFT = 0xA1;
inline constexpr uint16_t VK_LCONTROL = 0xA2;
inline constexpr uint16_t VK_RCONTROL = 0xA3;
inline constexpr uint16_t VK_LMENU = 0xA4;
inline constexpr uint16_t VK_RMENU = 0xA5;
inline constexpr uint16_t VK_BROWSER_BACK = 0xA6;
inline constexpr uint16_t VK_BROWSER_FORWARD = 0xA7;
inline constexpr uint16_t VK_BROWSER_REFRESH = 0xA8;
inline constexpr uint16_t VK_BROWSER_STOP = 0xA9;
inline constexpr uint16_t VK_BROWSER_SEARCH = 0xAA;
inline constexpr uint16_t VK_BROWSER_FAVORITES = 0xAB;
inline constexpr uint16_t VK_BROWSER_HOME = 0xAC;
inline constexpr uint16_t VK_VOLUME_MUTE = 0xAD;
inline constexpr uint16_t VK_VOLUME_DOWN = 0xAE;
inline constexpr uint16_t VK_VOLUME_UP = 0xAF;
inline constexpr uint16_t VK_MEDIA_NEXT_TRACK = 0xB0;
inline constexpr uint16_t VK_MEDIA_PREV_TRACK = 0xB1;
inline constexpr uint16_t VK_MEDIA_STOP = 0xB2;
inline constexpr uint16_t VK_MEDIA_PLAY_PAUSE = 0xB3;
inline constexpr uint16_t VK_LAUNCH_MAIL = 0xB4;
inline constexpr uint16_t VK_LAUNCH_MEDIA_SELECT = 0xB5;
inline constexpr uint16_t VK_LAUNCH_APP1 = 0xB6;
inline constexpr uint16_t VK_LAUNCH_APP2 = 0xB7;
inline constexpr uint16_t VK_OEM_1 = 0xBA; // ';:' on US keyboards
inline constexpr uint16_t VK_OEM_PLUS = 0xBB;
inline constexpr uint16_t VK_OEM_COMMA = 0xBC;
inline constexpr uint16_t VK_OEM_MINUS = 0xBD;
inline constexpr uint16_t VK_OEM_PERIOD = 0xBE;
inline constexpr uint16_t VK_OEM_2 = 0xBF; // '/?'
inline constexpr uint16_t VK_OEM_3 = 0xC0; // '`~'
inline constexpr uint16_t VK_ABNT_C1 = 0xC1;
inline constexpr uint16_t VK_ABNT_C2 = 0xC2;
inline constexpr uint16_t VK_OEM_4 = 0xDB; // '[{'
inline constexpr uint16_t VK_OEM_5 = 0xDC; // '\|'
inline constexpr uint16_t VK_OEM_6 = 0xDD; // ']}'
inline constexpr uint16_t VK_OEM_7 = 0xDE; // ''"'
inline constexpr uint16_t VK_OEM_8 = 0xDF;
inline constexpr uint16_t VK_OEM_102 = 0xE2; // the extra key beside left Shift
// A raw report's "no virtual key" value (also the synthetic Shift of an extended key).
inline constexpr uint16_t VK_NONE = 0xFF;

} // namespace plat
