// CFileDialog: the open and save dialogs. The request goes to the dialog provider; the
// owner window is disabled while the dialog is up, so it takes no input meanwhile.
#pragma once

#include "platform/core/messages.h"
#include "platform/window/dialog_provider.h"
#include "platform/window/dialog_results.h"

#include <string>
#include <string_view>

namespace plat {

class CWnd;

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

class CFileDialog {
public:
    // `filter` is in the "Name (*.ext)|*.ext||" form; `defaultExt` has no dot and is added
    // to a saved name that has no extension.
    CFileDialog(bool openDialog, std::u16string_view defaultExt = {}, std::u16string_view fileName = {},
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, std::u16string_view filter = {},
                CWnd* parent = nullptr);

    void SetInitialFolder(std::u16string_view folder) { m_folder = folder; }
    void SetTitle(std::u16string_view title) { m_title = title; }
    // IDOK with a path, IDCANCEL when the user cancelled or the path fails the flags.
    int DoModal();

    std::u16string GetPathName() const { return m_path; }
    std::u16string GetFileName() const;  // name and extension
    std::u16string GetFileTitle() const; // name without extension
    std::u16string GetFileExt() const;   // without the dot

private:
    FileRequest Request() const;

    bool m_open;
    std::u16string m_defaultExt;
    std::u16string m_fileName;
    DWORD m_flags;
    std::u16string m_filter;
    CWnd* m_parent;
    std::u16string m_folder;
    std::u16string m_title;
    std::u16string m_path;
};

} // namespace plat
