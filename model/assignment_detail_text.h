// The short text shown beside an assignment's kind: the key combination of a key
// assignment, the macro or profile it names, or the temporary sensitivity. Names of
// macros and profiles come from the configuration through lookups the caller supplies.
#pragma once

#include "model/model_types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Each lookup returns the current name of the macro or profile it finds, or empty text
// when none matches. A lookup left unset finds nothing.
struct AssignmentNameLookups {
    std::function<std::u16string(const GUID&)> macroById;
    std::function<std::u16string(std::u16string_view)> macroByName;
    std::function<std::u16string(const GUID&)> profileById;
    std::function<std::u16string(std::u16string_view)> profileByName;
};

// The assign-buttons page and the profile preview differ only in the temporary DPI text.
enum class DetailStyle { AssignButtons, ProfilePreview };

// "Shift+Ctrl+Alt+<key name>" from a modifier byte and a key; the parts present joined by
// "+", the key name only when the scan code is non-zero.
std::u16string KeyCombinationText(uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers);

// Empty for kinds that have no detail.
std::u16string AssignmentDetailText(const AssignmentRecord& record, DetailStyle style,
                                    const AssignmentNameLookups& lookups);

// `shown` followed by ": " and `detail` when there is a detail; the preview's line form.
std::u16string WithDetail(std::u16string_view shown, std::u16string_view detail);
