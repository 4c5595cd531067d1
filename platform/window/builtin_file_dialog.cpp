// Layout, navigation and acceptance of the built-in open and save dialog.
#include "platform/window/builtin_file_dialog.h"

#include "platform/gfx/painter.h"
#include "platform/os/virtual_keys.h"
#include "platform/text/compare.h"
#include "platform/text/utf.h"
#include "platform/window/builtin_confirm_dialog.h"
#include "platform/window/window_api.h"

#include <cstdlib>

namespace plat {

namespace fs = std::filesystem;

namespace {

constexpr Size kSize{660, 480};
constexpr int kLabelWidth = 92;
constexpr int kStatusHeight = 18;
constexpr int kTypeColumnWidth = 120;
constexpr int kSizeColumnWidth = 96;
constexpr int kScrollBarWidth = 14;

std::u16string Quoted(std::u16string_view text) {
    return u"\u201C" + std::u16string(text) + u"\u201D";
}

std::u16string Display(const fs::path& path) {
    return Utf8ToUtf16(path.string());
}

fs::path HomeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) : fs::path("/");
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// "XML File" for "profile.xml", plain "File" without an extension.
std::u16string TypeText(std::u16string_view name) {
    const size_t dot = name.find_last_of(u'.');
    if (dot == std::u16string_view::npos || dot == 0 || dot + 1 == name.size())
        return u"File";
    std::u16string ext(name.substr(dot + 1));
    for (char16_t& c : ext)
        c = ToUpperUnit(c);
    return ext + u" File";
}

// A folder path without a trailing separator (the root keeps its own).
fs::path Normal(const fs::path& path) {
    fs::path out = path.lexically_normal();
    if (!out.has_filename() && out.has_parent_path() && out != out.root_path())
        out = out.parent_path();
    return out;
}

} // namespace

CBuiltinFileDialog::CBuiltinFileDialog(FileRequest request)
    : CBuiltinDialogFrame(
          request.title.empty() ? std::u16string(request.save ? u"Save As" : u"Open") : request.title, kSize),
      m_request(std::move(request)), m_filters(m_request.filters) {
    if (m_filters.empty())
        m_filters.push_back({u"All files", {u"*"}});
}

std::optional<std::u16string> CBuiltinFileDialog::Choose() {
    m_result.reset();
    if (DoModal() != IDOK)
        return std::nullopt;
    return m_result;
}

// ---- Controls ----

bool CBuiltinFileDialog::CreateControls() {
    const Rect body = Body();
    m_folderLabel.Create(u"Look in:", WS_VISIBLE,
                         {body.left, body.top, body.left + kLabelWidth, body.top + kRowHeight}, this);
    const int upLeft = body.right - kButtonWidth;
    m_folderLine.Create(WS_VISIBLE | WS_BORDER | ES_READONLY,
                        {body.left + kLabelWidth, body.top, upLeft - kGap, body.top + kRowHeight}, this,
                        kFolderId);
    m_up.Create(u"\u2191 Up", WS_VISIBLE | WS_TABSTOP, {upLeft, body.top, body.right, body.top + kRowHeight},
                this, kUpId);
    CreateRows(body);

    fs::path start = StartFolder();
    if (!Navigate(start) && !Navigate(HomeFolder()))
        Navigate("/");
    const std::u16string name = m_name.GetWindowText();
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (!m_entries[i].folder && m_entries[i].name == name) {
            m_list.SelectItem(static_cast<int>(i));
            m_list.EnsureVisible(static_cast<int>(i), false);
        }
    m_name.SetFocus();
    // Saving usually keeps the extension: only the part before it starts selected.
    const size_t dot = name.find_last_of(u'.');
    const bool keepExtension = m_request.save && dot != std::u16string::npos && dot > 0;
    m_name.SetSel(0, keepExtension ? static_cast<int>(dot) : -1);
    return false;
}

