// The report list: rows of cells under a header, drawn in stages others may take over.
#include "platform/window/list_ctrl.h"

#include "platform/gfx/painter.h"
#include "platform/gfx/text_layout.h"
#include "platform/window/image_list.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"
#include "platform/window/window_class.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

constexpr WPARAM kKeyPageUp = 0x21;
constexpr WPARAM kKeyPageDown = 0x22;
constexpr WPARAM kKeyEnd = 0x23;
constexpr WPARAM kKeyHome = 0x24;
constexpr WPARAM kKeyUp = 0x26;
constexpr WPARAM kKeyDown = 0x28;
constexpr int kWheelLines = 3;
constexpr int kCellPadding = 6;
constexpr int kDefaultColumnWidth = 100;

// A column's format goes to its header item as it is, so one alignment rule serves both.
static_assert(LVCFMT_RIGHT == HDF_RIGHT && LVCFMT_CENTER == HDF_CENTER &&
              LVCFMT_JUSTIFYMASK == HDF_JUSTIFYMASK);

Point PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

bool CListCtrl::Create(DWORD style, const Rect& rect, CWnd* parent, UINT id) {
    if (!FindWindowClass(kClassName))
        RegisterClass({CS_DBLCLKS, kClassName, std::nullopt, CursorShape::Arrow});
    if (!CWnd::Create(kClassName, u"", style | WS_CHILD, rect, parent, id))
        return false;
    if (!m_header.Create(WS_VISIBLE, {0, 0, rect.Width(), HeaderHeight()}, this, 0))
        return false;
    m_header.SetFont(GetFont(), false);
    Layout();
    return true;
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    const DWORD old = m_exListStyle;
    m_exListStyle = style;
    Invalidate();
    return old;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind) {
    CImageList*& slot = kind == LVSIL_SMALL ? m_smallImages : m_normalImages;
    CImageList* old = slot;
    slot = list;
    Layout();
    Invalidate();
    return old;
}

CImageList* CListCtrl::GetImageList(int kind) const {
    return kind == LVSIL_SMALL ? m_smallImages : m_normalImages;
}

// ---- Columns ----

int CListCtrl::InsertColumn(int column, std::u16string_view heading, int format, int width) {
    if (column < 0)
        return -1;
    if (width < 0) {
        auto font = GetFont() ? GetFont() : Painter::DefaultGuiFont();
        Bitmap scratch(1, 1);
        Painter measure(scratch);
        measure.SelectFont(font);
        width = std::max(kDefaultColumnWidth, measure.GetTextExtent(heading).cx + 4 * kCellPadding);
    }
    const int at =
        m_header.InsertItem(column, {std::u16string(heading), width, format & LVCFMT_JUSTIFYMASK, 0});
    for (Row& row : m_rows)
        row.texts.insert(row.texts.begin() + std::min<int>(at, static_cast<int>(row.texts.size())), u"");
    Invalidate();
    return at;
}

bool CListCtrl::DeleteColumn(int column) {
    if (!m_header.DeleteItem(column))
        return false;
    for (Row& row : m_rows)
        if (column < static_cast<int>(row.texts.size()))
            row.texts.erase(row.texts.begin() + column);
    SetScrollX(m_scrollX);
    Invalidate();
    return true;
}

int CListCtrl::GetColumnWidth(int column) const {
    HeaderItem item;
    return m_header.GetItem(column, &item) ? item.width : 0;
}

bool CListCtrl::SetColumnWidth(int column, int width) {
    HeaderItem item;
    if (!m_header.GetItem(column, &item))
        return false;
    item.width = std::max(0, width);
    m_header.SetItem(column, item);
    SetScrollX(m_scrollX);
    Invalidate();
    return true;
}

int CListCtrl::GetColumnFormat(int column) const {
    HeaderItem item;
    return m_header.GetItem(column, &item) ? item.format : LVCFMT_LEFT;
}

// The widest of the column's title and cell texts, with the padding they are drawn with.
int CListCtrl::FittingWidth(int column) const {
    HeaderItem title;
    if (!m_header.GetItem(column, &title))
        return 0;
    Bitmap scratch(1, 1);
    Painter measure(scratch);
    measure.SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    int widest = measure.GetTextExtent(title.text).cx;
    for (int row = 0; row < GetItemCount(); ++row)
        widest = std::max(widest, measure.GetTextExtent(GetItemText(row, column)).cx);
    const int icon = column == 0 && m_smallImages ? m_smallImages->GetImageSize().cx : 0;
    return widest + 2 * kCellPadding + icon;
}

