// The seventeen predefined commands ("$cut" .. "$zoomout"): keyboard shortcuts the macro
// editor inserts into a macro as four key events (modifier down, key down, key up,
// modifier up). Built once, on first use, and read-only afterwards.
#pragma once

#include "model/model_types.h"

#include <array>
#include <map>
#include <string_view>
#include <vector>

class CPredefinedMacroList {
public:
    static constexpr int kFirstCommand = 1;
    static constexpr int kLastBasicCommand = 9;
    static constexpr int kLastCommand = 17;
    // A down and an up entry for each of the twenty keys the commands use.
    static constexpr size_t kKeyEntryCount = 40;

    using CommandMap = std::map<int, std::vector<MacroEvent>>;

    static const CPredefinedMacroList& Instance();

    // Entry 2k is the down event and 2k+1 the up event of key k.
    const std::array<MacroEvent, kKeyEntryCount>& KeyTable() const { return m_keys; }
    // Codes 1-9 and 10-17.
    const CommandMap& BasicCommands() const { return m_basic; }
    const CommandMap& AdditionalCommands() const { return m_additional; }

    // The four events of a command; empty for any other code.
    std::vector<MacroEvent> EventsOf(int code) const;
    // 1-17 for a command's name key compared ignoring case, -1 otherwise.
    int CodeOf(std::u16string_view name) const;

private:
    CPredefinedMacroList();

    std::array<MacroEvent, kKeyEntryCount> m_keys{};
    CommandMap m_basic;
    CommandMap m_additional;
};

// "$cut" for 1 .. "$zoomout" for 17; empty for any other code.
std::u16string_view PredefinedCommandName(int code);
