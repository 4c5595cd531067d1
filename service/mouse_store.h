// Where each emulated mouse's memory lives between runs: one JSON document per mouse in
// the state folder, replaced atomically after every change, so a crash at any moment leaves
// either the old or the new memory. A document that cannot be read is set aside (renamed,
// with a log line) and the mouse starts from its factory state.
#pragma once

#include "service/model_descriptor.h"
#include "service/mouse_memory.h"

#include <string>
#include <vector>

class MouseStore {
public:
    // `folder` ends with '/'; it is created on the first write.
    explicit MouseStore(std::string folder) : m_folder(std::move(folder)) {}

    // The default folder: ${XDG_STATE_HOME:-~/.local/state}/kavox/devices/.
    static std::string DefaultFolder();

    MouseMemory Load(const ModelDescriptor& model, const std::string& serial) const;
    bool Save(const ModelDescriptor& model, const std::string& serial, const MouseMemory& memory) const;

    struct AttachedMouse {
        std::string serial;
        uint32_t productId = 0;
    };
    // The mice attached when the service last ran; false when the list was never saved.
    bool LoadAttached(std::vector<AttachedMouse>& mice) const;
    bool SaveAttached(const std::vector<AttachedMouse>& mice) const;

    const std::string& Folder() const { return m_folder; }

private:
    std::string PathOf(const std::string& serial) const { return m_folder + serial + ".json"; }
    void SetAside(const std::string& path) const;

    std::string m_folder;
};
