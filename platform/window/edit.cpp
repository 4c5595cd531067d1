// Editing, selection, clipboard, scrolling and painting of the single-line text field.
#include "platform/window/edit.h"

#include "platform/backend/window_system.h"
#include "platform/gfx/painter.h"
#include "platform/os/virtual_keys.h"
#include "platform/window/paint_dc.h"
#include "platform/window/window_api.h"

#include <algorithm>

namespace plat {

namespace {
constexpr UINT_PTR kBlinkTimer = 0x4B43;
constexpr int kPadding = 3;

bool IsWordChar(char16_t c) {
    return c == u'_' || (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           c >= 0x80;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}
} // namespace

bool CEdit::Create(DWORD style, const Rect& rect, CWnd* parent, UINT id) {
    EnsureControlClasses();
    return CWnd::Create(u"Edit", u"", style | WS_CHILD, rect, parent, id);
}

// ---- Text changes ----

void CEdit::Commit(std::u16string text, int caret) {
    m_value = std::move(text);
    // The window's own text follows, so GetWindowText from any thread sees it.
    CWnd::WindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_value.c_str()));
    m_caret = m_anchor = std::clamp(caret, 0, static_cast<int>(m_value.size()));
    ScrollToCaret();
    RestartBlink();
    Invalidate();
    NotifyParent(*this, EN_CHANGE);
}

bool CEdit::Insert(std::u16string_view text, bool typed) {
    std::u16string piece(text);
    if (typed) {
        // A single line keeps what comes before the first line break.
        const auto lineEnd = piece.find_first_of(u"\r\n");
        if (lineEnd != std::u16string::npos)
            piece.resize(lineEnd);
        if (GetStyle() & ES_NUMBER)
            std::erase_if(piece, [](char16_t c) { return c < u'0' || c > u'9'; });
        const int kept = static_cast<int>(m_value.size()) - (SelEnd() - SelStart());
        const int room = std::max(0, m_limit - kept);
        if (static_cast<int>(piece.size()) > room) {
            int cut = room;
            // Never split a surrogate pair at the limit.
            if (cut > 0 && IsLowSurrogate(piece[static_cast<size_t>(cut)]))
                --cut;
            piece.resize(static_cast<size_t>(cut));
            NotifyParent(*this, EN_MAXTEXT);
        }
        // Input that leaves nothing after filtering is refused and keeps the selection.
        if (piece.empty() && !text.empty())
            return false;
    }
    if (piece.empty() && !HasSelection())
        return text.empty();
    std::u16string next = m_value;
    next.replace(static_cast<size_t>(SelStart()), static_cast<size_t>(SelEnd() - SelStart()), piece);
    Commit(std::move(next), SelStart() + static_cast<int>(piece.size()));
    return true;
}

bool CEdit::ReplaceSel(std::u16string_view text) {
    return Insert(text, true);
}

void CEdit::SetLimitText(int limit) {
    m_limit = limit <= 0 ? kDefaultLimit : limit;
}

void CEdit::Copy() {
    if (!HasSelection())
        return;
    CurrentWindowSystem().SetClipboardText(
        m_value.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelEnd() - SelStart())));
}

void CEdit::Cut() {
    if (!HasSelection() || !Editable())
        return;
    Copy();
    Clear();
}

void CEdit::Clear() {
    if (HasSelection() && Editable())
        Insert(u"", false);
}

void CEdit::Paste() {
    if (!Editable())
        return;
    const std::u16string text = CurrentWindowSystem().ClipboardText();
    if (!text.empty())
        Insert(text, true);
}

void CEdit::SetReadOnly(bool readOnly) {
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    Invalidate();
}

// ---- Caret and selection ----

void CEdit::SetSel(int start, int end, bool noScroll) {
    const int length = static_cast<int>(m_value.size());
    if (start < 0) {
        m_anchor = m_caret;
    } else {
        if (end < 0 || end > length)
            end = length;
        m_anchor = std::clamp(start, 0, length);
        m_caret = std::clamp(end, 0, length);
    }
    if (!noScroll)
        ScrollToCaret();
    RestartBlink();
    Invalidate();
}

void CEdit::GetSel(int& start, int& end) const {
    start = SelStart();
    end = SelEnd();
}

void CEdit::MoveCaret(int position, bool extend) {
    m_caret = std::clamp(position, 0, static_cast<int>(m_value.size()));
    if (!extend)
        m_anchor = m_caret;
    ScrollToCaret();
    RestartBlink();
    Invalidate();
}

int CEdit::PrevStop(int position, bool word) const {
    if (position <= 0)
        return 0;
    int p = position - 1;
    if (p > 0 && IsLowSurrogate(m_value[static_cast<size_t>(p)]))
        --p;
    if (!word)
        return p;
    while (p > 0 && !IsWordChar(m_value[static_cast<size_t>(p)]))
        --p;
    while (p > 0 && IsWordChar(m_value[static_cast<size_t>(p - 1)]))
        --p;
    return p;
}