void CBuiltinFileDialog::CreateRows(const Rect& body) {
    const int typeTop = body.bottom - kButtonHeight;
    const int nameTop = typeTop - kGap - kButtonHeight;
    const int statusTop = nameTop - 6 - kStatusHeight;
    const int listTop = body.top + kRowHeight + 10;
    CreateList({body.left, listTop, body.right, statusTop - 4});

    const int buttonLeft = body.right - kButtonWidth;
    const int fieldLeft = body.left + kLabelWidth;
    const int fieldRight = buttonLeft - kGap - kGap;
    m_nameLabel.Create(u"File name:", WS_VISIBLE, {body.left, nameTop, fieldLeft, nameTop + kButtonHeight},
                       this);
    m_name.Create(WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                  {fieldLeft, nameTop, fieldRight, nameTop + kButtonHeight}, this, kNameId);
    m_name.SetWindowText(m_request.initialName);
    m_typeLabel.Create(u"Files of type:", WS_VISIBLE,
                       {body.left, typeTop, fieldLeft, typeTop + kButtonHeight}, this);
    m_type.Create(m_filters.front().name, WS_VISIBLE | WS_TABSTOP,
                  {fieldLeft, typeTop, fieldRight, typeTop + kButtonHeight}, this, kTypeId);
    m_type.EnableWindow(m_filters.size() > 1);
    m_ok.Create(m_request.save ? u"Save" : u"Open", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {buttonLeft, nameTop, body.right, nameTop + kButtonHeight}, this, IDOK);
    m_cancel.Create(u"Cancel", WS_VISIBLE | WS_TABSTOP,
                    {buttonLeft, typeTop, body.right, typeTop + kButtonHeight}, this, IDCANCEL);
    m_status.Create(u"", WS_VISIBLE, {body.left, statusTop, body.right, statusTop + kStatusHeight}, this,
                    kStatusId);
}

void CBuiltinFileDialog::CreateList(const Rect& area) {
    // The list sits one pixel inside a frame the body draws around it.
    m_listFrame = area;
    const Rect inner{area.left + 1, area.top + 1, area.right - 1 - kScrollBarWidth, area.bottom - 1};
    m_list.Create(WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, inner, this,
                  kListId);
    m_list.SetFont(DialogFont(), false);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const int nameWidth = inner.Width() - kTypeColumnWidth - kSizeColumnWidth;
    m_list.InsertColumn(0, u"Name", LVCFMT_LEFT, nameWidth);
    m_list.InsertColumn(1, u"Type", LVCFMT_LEFT, kTypeColumnWidth);
    m_list.InsertColumn(2, u"Size", LVCFMT_RIGHT, kSizeColumnWidth);
    m_scrollBar.Create({inner.right, inner.top, inner.right + kScrollBarWidth, inner.bottom}, this, m_list);
}

void CBuiltinFileDialog::PaintBody(Painter& painter) {
    painter.FrameRect(m_listFrame, RGB(122, 122, 122));
}

// ---- Folders ----

// The request's folder, or the current one; a name with a folder part starts in that
// folder; a folder that does not exist gives way to the home folder.
fs::path CBuiltinFileDialog::StartFolder() {
    std::error_code error;
    fs::path folder = m_request.initialFolder.empty() ? fs::current_path(error)
                                                      : fs::path(Utf16ToUtf8(m_request.initialFolder));
    if (folder.is_relative() && !folder.empty())
        folder = fs::absolute(folder, error);
    const fs::path name(Utf16ToUtf8(m_request.initialName));
    if (name.has_parent_path()) {
        const fs::path inner = name.is_absolute() ? name.parent_path() : folder / name.parent_path();
        if (IsFolder(inner)) {
            folder = inner;
            m_name.SetWindowText(Utf8ToUtf16(name.filename().string()));
        }
    }
    return IsFolder(folder) ? folder : HomeFolder();
}

bool CBuiltinFileDialog::Navigate(const fs::path& folder) {
    fs::path target = Normal(folder);
    std::error_code error;
    if (fs::path canonical = fs::weakly_canonical(target, error); !error)
        target = canonical;
    auto entries = ListFolder(target, m_filters[m_filter].patterns, error);
    if (!entries) {
        ShowStatus(u"Cannot open " + Quoted(Display(target)) + u": " + Utf8ToUtf16(error.message()) + u".");
        return false;
    }
    m_folder = std::move(target);
    m_entries = std::move(*entries);
    m_folderLine.SetWindowText(Display(m_folder));
    m_up.EnableWindow(m_folder.has_relative_path());
    FillList();
    ShowStatus(u"");
    return true;
}

void CBuiltinFileDialog::FillList() {
    m_list.DeleteAllItems();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const FolderEntry& entry = m_entries[i];
        const int row = m_list.InsertItem(static_cast<int>(i), entry.name);
        m_list.SetItemText(row, 1, entry.folder ? u"Folder" : TypeText(entry.name));
        m_list.SetItemText(row, 2, entry.folder ? u"" : FormatFileSize(entry.size));
        m_list.SetItemData(row, static_cast<LPARAM>(i));
    }
    m_list.EnsureVisible(0, false);
}

