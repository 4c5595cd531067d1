// Detail texts of assignments, by kind.
#include "model/assignment_detail_text.h"

#include "model/assign_type.h"
#include "model/assignment_payload.h"
#include "model/key_name_source.h"
#include "platform/text/format.h"

namespace {

void AppendPart(std::u16string& text, std::u16string_view part) {
    if (part.empty()) {
        return;
    }
    if (!text.empty()) {
        text += u'+';
    }
    text += part;
}

template <typename Lookup, typename Key> std::u16string NameFrom(const Lookup& lookup, const Key& key) {
    return lookup ? lookup(key) : std::u16string{};
}

std::u16string TempDpiText(const StageRecord& dpi, DetailStyle style) {
    if (style == DetailStyle::AssignButtons) {
        return dpi.separateAxes ? plat::Format(u"%dX, %dY", dpi.dpiX, dpi.dpiY)
                                : plat::Format(u"%d", dpi.dpi);
    }
    return dpi.dpiX == dpi.dpiY ? plat::Format(u"%d", dpi.dpi)
                                : plat::Format(u"%dx, %dy", dpi.dpiX, dpi.dpiY);
}

} // namespace

std::u16string KeyCombinationText(uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers) {
    std::u16string text;
    if (modifiers & kKeyModShift) {
        AppendPart(text, u"Shift");
    }
    if (modifiers & kKeyModCtrl) {
        AppendPart(text, u"Ctrl");
    }
    if (modifiers & kKeyModAlt) {
        AppendPart(text, u"Alt");
    }
    if (scanCode != 0) {
        AppendPart(text,
                   GetKeyNameSource().KeyName(virtualKey, scanCode, (modifiers & kKeyModExtended) != 0));
    }
    return text;
}

std::u16string AssignmentDetailText(const AssignmentRecord& record, DetailStyle style,
                                    const AssignmentNameLookups& lookups) {
    switch (record.kind) {
    case AT_DEFAULTKEY:
    case AT_SINGLE_KEY:
        return KeyCombinationText(GetKeyScanCode(record), GetKeyVirtualKey(record), GetKeyModifiers(record));
    case AT_MACRO:
        return NameFrom(lookups.macroById, GetPayloadGuid(record));
    case AT_MACRO_BY_NAME:
        return NameFrom(lookups.macroByName, GetPayloadName(record));
    case AT_TEMPORARY_DPI:
        return TempDpiText(GetTempDpi(record), style);
    case AT_PROFILE:
        return NameFrom(lookups.profileById, GetPayloadGuid(record));
    case AT_PROFILE_BY_NAME:
        return NameFrom(lookups.profileByName, GetPayloadName(record));
    default:
        return {};
    }
}

std::u16string WithDetail(std::u16string_view shown, std::u16string_view detail) {
    std::u16string line(shown);
    if (!detail.empty()) {
        line += u": ";
        line += detail;
    }
    return line;
}
