// The key names follow the keyboard page of the USB usage tables, which is why the
// punctuation keys are named by both of their characters.
#include "model/key_name_list.h"

#include <array>

namespace {

constexpr std::u16string_view kLetters[] = {
    u"a A", u"b B", u"c C", u"d D", u"e E", u"f F", u"g G", u"h H", u"i I", u"j J", u"k K", u"l L", u"m M",
    u"n N", u"o O", u"p P", u"q Q", u"r R", u"s S", u"t T", u"u U", u"v V", u"w W", u"x X", u"y Y", u"z Z",
};

constexpr std::u16string_view kMain[] = {
    u"1 !",    u"2 @",    u"3 #",       u"4 $", u"5 %",   u"6 ^", u"7 &",       u"8 *", u"9 (", u"0 )",
    u"Return", u"Escape", u"Backspace", u"Tab", u"Space", u"- _", u"= +",       u"[ {", u"] }", u"\\ |",
    u"; :",    u"' \"",   u"` ~",       u", <", u". >",   u"/ ?", u"Caps Lock", u"F1",  u"F2",  u"F3",
    u"F4",     u"F5",     u"F6",        u"F7",  u"F8",    u"F9",  u"F10",       u"F11", u"F12",
};

constexpr std::u16string_view kHighFunctionKeys[] = {u"F23", u"F24"};

constexpr std::u16string_view kRest[] = {
    u"Print Screen (Note 1)",
    u"Scroll Lock",
    u"Pause",
    u"Insert (Note 1)",
    u"Home (Note 1)",
    u"Page Up (Note 1)",
    u"Delete (Note 1)",
    u"End (Note 1)",
    u"Page Down (Note 1)",
    u"Right Arrow (Note 1)",
    u"Left Arrow (Note 1)",
    u"Down Arrow (Note 1)",
    u"Up Arrow (Note 1)",
    u"Num Lock",
    u"Keypad / (Note 1)",
    u"Keypad *",
    u"Keypad -",
    u"Keypad +",
    u"Keypad Enter",
    u"Keypad 1 End",
    u"Keypad 2 Down",
    u"Keypad 3 PageDn",
    u"Keypad 4 Left",
    u"Keypad 5",
    u"Keypad 6 Right",
    u"Keypad 7 Home",
    u"Keypad 8 Up",
    u"Keypad 9 PageUp",
    u"Keypad 0 Insert",
    u"Keypad . Delete",
    u"Europe 2 (Note 2)",
    u"App",
    u"Keypad =",
    u"Left Control",
    u"Left Shift",
    u"Left Alt",
    u"Left GUI",
    u"Right Control",
    u"Right Shift",
    u"Right Alt",
    u"Right GUI",
};

template <size_t N> constexpr auto Join(bool withHighFunctionKeys) {
    std::array<std::u16string_view, N> names{};
    size_t i = 0;
    for (auto name : kLetters) {
        names[i++] = name;
    }
    for (auto name : kMain) {
        names[i++] = name;
    }
    if (withHighFunctionKeys) {
        for (auto name : kHighFunctionKeys) {
            names[i++] = name;
        }
    }
    for (auto name : kRest) {
        names[i++] = name;
    }
    return names;
}

constexpr size_t kShortCount = std::size(kLetters) + std::size(kMain) + std::size(kRest);
constexpr auto kFull = Join<kShortCount + 2>(true);
constexpr auto kShort = Join<kShortCount>(false);
static_assert(kFull.size() == 108 && kShort.size() == 106);

} // namespace

std::span<const std::u16string_view> KeyNameList() {
    return kFull;
}
std::span<const std::u16string_view> KeyNameList106() {
    return kShort;
}
