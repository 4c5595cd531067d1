// The open and save dialogs over the dialog provider.
#include "platform/window/file_dialog.h"

#include "platform/text/utf.h"
#include "platform/window/wnd.h"

#include <filesystem>
#include <system_error>

namespace plat {

namespace {

size_t NameStart(std::u16string_view path) {
    const size_t slash = path.find_last_of(u'/');
    return slash == std::u16string_view::npos ? 0 : slash + 1;
}

// The dot of the extension within the file name, if any; a leading dot names a hidden
// file, not an extension.
size_t ExtensionDot(std::u16string_view path) {
    const size_t start = NameStart(path);
    const size_t dot = path.find_last_of(u'.');
    return dot == std::u16string_view::npos || dot <= start ? std::u16string_view::npos : dot;
}

// Keeps the owner from taking input while the dialog is up, and gives it back after.
class DisabledOwner {
public:
    explicit DisabledOwner(CWnd* owner) : m_owner(owner ? owner->GetTopLevelParent() : nullptr) {
        if (m_owner && m_owner->GetSafeHwnd())
            m_wasDisabled = m_owner->EnableWindow(false);
    }
    ~DisabledOwner() {
        if (m_owner && m_owner->GetSafeHwnd() && !m_wasDisabled)
            m_owner->EnableWindow(true);
    }
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

private:
    CWnd* m_owner;
    bool m_wasDisabled{false};
};

} // namespace

CFileDialog::CFileDialog(bool openDialog, std::u16string_view defaultExt, std::u16string_view fileName,
                         DWORD flags, std::u16string_view filter, CWnd* parent)
    : m_open(openDialog), m_defaultExt(defaultExt), m_fileName(fileName), m_flags(flags), m_filter(filter),
      m_parent(parent) {
    while (!m_defaultExt.empty() && m_defaultExt.front() == u'.')
        m_defaultExt.erase(0, 1);
}

FileRequest CFileDialog::Request() const {
    FileRequest request;
    request.save = !m_open;
    request.title = m_title;
    request.filters = ParseFileFilter(m_filter);
    request.initialFolder = m_folder;
    request.initialName = m_fileName;
    request.defaultExt = m_defaultExt;
    request.mustExist = m_open && (m_flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST));
    request.overwritePrompt = !m_open && (m_flags & OFN_OVERWRITEPROMPT);
    return request;
}

int CFileDialog::DoModal() {
    m_path.clear();
    std::optional<std::u16string> chosen;
    {
        DisabledOwner owner(m_parent);
        chosen = GetDialogProvider().ChooseFile(Request());
    }
    if (!chosen || chosen->empty() || NameStart(*chosen) == chosen->size())
        return IDCANCEL;
    std::u16string path = m_open ? *chosen : WithDefaultExtension(*chosen, m_defaultExt);
    std::error_code error;
    const std::filesystem::path native(Utf16ToUtf8(path));
    if (m_open && (m_flags & OFN_FILEMUSTEXIST) && !std::filesystem::is_regular_file(native, error))
        return IDCANCEL;
    if ((m_flags & OFN_PATHMUSTEXIST) && native.has_parent_path() &&
        !std::filesystem::is_directory(native.parent_path(), error))
        return IDCANCEL;
    m_path = std::move(path);
    return IDOK;
}

std::u16string CFileDialog::GetFileName() const {
    return m_path.substr(NameStart(m_path));
}

std::u16string CFileDialog::GetFileTitle() const {
    const size_t start = NameStart(m_path);
    const size_t dot = ExtensionDot(m_path);
    return m_path.substr(start, dot == std::u16string::npos ? std::u16string::npos : dot - start);
}

std::u16string CFileDialog::GetFileExt() const {
    const size_t dot = ExtensionDot(m_path);
    return dot == std::u16string::npos ? std::u16string() : m_path.substr(dot + 1);
}

} // namespace plat
