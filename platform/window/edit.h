// CEdit: a single-line text field. A blinking caret, selection by mouse (press, drag,
// Shift+click, double click on a word) and by keys (Shift with the arrows, Home and End;
// Ctrl+A), copy, cut and paste through the window system's clipboard, a text limit for
// what the user enters, left, centred or right alignment, colours and a background from
// the owner (WM_CTLCOLOREDIT), and EN_CHANGE to the parent after every change of the
// text. Keys and characters arrive as queued messages, so an ancestor's
// PreTranslateMessage can filter them before the field sees them.
#pragma once

#include "platform/window/control_defs.h"
#include "platform/window/wnd.h"

#include <string>

namespace plat {

class CEdit : public CWnd {
public:
    static constexpr int kDefaultLimit = 32767;
    static constexpr UINT kBlinkMs = 530;

    bool Create(DWORD style, const Rect& rect, CWnd* parent, UINT id);

    // The selection as character positions; start == end is a plain caret. SetSel(0, -1)
    // selects everything, SetSel(-1, ...) removes the selection and keeps the caret.
    void SetSel(int start, int end, bool noScroll = false);
    void GetSel(int& start, int& end) const;
    int CaretPos() const { return m_caret; }
    // Replaces the selection as if typed (the limit applies); false when nothing fitted.
    bool ReplaceSel(std::u16string_view text);
    // 0 restores the default limit.
    void SetLimitText(int limit);
    void LimitText(int limit) { SetLimitText(limit); }
    int GetLimitText() const { return m_limit; }
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void SetReadOnly(bool readOnly);

    // The caret is drawn now (it blinks while the field has the focus).
    bool CaretShown() const { return m_focused && m_caretOn; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const std::u16string& Text() const { return m_value; }
    bool Editable() const { return !(GetStyle() & ES_READONLY); }
    int SelStart() const { return std::min(m_caret, m_anchor); }
    int SelEnd() const { return std::max(m_caret, m_anchor); }
    bool HasSelection() const { return m_caret != m_anchor; }

    // Puts `text` in place of the selection; `typed` applies the limit and the filters.
    bool Insert(std::u16string_view text, bool typed);
    void Commit(std::u16string text, int caret);
    void MoveCaret(int position, bool extend);
    void OnKeyDown(WPARAM key);
    void OnChar(char16_t ch);
    void SelectWordAt(int position);
    int PrevStop(int position, bool word) const;
    int NextStop(int position, bool word) const;

    // Geometry.
    const Font& TextFont() const;
    Rect TextArea() const;
    int Measure(int count) const;
    int TextLeft() const; // client x of the first character
    int HitPosition(int x) const;
    void ScrollToCaret();
    void RestartBlink();
    void Paint();

    std::u16string m_value;
    int m_caret{0};
    int m_anchor{0};
    int m_scroll{0};
    int m_limit{kDefaultLimit};
    bool m_focused{false};
    bool m_caretOn{false};
    bool m_dragging{false};
};

} // namespace plat
