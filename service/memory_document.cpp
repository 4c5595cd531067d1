// JSON writing and strict reading with nlohmann-json. Library exceptions stop here.
#include "service/memory_document.h"

#include "platform/text/utf.h"
#include "service/factory_state.h"
#include "service/memory_rules.h"

#include <nlohmann/json.hpp>

#include <optional>

using nlohmann::json;

namespace {

constexpr const char* kMemoryFormat = "kavox-mouse-memory";
constexpr const char* kProfileFormat = "kavox-profile";
constexpr const char* kMacroFormat = "kavox-macro";
constexpr int kVersion = 1;

std::string Hex(const uint8_t* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += digits[data[i] >> 4];
        text += digits[data[i] & 0xF];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::vector<uint8_t>> Unhex(const json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return bytes;
}

// Typed readers: each fails on a missing member or a value of the wrong kind or range.
bool Read(const json& object, const char* key, uint32_t& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_unsigned() || it->get<uint64_t>() > UINT32_MAX) {
        return false;
    }
    out = static_cast<uint32_t>(it->get<uint64_t>());
    return true;
}

bool Read(const json& object, const char* key, bool& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_boolean()) {
        return false;
    }
    out = it->get<bool>();
    return true;
}

bool Read(const json& object, const char* key, std::u16string& out) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string()) {
        return false;
    }
    out = plat::Utf8ToUtf16(it->get_ref<const std::string&>());
    return true;
}

bool Read(const json& object, const char* key, plat::GUID& out) {
    std::u16string text;
    if (!Read(object, key, text)) {
        return false;
    }
    const std::optional<plat::GUID> id = plat::GuidFromString(text);
    if (!id) {
        return false;
    }
    out = *id;
    return true;
}

bool ReadPair(const json& value, DpiPair& pair) {
    if (!value.is_array() || value.size() != 2 || !value[0].is_number_unsigned() ||
        !value[1].is_number_unsigned() || value[0].get<uint64_t>() > UINT32_MAX ||
        value[1].get<uint64_t>() > UINT32_MAX) {
        return false;
    }
    pair = {static_cast<uint32_t>(value[0].get<uint64_t>()), static_cast<uint32_t>(value[1].get<uint64_t>())};
    return true;
}

std::string Utf8(const std::u16string& text) {
    return plat::Utf16ToUtf8(text);
}

json PairToJson(const DpiPair& pair) {
    return json::array({pair.x, pair.y});
}

json LightToJson(const LightMemory& light) {
    return {{"number", light.number},
            {"on", light.on},
            {"color", light.color},
            {"brightness", light.brightness},
            {"effect", light.effect},
            {"effectFirst", light.effectFirst},
            {"effectSecond", light.effectSecond}};
}

bool LightFromJson(const json& value, LightMemory& light) {
    return value.is_object() && Read(value, "number", light.number) && Read(value, "on", light.on) &&
           Read(value, "color", light.color) && Read(value, "brightness", light.brightness) &&
           Read(value, "effect", light.effect) && Read(value, "effectFirst", light.effectFirst) &&
           Read(value, "effectSecond", light.effectSecond);
}

json ProfileToJson(const ProfileMemory& profile, bool withId) {
    json stages = json::array();
    for (const DpiPair& pair : profile.stages) {
        stages.push_back(PairToJson(pair));
    }
    json functions = json::array();
    for (const FunctionBytes& record : profile.functions) {
        functions.push_back(Hex(record.data(), record.size()));
    }
    json lights = json::array();
    for (const LightMemory& light : profile.lights) {
        lights.push_back(LightToJson(light));
    }
    json object = {{"name", Utf8(profile.name)},
                   {"application", Utf8(profile.application)},
                   {"flags", profile.flags},
                   {"stages", stages},
                   {"activeStage", profile.activeStage},
                   {"sensitivity", PairToJson(profile.sensitivity)},
                   {"functions", functions},
                   {"lights", lights}};
    if (withId) {
        object["id"] = Utf8(plat::GuidToString(profile.id));
    }
    return object;
}

bool ReadStages(const json& object, ProfileMemory& profile) {
    const auto it = object.find("stages");
    if (it == object.end() || !it->is_array()) {
        return false;
    }
    for (const json& value : *it) {
        DpiPair pair;
        if (!ReadPair(value, pair)) {
            return false;
        }
        profile.stages.push_back(pair);
    }
    const auto sensitivity = object.find("sensitivity");
    return sensitivity != object.end() && ReadPair(*sensitivity, profile.sensitivity);
}

bool ReadFunctions(const json& object, ProfileMemory& profile) {
    const auto it = object.find("functions");
    if (it == object.end() || !it->is_array()) {
        return false;
    }
    for (const json& value : *it) {
        const std::optional<std::vector<uint8_t>> bytes = Unhex(value);
        if (!bytes || bytes->size() != FunctionRecord::kSize) {
            return false;
        }
        FunctionBytes record;
        std::copy(bytes->begin(), bytes->end(), record.begin());
        profile.functions.push_back(record);
    }
    return true;
}

bool ReadLights(const json& object, ProfileMemory& profile) {
    const auto it = object.find("lights");
    if (it == object.end() || !it->is_array()) {
        return false;
    }
    for (const json& value : *it) {
        LightMemory light;
        if (!LightFromJson(value, light)) {
            return false;
        }
        profile.lights.push_back(light);
    }
    return true;
}

bool ProfileFromJson(const json& object, bool withId, const ModelDescriptor& model, ProfileMemory& profile) {
    profile = ProfileMemory{};
    if (!object.is_object() || (withId && !Read(object, "id", profile.id))) {
        return false;
    }
    return Read(object, "name", profile.name) && Read(object, "application", profile.application) &&
           Read(object, "flags", profile.flags) && ReadStages(object, profile) &&
           Read(object, "activeStage", profile.activeStage) && ReadFunctions(object, profile) &&
           ReadLights(object, profile) && IsValidProfile(model, profile);
}