int CEdit::NextStop(int position, bool word) const {
    const int length = static_cast<int>(m_value.size());
    if (position >= length)
        return length;
    int p = position + 1;
    if (p < length && IsLowSurrogate(m_value[static_cast<size_t>(p)]))
        ++p;
    if (!word)
        return p;
    while (p < length && IsWordChar(m_value[static_cast<size_t>(p)]))
        ++p;
    while (p < length && !IsWordChar(m_value[static_cast<size_t>(p)]))
        ++p;
    return p;
}

void CEdit::SelectWordAt(int position) {
    const int length = static_cast<int>(m_value.size());
    int start = std::clamp(position, 0, length);
    int end = start;
    while (start > 0 && IsWordChar(m_value[static_cast<size_t>(start - 1)]))
        --start;
    while (end < length && IsWordChar(m_value[static_cast<size_t>(end)]))
        ++end;
    SetSel(start, end);
}

void CEdit::OnKeyDown(WPARAM key) {
    const bool shift = KeyHeld(VK_SHIFT);
    const bool ctrl = KeyHeld(VK_CONTROL);
    switch (key) {
    case VK_LEFT:
        if (!shift && HasSelection())
            MoveCaret(SelStart(), false);
        else
            MoveCaret(PrevStop(m_caret, ctrl), shift);
        break;
    case VK_RIGHT:
        if (!shift && HasSelection())
            MoveCaret(SelEnd(), false);
        else
            MoveCaret(NextStop(m_caret, ctrl), shift);
        break;
    case VK_HOME:
        MoveCaret(0, shift);
        break;
    case VK_END:
        MoveCaret(static_cast<int>(m_value.size()), shift);
        break;
    case VK_DELETE:
        if (shift) {
            Cut();
        } else if (Editable()) {
            if (!HasSelection())
                m_caret = NextStop(m_caret, ctrl);
            Clear();
        }
        break;
    case VK_INSERT:
        if (ctrl)
            Copy();
        else if (shift)
            Paste();
        break;
    default:
        if (!ctrl)
            break;
        if (key == 'A')
            SetSel(0, -1);
        else if (key == 'C')
            Copy();
        else if (key == 'X')
            Cut();
        else if (key == 'V')
            Paste();
        break;
    }
}

void CEdit::OnChar(char16_t ch) {
    if (!Editable())
        return;
    if (ch == 0x08) {
        if (!HasSelection())
            m_anchor = PrevStop(m_caret, false);
        Clear();
        return;
    }
    // Control characters (Enter, Escape, Tab, the Ctrl letters) are not text.
    if (ch < 0x20 || ch == 0x7F)
        return;
    Insert(std::u16string_view(&ch, 1), true);
}

// ---- Geometry ----

const Font& CEdit::TextFont() const {
    static const std::shared_ptr<const Font> fallback = Painter::DefaultGuiFont();
    return GetFont() ? *GetFont() : *fallback;
}

Rect CEdit::TextArea() const {
    const int inset = kPadding + ((GetStyle() & WS_BORDER) ? 1 : 0);
    const Rect r = GetClientRect();
    return {r.left + inset, r.top, r.right - inset, r.bottom};
}

int CEdit::Measure(int count) const {
    if (count <= 0)
        return 0;
    return TextFont().MeasureText(std::u16string_view(m_value).substr(0, static_cast<size_t>(count))).cx;
}

int CEdit::TextLeft() const {
    const Rect area = TextArea();
    const int width = Measure(static_cast<int>(m_value.size()));
    const DWORD align = GetStyle() & (ES_CENTER | ES_RIGHT);
    if (width < area.Width()) {
        if (align == ES_CENTER)
            return area.left + (area.Width() - width) / 2;
        if (align == ES_RIGHT)
            return area.right - width;
    }
    return area.left - m_scroll;
}

int CEdit::HitPosition(int x) const {
    const int left = TextLeft();
    const int length = static_cast<int>(m_value.size());
    int previous = left;
    for (int i = 1; i <= length; ++i) {
        if (i < length && IsLowSurrogate(m_value[static_cast<size_t>(i)]))
            continue;
        const int edge = left + Measure(i);
        if (x < (previous + edge) / 2)
            return PrevStop(i, false);
        previous = edge;
    }
    return length;
}

void CEdit::ScrollToCaret() {
    const Rect area = TextArea();
    const int visible = std::max(1, area.Width());
    const int total = Measure(static_cast<int>(m_value.size()));
    if (total < visible) {
        m_scroll = 0;
        return;
    }
    const int caretX = Measure(m_caret);
    if (caretX < m_scroll)
        m_scroll = std::max(0, caretX - visible / 3);
    else if (caretX >= m_scroll + visible)
        m_scroll = caretX - visible + 1;
    m_scroll = std::clamp(m_scroll, 0, total - visible + 1);
}

