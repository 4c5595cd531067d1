// Creation, the modal run and the keyboard of dialogs.
#include "platform/window/dialog.h"

#include "platform/core/message_queue.h"
#include "platform/core/modal_loop.h"
#include "platform/os/virtual_keys.h"
#include "platform/window/window_api.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plat {

namespace {
constexpr std::array<UINT, 6> kTemplates{5, 102, 131, 135, 136, 139};
constexpr int kTemplateWidth = 360;
constexpr int kTemplateHeight = 200;
} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parentWnd(parent) {}

bool CDialog::IsKnownTemplate(UINT templateId) {
    for (UINT known : kTemplates)
        if (known == templateId)
            return true;
    return false;
}

Rect CDialog::InitialRect() const {
    Rect area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (m_parentWnd && m_parentWnd->GetSafeHwnd())
        area = m_parentWnd->GetWindowRect();
    const int x = area.left + (area.Width() - kTemplateWidth) / 2;
    const int y = area.top + (area.Height() - kTemplateHeight) / 2;
    return {x, y, x + kTemplateWidth, y + kTemplateHeight};
}

bool CDialog::CreateFrame(DWORD extraStyle) {
    if (!IsKnownTemplate(m_templateId) || GetSafeHwnd())
        return false;
    EnsureControlClasses();
    CWnd* owner = m_parentWnd ? m_parentWnd->GetTopLevelParent() : nullptr;
    m_ended = false;
    m_result = -1;
    return CreateEx(0, u"KavoxDialog", u"", WS_POPUP | WS_CLIPCHILDREN | extraStyle, InitialRect(), owner);
}

void CDialog::Initialise() {
    SendMessage(WM_INITDIALOG, 0, 0);
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_parentWnd = parent;
    m_modal = false;
    if (!CreateFrame(0))
        return false;
    Initialise();
    if (!m_ended && GetSafeHwnd())
        ShowWindow(SW_SHOW);
    return GetSafeHwnd() != nullptr;
}

INT_PTR CDialog::DoModal() {
    CWnd* owner = m_parentWnd ? m_parentWnd->GetTopLevelParent() : nullptr;
    m_modal = true;
    if (!CreateFrame(0)) {
        m_modal = false;
        return -1;
    }
    const bool disableOwner = owner && owner->IsWindowEnabled();
    if (disableOwner)
        owner->EnableWindow(false);
    Initialise();
    int result = m_result;
    if (!m_ended && GetSafeHwnd()) {
        ShowWindow(SW_SHOW);
        result = RunModalLoop(GetSafeHwnd());
    }
    // The owner comes back before the dialog goes, so activation returns to it.
    if (disableOwner && owner->GetSafeHwnd()) {
        owner->EnableWindow(true);
        owner->SetActiveWindow();
    }
    if (GetSafeHwnd())
        DestroyWindow();
    m_modal = false;
    return result;
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    if (!GetSafeHwnd())
        return;
    if (m_modal) {
        EndModalLoop(GetSafeHwnd(), result);
        ShowWindow(SW_HIDE);
    } else {
        ShowWindow(SW_HIDE);
    }
}

bool CDialog::DialogOwnsKey(HWND target, WPARAM key) const {
    if (target == GetSafeHwnd())
        return true;
    MSG probe{};
    probe.hwnd = target;
    probe.message = WM_KEYDOWN;
    probe.wParam = key;
    const LRESULT code = plat::SendMessage(target, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&probe));
    return (code & DLGC_WANTALLKEYS) == 0;
}

void CDialog::NextTabStop(bool backwards) {
    std::vector<CWnd*> stops;
    for (CWnd* child : Children())
        if (child->IsVisibleFlag() && child->IsWindowEnabled() && (child->GetStyle() & WS_TABSTOP))
            stops.push_back(child);
    if (stops.empty())
        return;
    const HWND focus = GetFocus();
    auto at = std::find_if(stops.begin(), stops.end(), [&](CWnd* w) { return w->GetSafeHwnd() == focus; });
    size_t index = 0;
    if (at != stops.end()) {
        const size_t current = static_cast<size_t>(at - stops.begin());
        index = backwards ? (current + stops.size() - 1) % stops.size() : (current + 1) % stops.size();
    } else if (backwards) {
        index = stops.size() - 1;
    }
    stops[index]->SetFocus();
}

bool CDialog::DialogOwnsTab(HWND target) const {
    if (target == GetSafeHwnd())
        return true;
    const LRESULT code = plat::SendMessage(target, WM_GETDLGCODE, VK_TAB, 0);
    return (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) == 0;
}

bool CDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && DialogOwnsTab(msg.hwnd)) {
        NextTabStop(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.message == WM_CHAR && msg.wParam == u'\t' && DialogOwnsTab(msg.hwnd))
        return true;
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE))
        return CWnd::PreTranslateMessage(msg);
    if (!DialogOwnsKey(msg.hwnd, msg.wParam))
        return false;
    if (msg.wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    // Enter on a focused push button presses that button; elsewhere it means OK.
    const HWND focus = GetFocus();
    if (focus && focus != GetSafeHwnd() && (plat::SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(plat::GetDlgCtrlID(focus)), BN_CLICKED),
                    reinterpret_cast<LPARAM>(focus));
        return true;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        if (OnInitDialog() && !m_ended) {
            // Focus goes to the first control that takes it.
            for (CWnd* child : Children())
                if (child->IsVisibleFlag() && child->IsWindowEnabled() && (child->GetStyle() & WS_TABSTOP)) {
                    child->SetFocus();
                    break;
                }
        }
        return 1;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_CLOSE:
        OnCancel();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

} // namespace plat