// ---- Rows ----

int CListCtrl::InsertItem(int index, std::u16string_view text) {
    if (index < 0)
        return -1;
    const int at = std::min(index, GetItemCount());
    Row row;
    row.texts.assign(std::max(1, GetColumnCount()), u"");
    row.texts[0] = std::u16string(text);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    Invalidate();
    return at;
}

bool CListCtrl::DeleteItem(int index) {
    if (index < 0 || index >= GetItemCount())
        return false;
    m_rows.erase(m_rows.begin() + index);
    SetTop(m_top);
    Invalidate();
    return true;
}

bool CListCtrl::DeleteAllItems() {
    m_rows.clear();
    SetTop(0);
    Invalidate();
    return true;
}

bool CListCtrl::SetItemText(int row, int column, std::u16string_view text) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= std::max(1, GetColumnCount()))
        return false;
    auto& texts = m_rows[row].texts;
    if (column >= static_cast<int>(texts.size()))
        texts.resize(column + 1);
    texts[column] = std::u16string(text);
    Rect r;
    if (GetItemRect(row, &r, LVIR_BOUNDS))
        InvalidateRect(&r);
    return true;
}

std::u16string CListCtrl::GetItemText(int row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0 ||
        column >= static_cast<int>(m_rows[row].texts.size()))
        return {};
    return m_rows[row].texts[column];
}

bool CListCtrl::SetItemData(int row, LPARAM data) {
    if (row < 0 || row >= GetItemCount())
        return false;
    m_rows[row].data = data;
    return true;
}

LPARAM CListCtrl::GetItemData(int row) const {
    return row >= 0 && row < GetItemCount() ? m_rows[row].data : 0;
}

int CListCtrl::FindItemData(LPARAM data) const {
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_rows[i].data == data)
            return i;
    return -1;
}

// ---- Selection ----

bool CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    if (row < -1 || row >= GetItemCount())
        return false;
    if (row == -1) {
        // Only clearing makes sense for every row at once: one row at most is selected.
        for (int i = 0; i < GetItemCount(); ++i)
            ChangeState(i, 0, mask & ~state);
        return true;
    }
    ChangeState(row, state, mask);
    return true;
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return row >= 0 && row < GetItemCount() ? m_rows[row].state & mask : 0;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    for (int i = std::max(0, start + 1); i < GetItemCount(); ++i)
        if ((m_rows[i].state & flags) == flags)
            return i;
    return -1;
}

bool CListCtrl::SelectItem(int row) {
    if (row < 0)
        return SetItemState(-1, 0, LVIS_SELECTED);
    return SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// A row that gains the selection or the focus takes it from the others first, so the
// owner hears of the loss before the gain.
void CListCtrl::ChangeState(int row, UINT state, UINT mask) {
    const UINT exclusive = state & mask & (LVIS_SELECTED | LVIS_FOCUSED);
    if (exclusive)
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != row && (m_rows[i].state & exclusive))
                ChangeState(i, 0, exclusive);
    const UINT old = m_rows[row].state;
    const UINT now = (old & ~mask) | (state & mask);
    if (now == old)
        return;
    m_rows[row].state = now;
    Rect r;
    if (GetItemRect(row, &r, LVIR_BOUNDS))
        InvalidateRect(&r);
    NotifyItemChanged(row, old, now);
}

NMHDR CListCtrl::Header(int code) const {
    return {GetSafeHwnd(), static_cast<UINT_PTR>(GetDlgCtrlID()), code};
}

void CListCtrl::NotifyItemChanged(int row, UINT oldState, UINT newState) {
    NMLISTVIEW nm;
    nm.hdr = Header(LVN_ITEMCHANGED);
    nm.iItem = row;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    nm.lParam = m_rows[row].data;
    SendNotify(nm.hdr);
}

