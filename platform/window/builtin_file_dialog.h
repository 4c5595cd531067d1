// The built-in open and save dialog, made of our own controls for desktops that offer
// neither the portal nor a helper program. A folder line with an "Up" button, the folder's
// entries in a report list (folders first, then the files the chosen filter matches), the
// file name, the file type and OK/Cancel. Problems (a missing file, an unreadable folder)
// show on a status line and keep the dialog open.
#pragma once

#include "platform/window/builtin_dialog_frame.h"
#include "platform/window/dialog_provider.h"
#include "platform/window/edit.h"
#include "platform/window/folder_listing.h"
#include "platform/window/list_ctrl.h"
#include "platform/window/list_scroll_bar.h"
#include "platform/window/static_control.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plat {

class CBuiltinFileDialog : public CBuiltinDialogFrame {
public:
    static constexpr UINT kFolderId = 0x101;
    static constexpr UINT kUpId = 0x102;
    static constexpr UINT kListId = 0x103;
    static constexpr UINT kNameId = 0x104;
    static constexpr UINT kTypeId = 0x105;
    static constexpr UINT kStatusId = 0x106;

    explicit CBuiltinFileDialog(FileRequest request);

    // Runs the dialog; the chosen path, or nullopt when cancelled.
    std::optional<std::u16string> Choose();

    const std::filesystem::path& Folder() const { return m_folder; }
    const std::vector<FolderEntry>& Entries() const { return m_entries; }

protected:
    bool CreateControls() override;
    void PaintBody(Painter& painter) override;
    void OnOK() override;
    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateRows(const Rect& body);
    void CreateList(const Rect& area);
    std::filesystem::path StartFolder();
    // False (with the reason on the status line) when the folder cannot be read; the
    // listing shown stays as it was.
    bool Navigate(const std::filesystem::path& folder);
    void FillList();
    void GoUp();
    void CycleFilter();
    void OnListNotify(const NMHDR& header);
    LRESULT OnListDraw(NMLVCUSTOMDRAW& draw);
    static void DrawFolderIcon(Painter& painter, Point at);
    static void DrawFileIcon(Painter& painter, Point at);
    void Activate(int row);
    void AcceptTyped(const std::u16string& typed);
    void TryAccept(std::filesystem::path path);
    void ShowStatus(std::u16string_view text);
    std::filesystem::path Resolve(const std::u16string& typed) const;
    std::u16string SaveExtension() const;

    FileRequest m_request;
    std::vector<FileFilter> m_filters;
    size_t m_filter{0};
    std::filesystem::path m_folder;
    std::vector<FolderEntry> m_entries;
    std::optional<std::u16string> m_result;
    Rect m_listFrame;

    CStatic m_folderLabel;
    CEdit m_folderLine;
    CButton m_up;
    CListCtrl m_list;
    CListScrollBar m_scrollBar;
    CStatic m_nameLabel;
    CEdit m_name;
    CStatic m_typeLabel;
    CButton m_type;
    CButton m_ok;
    CButton m_cancel;
    CStatic m_status;
};

} // namespace plat