void CBuiltinFileDialog::GoUp() {
    if (!m_folder.has_relative_path())
        return;
    const std::string from = m_folder.filename().string();
    if (!Navigate(m_folder.parent_path()))
        return;
    // The folder we came from stays in view and selected.
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].folder && m_entries[i].nativeName == from) {
            m_list.SelectItem(static_cast<int>(i));
            m_list.EnsureVisible(static_cast<int>(i), false);
        }
}

void CBuiltinFileDialog::CycleFilter() {
    if (m_filters.size() < 2)
        return;
    const std::u16string oldExt = FilterExtension(m_filters[m_filter]);
    m_filter = (m_filter + 1) % m_filters.size();
    m_type.SetWindowText(m_filters[m_filter].name);
    Navigate(m_folder);
    // A saved name follows the new type's extension.
    const std::u16string newExt = FilterExtension(m_filters[m_filter]);
    std::u16string name = m_name.GetWindowText();
    if (m_request.save && !oldExt.empty() && !newExt.empty() && name.size() > oldExt.size() + 1 &&
        EqualsNoCase(std::u16string_view(name).substr(name.size() - oldExt.size() - 1), u"." + oldExt)) {
        name.replace(name.size() - oldExt.size(), oldExt.size(), newExt);
        m_name.SetWindowText(name);
    }
}

// ---- Drawing ----

// The name cell gets a small folder or page before the name.
LRESULT CBuiltinFileDialog::OnListDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        // Every scroll of the list repaints it, so the bar catches up here.
        m_scrollBar.Sync();
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw.dwDrawStage == CDDS_ITEMPREPAINT)
        return CDRF_NOTIFYSUBITEMDRAW;
    if (draw.dwDrawStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM) || draw.iSubItem != 0 ||
        draw.dwItemSpec >= m_entries.size())
        return CDRF_DODEFAULT;
    Painter& painter = *draw.painter;
    const Rect cell = draw.rc;
    painter.FillRect(cell, draw.clrTextBk);
    const FolderEntry& entry = m_entries[draw.dwItemSpec];
    const Point icon{cell.left + 6, cell.top + (cell.Height() - 14) / 2};
    if (entry.folder)
        DrawFolderIcon(painter, icon);
    else
        DrawFileIcon(painter, icon);
    painter.SetTextColor(draw.clrText);
    Rect text{cell.left + 28, cell.top, cell.right - 6, cell.bottom};
    painter.DrawText(entry.name, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    return CDRF_SKIPDEFAULT;
}

void CBuiltinFileDialog::DrawFolderIcon(Painter& painter, Point at) {
    constexpr COLORREF kEdge = RGB(196, 150, 40);
    painter.FillRect({at.x, at.y + 1, at.x + 7, at.y + 3}, kEdge);                   // tab
    painter.FillRect({at.x, at.y + 3, at.x + 16, at.y + 14}, kEdge);                 // back
    painter.FillRect({at.x + 1, at.y + 5, at.x + 15, at.y + 13}, RGB(248, 204, 92)); // front
}

void CBuiltinFileDialog::DrawFileIcon(Painter& painter, Point at) {
    constexpr COLORREF kEdge = RGB(128, 134, 145);
    const Rect page{at.x + 2, at.y, at.x + 14, at.y + 14};
    painter.FillRect(page, RGB(255, 255, 255));
    painter.FrameRect(page, kEdge);
    // A folded corner and two lines of "text".
    painter.FillRect({page.right - 4, page.top, page.right, page.top + 4}, RGB(220, 224, 230));
    painter.FillRect({page.left + 3, page.top + 6, page.right - 3, page.top + 7}, RGB(170, 176, 186));
    painter.FillRect({page.left + 3, page.top + 9, page.right - 3, page.top + 10}, RGB(170, 176, 186));
}

// ---- Choosing ----

void CBuiltinFileDialog::OnListNotify(const NMHDR& header) {
    if (header.code == NM_DBLCLK) {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (activate.iItem >= 0)
            Activate(activate.iItem);
        return;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
        if (selected && change.iItem >= 0 && static_cast<size_t>(change.iItem) < m_entries.size() &&
            !m_entries[static_cast<size_t>(change.iItem)].folder)
            m_name.SetWindowText(m_entries[static_cast<size_t>(change.iItem)].name);
    }
}