LRESULT CListCtrl::SendNotify(NMHDR& header) {
    CWnd* parent = GetParent();
    if (!parent)
        return 0;
    return parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// ---- Geometry ----

int CListCtrl::HeaderHeight() const {
    if (GetStyle() & LVS_NOCOLUMNHEADER)
        return 0;
    auto font = GetFont() ? GetFont() : Painter::DefaultGuiFont();
    return font->Metrics().height + 10;
}

int CListCtrl::GetRowHeight() const {
    auto font = GetFont() ? GetFont() : Painter::DefaultGuiFont();
    int height = font->Metrics().height + 4;
    if (m_smallImages)
        height = std::max(height, m_smallImages->GetImageSize().cy);
    return std::max(1, height);
}

Rect CListCtrl::RowArea() const {
    Rect r = GetClientRect();
    r.top = std::min(r.bottom, HeaderHeight());
    return r;
}

int CListCtrl::GetCountPerPage() const {
    return RowArea().Height() / GetRowHeight();
}

int CListCtrl::MaxTop() const {
    return std::max(0, GetItemCount() - GetCountPerPage());
}

void CListCtrl::Layout() {
    const int headerHeight = HeaderHeight();
    if (m_header.GetSafeHwnd()) {
        m_header.MoveWindow(0, 0, GetClientRect().Width(), std::max(headerHeight, 1), false);
        m_header.ShowWindow(headerHeight > 0 ? SW_SHOWNA : SW_HIDE);
    }
    SetTop(m_top);
    SetScrollX(m_scrollX);
    Invalidate();
}

bool CListCtrl::GetItemRect(int row, Rect* rect, int code) const {
    if (row < 0 || row >= GetItemCount() || !rect)
        return false;
    const int height = GetRowHeight();
    const int top = RowArea().top + (row - m_top) * height;
    *rect = {-m_scrollX, top, m_header.TotalWidth() - m_scrollX, top + height};
    if (code == LVIR_ICON || code == LVIR_LABEL)
        return GetSubItemRect(row, 0, code, rect);
    return true;
}

bool CListCtrl::GetSubItemRect(int row, int column, int code, Rect* rect) const {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount() || !rect)
        return false;
    const int height = GetRowHeight();
    const int top = RowArea().top + (row - m_top) * height;
    const int left = m_header.ItemLeft(column) - m_scrollX;
    *rect = {left, top, left + GetColumnWidth(column), top + height};
    const int icon = column == 0 && m_smallImages ? m_smallImages->GetImageSize().cx : 0;
    if (code == LVIR_ICON)
        rect->right = std::min(rect->right, rect->left + icon);
    else if (code == LVIR_LABEL)
        rect->left = std::min(rect->right, rect->left + icon);
    return true;
}

