// Loading, saving and setting aside mouse documents.
#include "service/mouse_store.h"

#include "platform/os/file_util.h"
#include "platform/os/user_folders.h"
#include "platform/text/utf.h"
#include "service/factory_state.h"
#include "service/memory_document.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

std::string MouseStore::DefaultFolder() {
    return plat::Utf16ToUtf8(plat::UserStateFolder()) + "devices/";
}

void MouseStore::SetAside(const std::string& path) const {
    const auto stamp =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    const std::string aside = path + ".corrupt-" + std::to_string(stamp);
    if (std::rename(path.c_str(), aside.c_str()) == 0) {
        std::cerr << "kavox-deviced: " << path << " cannot be read; set aside as " << aside
                  << ", the mouse starts from its factory state\n";
    } else {
        std::cerr << "kavox-deviced: " << path
                  << " cannot be read; the mouse starts from its factory state\n";
    }
}

MouseMemory MouseStore::Load(const ModelDescriptor& model, const std::string& serial) const {
    const std::string path = PathOf(serial);
    std::string text;
    if (plat::ReadWholeFile(path, text)) {
        MouseMemory memory;
        if (MemoryFromText(text, model, memory)) {
            return memory;
        }
        SetAside(path);
    }
    return MakeFactoryMemory(model);
}

bool MouseStore::Save(const ModelDescriptor& model, const std::string& serial,
                      const MouseMemory& memory) const {
    return plat::WriteFileAtomically(PathOf(serial), MemoryToText(memory, model));
}

bool MouseStore::LoadAttached(std::vector<AttachedMouse>& mice) const {
    std::string text;
    if (!plat::ReadWholeFile(m_folder + "attached.json", text)) {
        return false;
    }
    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (!document.is_array()) {
        return false;
    }
    mice.clear();
    for (const nlohmann::json& entry : document) {
        if (!entry.is_object() || !entry.contains("serial") || !entry["serial"].is_string() ||
            !entry.contains("productId") || !entry["productId"].is_number_unsigned()) {
            continue;
        }
        const std::string serial = entry["serial"].get<std::string>();
        const auto productId = entry["productId"].get<uint64_t>();
        if (FindModel(static_cast<uint32_t>(productId)) != nullptr && productId <= UINT32_MAX &&
            !serial.empty() && serial.size() <= 32 &&
            serial.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") == std::string::npos) {
            mice.push_back({serial, static_cast<uint32_t>(productId)});
        }
    }
    return true;
}

bool MouseStore::SaveAttached(const std::vector<AttachedMouse>& mice) const {
    nlohmann::json document = nlohmann::json::array();
    for (const AttachedMouse& mouse : mice) {
        document.push_back({{"serial", mouse.serial}, {"productId", mouse.productId}});
    }
    return plat::WriteFileAtomically(m_folder + "attached.json", document.dump(1, '\t'));
}
