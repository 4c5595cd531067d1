// Resolution of the in-process objects' mice and profiles, and file access for transfers.
#include "service/local_mouse_object.h"

#include "platform/os/file_util.h"
#include "platform/text/utf.h"

#include <sys/stat.h>

namespace {

constexpr off_t kMaxImportSize = 1 << 20;

} // namespace

HRESULT LocalMouseObject::Read(const std::function<HRESULT(const EmulatedMouse&)>& read) const {
    return m_context.emulator->WithMouse(m_context.serial,
                                         [&read](EmulatedMouse& mouse) { return read(mouse); });
}

HRESULT
LocalMouseObject::Change(const std::function<HRESULT(MouseMemory&, const ModelDescriptor&)>& change) const {
    return m_context.emulator->WithMouse(m_context.serial, [&change](EmulatedMouse& mouse) {
        const ModelDescriptor& model = mouse.Model();
        return mouse.Change([&](MouseMemory& memory) { return change(memory, model); });
    });
}

HRESULT LocalMouseObject::ReadProfile(
    const plat::GUID& id,
    const std::function<HRESULT(const ProfileMemory&, const ModelDescriptor&)>& read) const {
    return Read([&](const EmulatedMouse& mouse) {
        const ProfileMemory* profile = mouse.Memory().FindProfile(id);
        return profile == nullptr ? E_NOT_FOUND : read(*profile, mouse.Model());
    });
}

HRESULT LocalMouseObject::ChangeProfile(
    const plat::GUID& id,
    const std::function<HRESULT(ProfileMemory&, const ModelDescriptor&)>& change) const {
    return Change([&](MouseMemory& memory, const ModelDescriptor& model) {
        ProfileMemory* profile = memory.FindProfile(id);
        return profile == nullptr ? E_NOT_FOUND : change(*profile, model);
    });
}

HRESULT LocalMouseObject::AdviseOn(const plat::GUID& offered, const plat::GUID& eventIid,
                                   std::shared_ptr<IEventSink> sink, uint32_t& cookie) const {
    cookie = 0;
    if (eventIid != offered) {
        return E_NO_CONNECTION;
    }
    return m_context.emulator->Advise(m_context.serial, eventIid, std::move(sink), cookie);
}

HRESULT LocalMouseObject::UnadviseOn(const plat::GUID& offered, const plat::GUID& eventIid,
                                     uint32_t cookie) const {
    if (eventIid != offered) {
        return E_NO_CONNECTION;
    }
    return m_context.emulator->Unadvise(m_context.serial, eventIid, cookie);
}

HRESULT ReadImportFile(const std::u16string& path, std::string& text) {
    const std::string file = plat::Utf16ToUtf8(path);
    struct stat info {};
    if (path.empty() || ::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return E_FILE_NOT_FOUND;
    }
    if (info.st_size > kMaxImportSize) {
        return E_INVALID_DATA;
    }
    return plat::ReadWholeFile(file, text) ? S_OK : E_FILE_NOT_FOUND;
}

HRESULT WriteExportFile(const std::u16string& path, const std::string& text) {
    if (path.empty() || path.find(u'\0') != std::u16string::npos) {
        return E_INVALIDARG;
    }
    return plat::WriteFileAtomically(plat::Utf16ToUtf8(path), text) ? S_OK : E_FAIL;
}
