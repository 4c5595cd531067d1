// The shortcut table behind the predefined commands and the event sequences built from it.
#include "model/predefined_macro_list.h"

#include "platform/text/compare.h"

namespace {

struct Key {
    uint16_t virtualKey;
    uint16_t scanCode;
    bool extended;
};

// Keys in key-table order; the first of each group is a modifier.
enum KeyIndex : size_t {
    kLeftCtrl,
    kX,
    kC,
    kV,
    kZ,
    kA,
    kF,
    kN,
    kP,
    kS,
    kLeftAlt,
    kTab,
    kF4,
    kLeftWin,
    kL,
    kE,
    kR,
    kD,
    kEquals,
    kMinus,
    kKeyCount
};

constexpr std::array<Key, kKeyCount> kKeys = {{
    {0xA2, 0x1D, false}, {0x58, 0x2D, false}, {0x43, 0x2E, false}, {0x56, 0x2F, false}, {0x5A, 0x2C, false},
    {0x41, 0x1E, false}, {0x46, 0x21, false}, {0x4E, 0x31, false}, {0x50, 0x19, false}, {0x53, 0x1F, false},
    {0xA4, 0x38, false}, {0x09, 0x0F, false}, {0x73, 0x3E, false}, {0x5B, 0x5B, true},  {0x4C, 0x26, false},
    {0x45, 0x12, false}, {0x52, 0x13, false}, {0x44, 0x20, false}, {0xBB, 0x0D, false}, {0xBD, 0x0C, false},
}};
static_assert(kKeyCount * 2 == CPredefinedMacroList::kKeyEntryCount);

struct Command {
    std::u16string_view name;
    KeyIndex modifier;
    KeyIndex key;
};

// Indexed by command code - 1.
constexpr std::array<Command, CPredefinedMacroList::kLastCommand> kCommands = {{
    {u"$cut", kLeftCtrl, kX},
    {u"$copy", kLeftCtrl, kC},
    {u"$paste", kLeftCtrl, kV},
    {u"$undo", kLeftCtrl, kZ},
    {u"$all", kLeftCtrl, kA},
    {u"$find", kLeftCtrl, kF},
    {u"$new", kLeftCtrl, kN},
    {u"$print", kLeftCtrl, kP},
    {u"$save", kLeftCtrl, kS},
    {u"$swapwindows", kLeftAlt, kTab},
    {u"$closewindow", kLeftAlt, kF4},
    {u"$lockpc", kLeftWin, kL},
    {u"$openexplorer", kLeftWin, kE},
    {u"$run", kLeftWin, kR},
    {u"$showdesktop", kLeftWin, kD},
    {u"$zoomin", kLeftCtrl, kEquals},
    {u"$zoomout", kLeftCtrl, kMinus},
}};

MacroEvent KeyEvent(const Key& key, int32_t pressOrRelease) {
    return MacroEvent{MET_KEY, static_cast<int32_t>(key.virtualKey) << 16 | key.scanCode,
                      pressOrRelease | (key.extended ? kMacroStateExtended : 0)};
}

} // namespace

const CPredefinedMacroList& CPredefinedMacroList::Instance() {
    static const CPredefinedMacroList instance;
    return instance;
}

CPredefinedMacroList::CPredefinedMacroList() {
    for (size_t k = 0; k < kKeyCount; ++k) {
        m_keys[2 * k] = KeyEvent(kKeys[k], kMacroStatePress);
        m_keys[2 * k + 1] = KeyEvent(kKeys[k], kMacroStateRelease);
    }
    for (int code = kFirstCommand; code <= kLastCommand; ++code) {
        const Command& command = kCommands[static_cast<size_t>(code - 1)];
        std::vector<MacroEvent> events = {m_keys[2 * command.modifier], m_keys[2 * command.key],
                                          m_keys[2 * command.key + 1], m_keys[2 * command.modifier + 1]};
        (code <= kLastBasicCommand ? m_basic : m_additional).emplace(code, std::move(events));
    }
}

std::vector<MacroEvent> CPredefinedMacroList::EventsOf(int code) const {
    const CommandMap& map = code <= kLastBasicCommand ? m_basic : m_additional;
    const auto found = map.find(code);
    return found != map.end() ? found->second : std::vector<MacroEvent>{};
}

int CPredefinedMacroList::CodeOf(std::u16string_view name) const {
    for (int code = kFirstCommand; code <= kLastCommand; ++code) {
        if (plat::EqualsNoCase(kCommands[static_cast<size_t>(code - 1)].name, name)) {
            return code;
        }
    }
    return -1;
}

std::u16string_view PredefinedCommandName(int code) {
    if (code < CPredefinedMacroList::kFirstCommand || code > CPredefinedMacroList::kLastCommand) {
        return {};
    }
    return kCommands[static_cast<size_t>(code - 1)].name;
}
