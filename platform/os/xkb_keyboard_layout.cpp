// Reading layouts with xkbcommon. The characters are copied out once, so the layout
// answers without xkbcommon afterwards and is safe to share between threads.
#include "platform/os/xkb_keyboard_layout.h"

#include "platform/os/file_util.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <string_view>

namespace plat {
namespace {

struct ContextDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
struct StateDeleter {
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};

// Dead keys type nothing by themselves; the name shows the accent they add.
char32_t DeadKeyCharacter(xkb_keysym_t sym) {
    switch (sym) {
    case XKB_KEY_dead_grave:
        return U'`';
    case XKB_KEY_dead_acute:
        return U'\u00B4';
    case XKB_KEY_dead_circumflex:
        return U'^';
    case XKB_KEY_dead_tilde:
        return U'~';
    case XKB_KEY_dead_macron:
        return U'\u00AF';
    case XKB_KEY_dead_breve:
        return U'\u02D8';
    case XKB_KEY_dead_abovedot:
        return U'\u02D9';
    case XKB_KEY_dead_diaeresis:
        return U'\u00A8';
    case XKB_KEY_dead_abovering:
        return U'\u02DA';
    case XKB_KEY_dead_doubleacute:
        return U'\u02DD';
    case XKB_KEY_dead_caron:
        return U'\u02C7';
    case XKB_KEY_dead_cedilla:
        return U'\u00B8';
    case XKB_KEY_dead_ogonek:
        return U'\u02DB';
    default:
        return 0;
    }
}

xkb_mod_mask_t ModMask(xkb_keymap* keymap, const char* name) {
    xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, name);
    return index == XKB_MOD_INVALID ? 0 : xkb_mod_mask_t{1} << index;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// `KEY="value"` lines; anything else is skipped.
std::string SettingOf(std::string_view text, std::string_view key) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
            std::string_view value = line.substr(key.size() + 1);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return std::string(value);
        }
    }
    return {};
}

} // namespace

std::shared_ptr<const KeyboardLayout> KeyboardLayoutFromXkbKeymap(xkb_keymap* keymap, std::string name) {
    if (!keymap) {
        return nullptr;
    }
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
    if (!state) {
        return nullptr;
    }
    const xkb_mod_mask_t shift = ModMask(keymap, XKB_MOD_NAME_SHIFT);
    const xkb_mod_mask_t levelThree = ModMask(keymap, "Mod5");
    const xkb_mod_mask_t masks[4] = {0, shift, levelThree, shift | levelThree};

    std::map<uint16_t, KeyboardLayout::Characters> table;
    for (size_t level = 0; level < 4; ++level) {
        xkb_state_update_mask(state.get(), masks[level], 0, 0, 0, 0, 0);
        for (const KeyCode& key : AllKeyCodes()) {
            xkb_keysym_t sym = xkb_state_key_get_one_sym(state.get(), key.evdev + kX11KeycodeOffset);
            char32_t c = xkb_keysym_to_utf32(sym);
            if (c == 0) {
                c = DeadKeyCharacter(sym);
            }
            if (c != 0) {
                table[key.evdev][level] = c;
            }
        }
    }
    return std::make_shared<const KeyboardLayout>(std::move(name), std::move(table));
}

std::shared_ptr<const KeyboardLayout> KeyboardLayoutFromNames(const XkbLayoutNames& names) {
    std::unique_ptr<xkb_context, ContextDeleter> context(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    if (!context) {
        return nullptr;
    }
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    auto field = [](const std::string& value) { return value.empty() ? nullptr : value.c_str(); };
    const xkb_rule_names rmlvo{field(names.rules), field(names.model), field(names.layout),
                               field(names.variant), field(names.options)};
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap(
        xkb_keymap_new_from_names(context.get(), &rmlvo, XKB_KEYMAP_COMPILE_NO_FLAGS));
    std::string name = names.layout.empty() ? "us" : names.layout;
    if (!names.variant.empty()) {
        name += "(" + names.variant + ")";
    }
    return KeyboardLayoutFromXkbKeymap(keymap.get(), std::move(name));
}

XkbLayoutNames SystemXkbLayoutNames(const std::string& settingsPath) {
    if (!Environment("XKB_DEFAULT_LAYOUT").empty()) {
        return {Environment("XKB_DEFAULT_RULES"), Environment("XKB_DEFAULT_MODEL"),
                Environment("XKB_DEFAULT_LAYOUT"), Environment("XKB_DEFAULT_VARIANT"),
                Environment("XKB_DEFAULT_OPTIONS")};
    }
    std::string text;
    if (!ReadWholeFile(settingsPath, text)) {
        return {};
    }
    return {"", SettingOf(text, "XKBMODEL"), SettingOf(text, "XKBLAYOUT"), SettingOf(text, "XKBVARIANT"),
            SettingOf(text, "XKBOPTIONS")};
}

std::shared_ptr<const KeyboardLayout> LoadSystemKeyboardLayout() {
    if (Environment("KAVOX_PLATFORM") == "headless") {
        return nullptr;
    }
    XkbLayoutNames names = SystemXkbLayoutNames();
    if (names.layout.empty()) {
        return nullptr;
    }
    return KeyboardLayoutFromNames(names);
}

} // namespace plat
