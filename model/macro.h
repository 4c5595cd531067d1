// A macro: a named, ordered list of input events that the mouse plays for a button.
#pragma once

#include "model/model_types.h"

#include <string>
#include <string_view>
#include <vector>

class CMacro {
public:
    // The device service keeps names in 256 units with a terminator.
    static constexpr size_t kMaxNameLength = 255;

    CMacro() = default;
    explicit CMacro(std::u16string_view name) { SetName(name); }

    // Copies name, id and events. The import path stays with the macro it belongs to:
    // a copy was never imported from anywhere.
    CMacro(const CMacro& other) : m_name(other.m_name), m_id(other.m_id), m_events(other.m_events) {}
    CMacro& operator=(const CMacro& other);

    const std::u16string& GetName() const { return m_name; }
    // Longer names are cut to kMaxNameLength units, never inside a surrogate pair.
    void SetName(std::u16string_view name);
    static std::u16string LimitName(std::u16string_view name);

    const GUID& GetId() const { return m_id; }
    void SetId(const GUID& id) { m_id = id; }

    const std::vector<MacroEvent>& GetEvents() const { return m_events; }
    std::vector<MacroEvent>& Events() { return m_events; }
    void SetEvents(std::vector<MacroEvent> events) { m_events = std::move(events); }

    const std::u16string& GetImportPath() const { return m_importPath; }
    void SetImportPath(std::u16string_view path) { m_importPath.assign(path); }

    // Same id, same name ignoring case, same events field by field. The import path does
    // not count.
    friend bool operator==(const CMacro& a, const CMacro& b);

private:
    std::u16string m_name;
    GUID m_id{};
    std::vector<MacroEvent> m_events;
    std::u16string m_importPath;
};
