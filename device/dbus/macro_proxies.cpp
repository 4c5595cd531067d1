// Proxies of the macro manager and macros.
#include "device/dbus/bus_client.h"
#include "platform/text/utf.h"

namespace {

class MacroProxy : public IMacro, BusObject, public std::enable_shared_from_this<MacroProxy> {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID& iid, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        if (iid != IMacro::IID) {
            return E_NOINTERFACE;
        }
        out = std::static_pointer_cast<IServiceObject>(shared_from_this());
        return S_OK;
    }
    HRESULT GetGuid(plat::GUID& id) override {
        std::vector<uint8_t> bytes;
        const HRESULT hr = Call(bus::kMacro, "GetGuid", Into(bytes));
        return FAILED(hr) ? hr : GuidFromBytes(bytes, id);
    }
    HRESULT GetName(std::u16string& name) override {
        std::string text;
        const HRESULT hr = Call(bus::kMacro, "GetName", Into(text));
        name = plat::Utf8ToUtf16(text);
        return hr;
    }
    HRESULT SetName(const std::u16string& name) override {
        return Call(bus::kMacro, "SetName", Into(), plat::Utf16ToUtf8(name));
    }
    HRESULT ExportToFile(const std::u16string& path) override {
        return Call(bus::kMacro, "ExportToFile", Into(), plat::Utf16ToUtf8(path));
    }
    HRESULT GetEvents(MacroEventBlock& block) override {
        block.clear();
        return Call(bus::kMacro, "GetEvents", Into(block));
    }
    HRESULT SetEvents(const MacroEventBlock& block) override {
        return Call(bus::kMacro, "SetEvents", Into(), block);
    }
};

class MacroManagerProxy : public IMacroManager, BusObject {
public:
    using BusObject::BusObject;
    HRESULT QueryInterface(const plat::GUID&, std::shared_ptr<IServiceObject>& out) override {
        out.reset();
        return E_NOINTERFACE;
    }
    HRESULT GetMacro(uint32_t index, std::shared_ptr<IMacro>& macro) override {
        return Hand(macro, "GetMacro", index);
    }
    HRESULT FindMacro(const plat::GUID& id, std::shared_ptr<IMacro>& macro) override {
        return Hand(macro, "FindMacro", GuidToBytes(id));
    }
    HRESULT CreateMacro(std::shared_ptr<IMacro>& macro) override { return Hand(macro, "CreateMacro"); }
    HRESULT DeleteMacro(IMacro& macro) override {
        plat::GUID id;
        const HRESULT hr = macro.GetGuid(id);
        return FAILED(hr) ? hr : Call(bus::kMacroManager, "DeleteMacro", Into(), GuidToBytes(id));
    }
    HRESULT GetMacroCount(uint32_t& count) override {
        return Call(bus::kMacroManager, "GetMacroCount", Into(count));
    }
    HRESULT ImportMacro(const std::u16string& path, std::shared_ptr<IMacro>& macro) override {
        return Hand(macro, "ImportMacro", plat::Utf16ToUtf8(path));
    }

private:
    template <class... In> HRESULT Hand(std::shared_ptr<IMacro>& macro, const char* method, const In&... in) {
        macro.reset();
        sdbus::ObjectPath path;
        const HRESULT hr = Call(bus::kMacroManager, method, Into(path), in...);
        if (SUCCEEDED(hr)) {
            macro = MakeMacroProxy(m_client, path);
        }
        return hr;
    }
};

} // namespace

std::shared_ptr<IMacro> MakeMacroProxy(const std::shared_ptr<BusClient>& client, const std::string& path) {
    return std::make_shared<MacroProxy>(client, path);
}

std::shared_ptr<IServiceObject> MakeMacroManagerProxy(const std::shared_ptr<BusClient>& client,
                                                      const std::string& path) {
    return std::make_shared<MacroManagerProxy>(client, path);
}