void CBuiltinFileDialog::Activate(int row) {
    if (row < 0 || static_cast<size_t>(row) >= m_entries.size())
        return;
    const FolderEntry& entry = m_entries[static_cast<size_t>(row)];
    const fs::path path = m_folder / entry.nativeName;
    if (entry.folder) {
        if (Navigate(path))
            m_name.SetWindowText(u"");
        return;
    }
    TryAccept(path);
}

void CBuiltinFileDialog::OnOK() {
    if (GetFocus() == m_list.GetSafeHwnd()) {
        const int row = m_list.GetSelectedItem();
        if (row >= 0 && m_entries[static_cast<size_t>(row)].folder) {
            Activate(row);
            return;
        }
    }
    AcceptTyped(m_name.GetWindowText());
}

fs::path CBuiltinFileDialog::Resolve(const std::u16string& typed) const {
    std::string text = Utf16ToUtf8(typed);
    if (text == "~" || text.starts_with("~/"))
        return HomeFolder() / text.substr(std::min<size_t>(text.size(), 2));
    const fs::path path(text);
    return path.is_absolute() ? path : m_folder / path;
}

void CBuiltinFileDialog::AcceptTyped(const std::u16string& typed) {
    if (typed.find_first_not_of(u' ') == std::u16string::npos) {
        ShowStatus(u"Type a file name or choose a file from the list.");
        m_name.SetFocus();
        return;
    }
    const fs::path path = Resolve(typed);
    if (IsFolder(path)) {
        if (Navigate(path))
            m_name.SetWindowText(u"");
        return;
    }
    if (typed.back() == u'/') {
        ShowStatus(u"The folder " + Quoted(typed) + u" does not exist.");
        return;
    }
    TryAccept(path);
}

std::u16string CBuiltinFileDialog::SaveExtension() const {
    std::u16string ext = FilterExtension(m_filters[m_filter]);
    return ext.empty() ? m_request.defaultExt : ext;
}

void CBuiltinFileDialog::TryAccept(fs::path path) {
    if (m_request.save) {
        const std::u16string name = Utf8ToUtf16(path.filename().string());
        const std::u16string withExt = WithDefaultExtension(name, SaveExtension());
        if (withExt != name)
            path.replace_filename(Utf16ToUtf8(withExt));
    }
    path = path.lexically_normal();
    const std::u16string name = Utf8ToUtf16(path.filename().string());
    std::error_code error;
    if (IsFolder(path)) {
        Navigate(path);
        return;
    }
    if (!IsFolder(path.parent_path())) {
        ShowStatus(u"The folder " + Quoted(Display(path.parent_path())) + u" does not exist.");
        m_name.SetFocus();
        return;
    }
    const bool exists = fs::exists(path, error);
    if (!m_request.save && m_request.mustExist && !exists) {
        ShowStatus(Quoted(name) + u" was not found. Check the file name and try again.");
        m_name.SetFocus();
        m_name.SetSel(0, -1);
        return;
    }
    if (m_request.save && exists && m_request.overwritePrompt) {
        CBuiltinConfirmDialog confirm(u"Confirm Save As",
                                      Quoted(name) + u" already exists.\nDo you want to replace it?");
        if (!confirm.Ask()) {
            m_name.SetFocus();
            return;
        }
    }
    m_result = Display(path);
    EndDialog(IDOK);
}

void CBuiltinFileDialog::ShowStatus(std::u16string_view text) {
    if (m_status.GetSafeHwnd()) // the name field speaks up before the status line exists
        m_status.SetWindowText(text);
}

// ---- Messages ----

bool CBuiltinFileDialog::PreTranslateMessage(MSG& msg) {
    // Backspace in the list goes up a folder, as in desktop file managers.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_BACK && msg.hwnd == m_list.GetSafeHwnd()) {
        GoUp();
        return true;
    }
    return CBuiltinDialogFrame::PreTranslateMessage(msg);
}

LRESULT CBuiltinFileDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kUpId) {
            GoUp();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kTypeId) {
            CycleFilter();
            return 0;
        }
        // A complaint about the name goes once the name changes.
        if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == kNameId) {
            ShowStatus(u"");
            return 0;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == kListId && header->code == NM_CUSTOMDRAW)
            return OnListDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        if (header && header->idFrom == kListId) {
            OnListNotify(*header);
            return 0;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == m_status.GetSafeHwnd())
            reinterpret_cast<Painter*>(wParam)->SetTextColor(kErrorColor);
        return 0;
    default:
        break;
    }
    return CBuiltinDialogFrame::WindowProc(message, wParam, lParam);
}

} // namespace plat