int CListCtrl::HitTest(Point client, UINT* flags) const {
    LVHITTESTINFO info;
    info.pt = client;
    const int row = SubItemHitTest(&info);
    if (flags)
        *flags = info.flags;
    return row;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const {
    if (!info)
        return -1;
    info->iItem = -1;
    info->iSubItem = -1;
    const Rect client = GetClientRect();
    const Rect rows = RowArea();
    const Point p = info->pt;
    info->flags = 0;
    if (p.y < 0)
        info->flags |= LVHT_ABOVE;
    else if (p.y >= client.bottom)
        info->flags |= LVHT_BELOW;
    if (p.x < 0)
        info->flags |= LVHT_TOLEFT;
    else if (p.x >= client.right)
        info->flags |= LVHT_TORIGHT;
    if (info->flags)
        return -1;
    info->flags = LVHT_NOWHERE;
    if (p.y < rows.top)
        return -1;
    const int row = m_top + (p.y - rows.top) / GetRowHeight();
    const int contentX = p.x + m_scrollX;
    if (row >= GetItemCount() || contentX >= m_header.TotalWidth())
        return -1;
    for (int c = 0; c < GetColumnCount(); ++c)
        if (contentX < m_header.ItemLeft(c + 1)) {
            info->iSubItem = c;
            break;
        }
    info->iItem = row;
    Rect icon;
    GetSubItemRect(row, 0, LVIR_ICON, &icon);
    info->flags = info->iSubItem == 0 && icon.Contains(p) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    return row;
}

// ---- Scrolling ----

// Child windows hosted over the rows (an in-place editor) move with them.
void CListCtrl::SetTop(int top) {
    const int clamped = std::clamp(top, 0, MaxTop());
    if (clamped == m_top)
        return;
    const int dy = (m_top - clamped) * GetRowHeight();
    m_top = clamped;
    for (CWnd* child : Children())
        if (child != &m_header) {
            const Rect& r = child->RectInParent();
            child->MoveWindow(r.Offset(0, dy), true);
        }
    Invalidate();
}

void CListCtrl::SetScrollX(int x) {
    const int maxX = std::max(0, m_header.TotalWidth() - GetClientRect().Width());
    const int clamped = std::clamp(x, 0, maxX);
    if (clamped == m_scrollX)
        return;
    const int dx = m_scrollX - clamped;
    m_scrollX = clamped;
    m_header.SetScrollOffset(clamped);
    for (CWnd* child : Children())
        if (child != &m_header) {
            const Rect& r = child->RectInParent();
            child->MoveWindow(r.Offset(dx, 0), true);
        }
    Invalidate();
}

bool CListCtrl::Scroll(Size distance) {
    if (distance.cy != 0) {
        const int height = GetRowHeight();
        int rows = static_cast<int>(std::lround(static_cast<double>(distance.cy) / height));
        if (rows == 0)
            rows = distance.cy > 0 ? 1 : -1;
        SetTop(m_top + rows);
    }
    if (distance.cx != 0)
        SetScrollX(m_scrollX + distance.cx);
    return true;
}

bool CListCtrl::GetScrollInfo(int bar, SCROLLINFO* info) const {
    if (!info)
        return false;
    info->nMin = 0;
    if (bar == SB_VERT) {
        info->nMax = std::max(0, GetItemCount() - 1);
        info->nPage = static_cast<UINT>(GetCountPerPage());
        info->nPos = m_top;
    } else if (bar == SB_HORZ) {
        info->nMax = std::max(0, m_header.TotalWidth() - 1);
        info->nPage = static_cast<UINT>(GetClientRect().Width());
        info->nPos = m_scrollX;
    } else {
        return false;
    }
    info->nTrackPos = info->nPos;
    return true;
}

int CListCtrl::GetScrollPos(int bar) const {
    return bar == SB_VERT ? m_top : m_scrollX;
}

bool CListCtrl::EnsureVisible(int row, bool partialOk) {
    if (row < 0 || row >= GetItemCount())
        return false;
    const int perPage = std::max(1, GetCountPerPage());
    if (row < m_top) {
        SetTop(row);
    } else if (row >= m_top + perPage) {
        Rect r;
        GetItemRect(row, &r, LVIR_BOUNDS);
        const bool partlyShown = r.top < RowArea().bottom;
        if (!(partialOk && partlyShown))
            SetTop(row - perPage + 1);
    }
    return true;
}

void CListCtrl::OnVScroll(UINT request, int position) {
    const int page = std::max(1, GetCountPerPage());
    switch (request) {
    case SB_LINEUP:
        SetTop(m_top - 1);
        break;
    case SB_LINEDOWN:
        SetTop(m_top + 1);
        break;
    case SB_PAGEUP:
        SetTop(m_top - page);
        break;
    case SB_PAGEDOWN:
        SetTop(m_top + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTop(position);
        break;
    case SB_TOP:
        SetTop(0);
        break;
    case SB_BOTTOM:
        SetTop(MaxTop());
        break;
    default:
        break;
    }
}

void CListCtrl::OnHScroll(UINT request, int position) {
    const int line = 16;
    const int page = std::max(line, GetClientRect().Width());
    switch (request) {
    case SB_LINEUP:
        SetScrollX(m_scrollX - line);
        break;
    case SB_LINEDOWN:
        SetScrollX(m_scrollX + line);
        break;
    case SB_PAGEUP:
        SetScrollX(m_scrollX - page);
        break;
    case SB_PAGEDOWN:
        SetScrollX(m_scrollX + page);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetScrollX(position);
        break;
    default:
        break;
    }
}

// ---- Input ----

void CListCtrl::NotifyActivate(int code, Point client) {
    LVHITTESTINFO hit;
    hit.pt = client;
    SubItemHitTest(&hit);
    // Without full-row selection only the first column picks the row, as in a plain list.
    const bool picks = hit.iItem >= 0 && ((m_exListStyle & LVS_EX_FULLROWSELECT) || hit.iSubItem == 0);
    if (picks) {
        SelectItem(hit.iItem);
        EnsureVisible(hit.iItem, false);
    } else if (code != NM_RCLICK) {
        SelectItem(-1);
    }
    NMITEMACTIVATE nm;
    nm.hdr = Header(code);
    nm.iItem = picks ? hit.iItem : -1;
    nm.iSubItem = picks ? hit.iSubItem : -1;
    nm.ptAction = client;
    nm.lParam = picks ? m_rows[hit.iItem].data : 0;
    SendNotify(nm.hdr);
}

void CListCtrl::OnKeyDown(WPARAM key) {
    const int count = GetItemCount();
    if (count == 0)
        return;
    const int current = GetNextItem(-1, LVNI_FOCUSED);
    const int page = std::max(1, GetCountPerPage() - 1);
    int next = current;
    switch (key) {
    case kKeyUp:
        next = current < 0 ? 0 : current - 1;
        break;
    case kKeyDown:
        next = current + 1;
        break;
    case kKeyPageUp:
        next = current - page;
        break;
    case kKeyPageDown:
        next = current < 0 ? page : current + page;
        break;
    case kKeyHome:
        next = 0;
        break;
    case kKeyEnd:
        next = count - 1;
        break;
    default:
        return;
    }
    next = std::clamp(next, 0, count - 1);
    SelectItem(next);
    EnsureVisible(next, false);
}

LRESULT CListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_SETFONT:
        if (m_header.GetSafeHwnd())
            m_header.SetFont(GetFont(), false);
        Layout();
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        SetFocus();
        NotifyActivate(NM_CLICK, PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        SetFocus();
        NotifyActivate(NM_DBLCLK, PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        SetFocus();
        NotifyActivate(NM_RCLICK, PointOf(lParam));
        return 0;
    case WM_MOUSEWHEEL: {
        const int notches = static_cast<std::int16_t>(HIWORD(wParam)) / WHEEL_DELTA;
        SetTop(m_top - notches * kWheelLines);
        return 0;
    }
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), static_cast<std::int16_t>(HIWORD(wParam)));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        return CWnd::WindowProc(message, wParam, lParam);
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        return hdr && hdr->hwndFrom == m_header.GetSafeHwnd() ? OnHeaderNotify(*hdr) : 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// Title clicks become column clicks; a divider drag reaches the owner as it is (so it may
// refuse to let a column be resized) and redraws the rows at the new widths. A double
// click on a divider fits the column to its texts, and the owner hears the new width.
LRESULT CListCtrl::OnHeaderNotify(NMHDR& hdr) {
    switch (hdr.code) {
    case HDN_ITEMCLICK: {
        NMLISTVIEW nm;
        nm.hdr = Header(LVN_COLUMNCLICK);
        nm.iSubItem = reinterpret_cast<NMHEADER&>(hdr).iItem;
        return SendNotify(nm.hdr);
    }
    case HDN_BEGINTRACK:
        if (GetStyle() & LVS_NOCOLUMNHEADER)
            return 1;
        return SendNotify(hdr);
    case HDN_TRACK:
    case HDN_ENDTRACK:
        SetScrollX(m_scrollX);
        Invalidate();
        return SendNotify(hdr);
    case HDN_DIVIDERDBLCLICK: {
        auto& nm = reinterpret_cast<NMHEADER&>(hdr);
        SetColumnWidth(nm.iItem, FittingWidth(nm.iItem));
        nm.cxy = GetColumnWidth(nm.iItem);
        return SendNotify(hdr);
    }
    default:
        return 0;
    }
}

// ---- Drawing ----

void CListCtrl::OnPaint() {
    CPaintDC dc(*this);
    Painter& painter = *dc;
    const Rect rows = RowArea();
    painter.FillRect(rows, m_backColor);
    painter.SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    painter.SetBkMode(TRANSPARENT);

    NMLVCUSTOMDRAW cd;
    cd.hdr = Header(NM_CUSTOMDRAW);
    cd.dwDrawStage = CDDS_PREPAINT;
    cd.painter = &painter;
    cd.rc = GetClientRect();
    cd.clrText = m_textColor;
    cd.clrTextBk = m_backColor;
    const LRESULT answer = SendNotify(cd.hdr);
    if (answer & CDRF_SKIPDEFAULT)
        return;
    const int saved = painter.SaveDC();
    painter.IntersectClipRect(rows);
    const int last = std::min(GetItemCount(), m_top + GetCountPerPage() + 1);
    for (int row = m_top; row < last; ++row)
        PaintRow(painter, row, answer);
    painter.RestoreDC(saved);
    if (answer & CDRF_NOTIFYPOSTPAINT) {
        cd.dwDrawStage = CDDS_POSTPAINT;
        SendNotify(cd.hdr);
    }
}

void CListCtrl::PaintRow(Painter& painter, int row, LRESULT listAnswer) {
    const bool selected = (m_rows[row].state & LVIS_SELECTED) != 0;
    const bool focused = GetFocus() == GetSafeHwnd();
    NMLVCUSTOMDRAW cd;
    cd.hdr = Header(NM_CUSTOMDRAW);
    cd.painter = &painter;
    cd.dwItemSpec = static_cast<UINT_PTR>(row);
    cd.lItemlParam = m_rows[row].data;
    cd.uItemState = (selected ? CDIS_SELECTED : 0) | ((m_rows[row].state & LVIS_FOCUSED) ? CDIS_FOCUS : 0);
    cd.clrText = selected && focused ? m_selectedTextColor : m_textColor;
    cd.clrTextBk = selected ? (focused ? m_selectedBackColor : m_inactiveSelectedBackColor) : m_backColor;
    GetItemRect(row, &cd.rc, LVIR_BOUNDS);

    LRESULT itemAnswer = CDRF_DODEFAULT;
    if (listAnswer & CDRF_NOTIFYITEMDRAW) {
        cd.dwDrawStage = CDDS_ITEMPREPAINT;
        itemAnswer = SendNotify(cd.hdr);
        if (itemAnswer & CDRF_SKIPDEFAULT)
            return;
    }
    const Rect rowRect = cd.rc;
    const bool fullRow = (m_exListStyle & LVS_EX_FULLROWSELECT) != 0;
    if (fullRow)
        painter.FillRect(rowRect, cd.clrTextBk);
    const COLORREF rowText = cd.clrText;
    const COLORREF rowBack = cd.clrTextBk;
    for (int column = 0; column < GetColumnCount(); ++column) {
        NMLVCUSTOMDRAW cell = cd;
        cell.iSubItem = column;
        const bool highlighted = fullRow || column == 0;
        cell.clrText = highlighted ? rowText : m_textColor;
        cell.clrTextBk = highlighted ? rowBack : m_backColor;
        GetSubItemRect(row, column, LVIR_BOUNDS, &cell.rc);
        LRESULT cellAnswer = CDRF_DODEFAULT;
        if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) {
            cell.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cellAnswer = SendNotify(cell.hdr);
        }
        if (!(cellAnswer & CDRF_SKIPDEFAULT))
            DrawDefaultCell(painter, row, column, cell);
        if (cellAnswer & CDRF_NOTIFYPOSTPAINT) {
            cell.dwDrawStage = CDDS_ITEMPOSTPAINT | CDDS_SUBITEM;
            SendNotify(cell.hdr);
        }
    }
    if (m_exListStyle & LVS_EX_GRIDLINES)
        painter.FillRect({rowRect.left, rowRect.bottom - 1, rowRect.right, rowRect.bottom}, m_gridColor);
    if (itemAnswer & CDRF_NOTIFYPOSTPAINT) {
        cd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        cd.rc = rowRect;
        SendNotify(cd.hdr);
    }
}

void CListCtrl::DrawDefaultCell(Painter& painter, int row, int column, const NMLVCUSTOMDRAW& colours) {
    Rect cell;
    if (!GetSubItemRect(row, column, LVIR_LABEL, &cell))
        return;
    painter.FillRect(cell, colours.clrTextBk);
    painter.SetTextColor(colours.clrText);
    Rect text{cell.left + kCellPadding, cell.top, cell.right - kCellPadding, cell.bottom};
    painter.DrawText(GetItemText(row, column), text,
                     DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX |
                         TextAlignmentOf(GetColumnFormat(column)));
}

} // namespace plat
