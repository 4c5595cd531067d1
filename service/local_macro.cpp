// In-process macro manager and macros.
#include "service/event_block.h"
#include "service/guid_source.h"
#include "service/local_mouse_object.h"
#include "service/memory_document.h"

namespace {

class LocalMacro : public IMacro, LocalMouseObject, public std::enable_shared_from_this<LocalMacro> {
public:
    LocalMacro(const LocalContext& context, const plat::GUID& id) : LocalMouseObject(context), m_id(id) {}

    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return iid == IMacro::IID ? Offer(shared_from_this(), out) : E_NOINTERFACE;
    }
    HRESULT GetGuid(plat::GUID& id) override {
        return ReadMacro([&](const MacroMemory& macro) {
            id = macro.id;
            return S_OK;
        });
    }
    HRESULT GetName(std::u16string& name) override {
        return ReadMacro([&](const MacroMemory& macro) {
            name = macro.name;
            return S_OK;
        });
    }
    HRESULT SetName(const std::u16string& name) override {
        if (!IsValidName(name)) {
            return E_INVALIDARG;
        }
        return ChangeMacro([&](MacroMemory& macro) { macro.name = name; });
    }
    HRESULT ExportToFile(const std::u16string& path) override {
        return ReadMacro(
            [&](const MacroMemory& macro) { return WriteExportFile(path, MacroFileText(macro)); });
    }
    HRESULT GetEvents(MacroEventBlock& block) override {
        return ReadMacro([&](const MacroMemory& macro) {
            block = macro.events;
            return S_OK;
        });
    }
    HRESULT SetEvents(const MacroEventBlock& block) override {
        MacroEventBlock normalized;
        const HRESULT hr = NormalizeEventBlock(block, normalized);
        if (FAILED(hr)) {
            return hr;
        }
        return ChangeMacro([&](MacroMemory& macro) { macro.events = std::move(normalized); });
    }

private:
    HRESULT ReadMacro(const std::function<HRESULT(const MacroMemory&)>& read) const {
        return Read([&](const EmulatedMouse& mouse) {
            for (const MacroMemory& macro : mouse.Memory().macros) {
                if (macro.id == m_id) {
                    return read(macro);
                }
            }
            return E_NOT_FOUND;
        });
    }
    HRESULT ChangeMacro(const std::function<void(MacroMemory&)>& change) const {
        return Change([&](MouseMemory& memory, const ModelDescriptor&) {
            MacroMemory* macro = memory.FindMacro(m_id);
            if (macro == nullptr) {
                return E_NOT_FOUND;
            }
            change(*macro);
            return S_OK;
        });
    }

    plat::GUID m_id;
};

class LocalMacroManager : public IMacroManager, LocalMouseObject {
public:
    explicit LocalMacroManager(const LocalContext& context) : LocalMouseObject(context) {}
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }

    HRESULT GetMacro(uint32_t index, std::shared_ptr<IMacro>& macro) override {
        macro.reset();
        return Read([&](const EmulatedMouse& mouse) {
            if (index >= mouse.Memory().macros.size()) {
                return E_NO_MORE_ITEMS;
            }
            macro = std::make_shared<LocalMacro>(Context(), mouse.Memory().macros[index].id);
            return S_OK;
        });
    }
    HRESULT FindMacro(const plat::GUID& id, std::shared_ptr<IMacro>& macro) override {
        macro.reset();
        return Read([&](const EmulatedMouse& mouse) {
            for (const MacroMemory& candidate : mouse.Memory().macros) {
                if (!id.IsNull() && candidate.id == id) {
                    macro = std::make_shared<LocalMacro>(Context(), id);
                    return S_OK;
                }
            }
            return E_NOT_FOUND;
        });
    }
    HRESULT CreateMacro(std::shared_ptr<IMacro>& macro) override {
        MacroMemory created;
        created.name = u"Macro";
        created.events = EmptyEventBlock();
        return Add(std::move(created), macro);
    }
    HRESULT DeleteMacro(IMacro& macro) override {
        plat::GUID id;
        const HRESULT hr = macro.GetGuid(id);
        if (FAILED(hr)) {
            return hr;
        }
        return Change([&](MouseMemory& memory, const ModelDescriptor&) {
            return std::erase_if(memory.macros, [&id](const MacroMemory& m) { return m.id == id; })
                       ? S_OK
                       : E_NOT_FOUND;
        });
    }
    HRESULT GetMacroCount(uint32_t& count) override {
        return Read([&](const EmulatedMouse& mouse) {
            count = static_cast<uint32_t>(mouse.Memory().macros.size());
            return S_OK;
        });
    }
    HRESULT ImportMacro(const std::u16string& path, std::shared_ptr<IMacro>& macro) override {
        macro.reset();
        std::string text;
        const HRESULT hr = ReadImportFile(path, text);
        if (FAILED(hr)) {
            return hr;
        }
        MacroMemory imported;
        if (!ParseMacroFile(text, imported)) {
            return E_INVALID_DATA;
        }
        return Add(std::move(imported), macro);
    }

private:
    HRESULT Add(MacroMemory added, std::shared_ptr<IMacro>& macro) {
        macro.reset();
        added.id = NewRandomGuid();
        const plat::GUID id = added.id;
        const HRESULT hr = Change([&](MouseMemory& memory, const ModelDescriptor& model) {
            if (memory.macros.size() >= model.maxMacros) {
                return E_LIMIT_REACHED;
            }
            memory.macros.push_back(std::move(added));
            return S_OK;
        });
        if (SUCCEEDED(hr)) {
            macro = std::make_shared<LocalMacro>(Context(), id);
        }
        return hr;
    }
};

} // namespace

std::shared_ptr<IMacroManager> MakeLocalMacroManager(const LocalContext& context) {
    return std::make_shared<LocalMacroManager>(context);
}