void CEdit::RestartBlink() {
    if (!m_focused)
        return;
    m_caretOn = true;
    SetTimer(kBlinkTimer, kBlinkMs);
}

// ---- Messages ----

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        Commit(text ? std::u16string(text) : std::u16string(), 0);
        m_scroll = 0;
        return 1;
    }
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        OnChar(static_cast<char16_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus();
        MoveCaret(HitPosition(GET_X_LPARAM(lParam)), (wParam & MK_SHIFT) != 0);
        m_dragging = true;
        SetCapture();
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging)
            MoveCaret(HitPosition(GET_X_LPARAM(lParam)), true);
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging) {
            m_dragging = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        SelectWordAt(HitPosition(GET_X_LPARAM(lParam)));
        return 0;
    case WM_SETFOCUS:
        m_focused = true;
        RestartBlink();
        Invalidate();
        NotifyParent(*this, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        m_caretOn = false;
        KillTimer(kBlinkTimer);
        Invalidate();
        NotifyParent(*this, EN_KILLFOCUS);
        return 0;
    case WM_TIMER:
        if (wParam == kBlinkTimer) {
            m_caretOn = !m_caretOn;
            Invalidate(false);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    case EM_SETSEL:
        SetSel(static_cast<int>(static_cast<std::intptr_t>(wParam)), static_cast<int>(lParam));
        return 0;
    case EM_GETSEL:
        return static_cast<LRESULT>(
            MAKELPARAM(static_cast<std::uint16_t>(SelStart()), static_cast<std::uint16_t>(SelEnd())));
    case EM_REPLACESEL:
        ReplaceSel(lParam ? std::u16string_view(reinterpret_cast<const char16_t*>(lParam)) : u"");
        return 0;
    case EM_LIMITTEXT:
        SetLimitText(static_cast<int>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return m_limit;
    case WM_COPY:
        Copy();
        return 0;
    case WM_CUT:
        Cut();
        return 0;
    case WM_PASTE:
        Paste();
        return 0;
    case WM_CLEAR:
        Clear();
        return 0;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CEdit::Paint() {
    CPaintDC dc(*this);
    Painter& painter = *dc;
    const Rect client = GetClientRect();
    const bool enabled = IsWindowEnabled();
    painter.SetTextColor(enabled ? RGB(0, 0, 0) : RGB(109, 109, 109));
    painter.SetBkColor(enabled && Editable() ? RGB(255, 255, 255) : RGB(240, 240, 240));
    std::optional<COLORREF> brush;
    if (CWnd* parent = GetParent())
        brush = BrushFromResult(parent->SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(&painter),
                                                    reinterpret_cast<LPARAM>(GetSafeHwnd())));
    const COLORREF text = painter.GetTextColor();
    painter.FillRect(client, brush ? *brush : painter.GetBkColor());
    if (GetStyle() & WS_BORDER)
        painter.FrameRect(client, m_focused ? RGB(0, 120, 215) : RGB(122, 122, 122));

    const Font& font = TextFont();
    painter.SelectFont(GetFont() ? GetFont() : Painter::DefaultGuiFont());
    painter.SetBkMode(TRANSPARENT);
    const Rect area = TextArea();
    painter.SaveDC();
    painter.IntersectClipRect(area);
    const int height = font.Metrics().height;
    const int top = (client.Height() - height) / 2;
    const int left = TextLeft();
    const std::u16string_view all(m_value);
    const bool showSelection = HasSelection() && (m_focused || (GetStyle() & ES_NOHIDESEL));
    if (showSelection) {
        const int x0 = left + Measure(SelStart());
        const int x1 = left + Measure(SelEnd());
        painter.FillRect({x0, top, x1, top + height}, m_focused ? RGB(0, 120, 215) : RGB(204, 204, 204));
        painter.SetTextColor(text);
        painter.TextOut(left, top, all.substr(0, static_cast<size_t>(SelStart())));
        painter.SetTextColor(m_focused ? RGB(255, 255, 255) : text);
        painter.TextOut(
            x0, top, all.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelEnd() - SelStart())));
        painter.SetTextColor(text);
        painter.TextOut(x1, top, all.substr(static_cast<size_t>(SelEnd())));
    } else {
        painter.SetTextColor(text);
        painter.TextOut(left, top, all);
    }
    if (CaretShown()) {
        const int x = std::min(left + Measure(m_caret), area.right - 1);
        painter.FillRect({x, top, x + 1, top + height}, text);
    }
    painter.RestoreDC(-1);
}

} // namespace plat