json MacroToJson(const MacroMemory& macro, bool withId) {
    json object = {{"name", Utf8(macro.name)}, {"events", Hex(macro.events.data(), macro.events.size())}};
    if (withId) {
        object["id"] = Utf8(plat::GuidToString(macro.id));
    }
    return object;
}

bool MacroFromJson(const json& object, bool withId, MacroMemory& macro) {
    macro = MacroMemory{};
    if (!object.is_object() || (withId && !Read(object, "id", macro.id)) ||
        !Read(object, "name", macro.name)) {
        return false;
    }
    const auto events = object.find("events");
    if (events == object.end()) {
        return false;
    }
    std::optional<std::vector<uint8_t>> bytes = Unhex(*events);
    if (!bytes) {
        return false;
    }
    macro.events = std::move(*bytes);
    return IsValidMacro(macro);
}

bool HasFormat(const json& document, const char* format) {
    return document.is_object() && document.value("format", std::string()) == format &&
           document.value("version", 0) == kVersion;
}

std::optional<json> Parse(std::string_view text) {
    json document = json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded()) {
        return std::nullopt;
    }
    return document;
}

bool ReadSettings(const json& document, MouseMemory& memory) {
    return Read(document, "activeProfile", memory.activeProfile) &&
           Read(document, "accelerationOn", memory.accelerationOn) &&
           Read(document, "accelerationLevel", memory.accelerationLevel) &&
           Read(document, "pollingInterval", memory.pollingInterval) &&
           Read(document, "calibrationOn", memory.calibrationOn) &&
           Read(document, "liftOffMode", memory.liftOffMode) &&
           Read(document, "liftOffDistance", memory.liftOffDistance) &&
           Read(document, "recordingMode", memory.recordingMode);
}

bool ReadMemory(const json& document, const ModelDescriptor& model, MouseMemory& memory) {
    uint32_t productId = 0;
    if (!HasFormat(document, kMemoryFormat) || !Read(document, "productId", productId) ||
        productId != model.productId || !ReadSettings(document, memory)) {
        return false;
    }
    const auto profiles = document.find("profiles");
    const auto macros = document.find("macros");
    if (profiles == document.end() || !profiles->is_array() || macros == document.end() ||
        !macros->is_array()) {
        return false;
    }
    for (const json& value : *profiles) {
        ProfileMemory profile;
        if (!ProfileFromJson(value, true, model, profile)) {
            return false;
        }
        memory.profiles.push_back(std::move(profile));
    }
    for (const json& value : *macros) {
        MacroMemory macro;
        if (!MacroFromJson(value, true, macro)) {
            return false;
        }
        memory.macros.push_back(std::move(macro));
    }
    return IsValidMemory(model, memory);
}

} // namespace

std::string MemoryToText(const MouseMemory& memory, const ModelDescriptor& model) {
    json profiles = json::array();
    for (const ProfileMemory& profile : memory.profiles) {
        profiles.push_back(ProfileToJson(profile, true));
    }
    json macros = json::array();
    for (const MacroMemory& macro : memory.macros) {
        macros.push_back(MacroToJson(macro, true));
    }
    const json document = {{"format", kMemoryFormat},
                           {"version", kVersion},
                           {"productId", model.productId},
                           {"activeProfile", Utf8(plat::GuidToString(memory.activeProfile))},
                           {"accelerationOn", memory.accelerationOn},
                           {"accelerationLevel", memory.accelerationLevel},
                           {"pollingInterval", memory.pollingInterval},
                           {"calibrationOn", memory.calibrationOn},
                           {"liftOffMode", memory.liftOffMode},
                           {"liftOffDistance", memory.liftOffDistance},
                           {"recordingMode", memory.recordingMode},
                           {"profiles", profiles},
                           {"macros", macros}};
    return document.dump(1, '\t', false, json::error_handler_t::replace);
}

bool MemoryFromText(std::string_view text, const ModelDescriptor& model, MouseMemory& memory) {
    try {
        const std::optional<json> document = Parse(text);
        MouseMemory read;
        if (!document || !ReadMemory(*document, model, read)) {
            return false;
        }
        memory = std::move(read);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string ProfileFileText(const ProfileMemory& profile, const ModelDescriptor& model) {
    const json document = {{"format", kProfileFormat},
                           {"version", kVersion},
                           {"productId", model.productId},
                           {"profile", ProfileToJson(profile, false)}};
    return document.dump(1, '\t', false, json::error_handler_t::replace);
}

bool ParseProfileFile(std::string_view text, const ModelDescriptor& model, ProfileMemory& profile) {
    try {
        const std::optional<json> document = Parse(text);
        if (!document || !HasFormat(*document, kProfileFormat) || !document->contains("profile")) {
            return false;
        }
        ProfileMemory read;
        if (!ProfileFromJson(document->at("profile"), false, model, read)) {
            return false;
        }
        profile = std::move(read);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string MacroFileText(const MacroMemory& macro) {
    const json document = {
        {"format", kMacroFormat}, {"version", kVersion}, {"macro", MacroToJson(macro, false)}};
    return document.dump(1, '\t', false, json::error_handler_t::replace);
}

bool ParseMacroFile(std::string_view text, MacroMemory& macro) {
    try {
        const std::optional<json> document = Parse(text);
        if (!document || !HasFormat(*document, kMacroFormat) || !document->contains("macro")) {
            return false;
        }
        MacroMemory read;
        if (!MacroFromJson(document->at("macro"), false, read)) {
            return false;
        }
        macro = std::move(read);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
