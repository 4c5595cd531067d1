// CToolTipCtrl: a small pop-up that names what lies under the pointer. Tools are
// rectangles of windows, each with a text. The owner relays its mouse messages; when the
// pointer rests on a tool for the initial delay the tip appears below the pointer, and it
// goes away on a click, when the pointer moves off the tool, or after the pop delay.
//
// A tracking tool is shown and moved by its owner instead (a slider's value tip): its
// text and position are set directly and it stays until deactivated.
#pragma once

#include "platform/window/wnd.h"

#include <string>
#include <vector>

namespace plat {

inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr DWORD TTDT_AUTOMATIC = 0;
inline constexpr DWORD TTDT_RESHOW = 1;
inline constexpr DWORD TTDT_AUTOPOP = 2;
inline constexpr DWORD TTDT_INITIAL = 3;

class CToolTipCtrl : public CWnd {
public:
    static constexpr char16_t kClassName[] = u"KavoxToolTip";
    static constexpr UINT_PTR kShowTimer = 1;
    static constexpr UINT_PTR kPopTimer = 2;

    // A hidden top-level tool window owned by `owner`'s top-level window.
    bool Create(CWnd* owner);

    // `rect` in the window's client coordinates; null covers the whole window.
    bool AddTool(CWnd* window, std::u16string_view text, const Rect* rect = nullptr, UINT id = 0,
                 UINT flags = 0);
    void DelTool(CWnd* window, UINT id = 0);
    bool UpdateTipText(std::u16string_view text, CWnd* window, UINT id = 0);
    bool SetToolRect(CWnd* window, UINT id, const Rect& rect);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }

    // Inactive, the tip hides and relayed messages are ignored.
    void Activate(bool active);
    void SetDelayTime(DWORD which, int ms);
    int GetDelayTime(DWORD which) const;
    void RelayEvent(const MSG& msg);
    void Pop();

    // Tracking tools.
    void TrackActivate(bool active, CWnd* window, UINT id = 0);
    // The tip's top-left corner in screen coordinates.
    void TrackPosition(int x, int y);

    bool IsTipShown() const { return IsVisibleFlag(); }
    // The text of the tool being shown or waited for.
    std::u16string CurrentText() const;

    COLORREF m_backColor{RGB(255, 255, 255)};
    COLORREF m_textColor{RGB(40, 40, 40)};
    COLORREF m_borderColor{RGB(150, 150, 150)};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Tool {
        HWND window{nullptr};
        UINT id{0};
        std::u16string text;
        bool wholeWindow{true};
        Rect rect;
        UINT flags{0};
    };

    Tool* Find(HWND window, UINT id);
    // The index of the non-tracking tool under a screen point, or -1.
    int ToolAt(Point screen) const;
    void ShowAt(Point screen);
    void Hide();
    void OnTimer(UINT_PTR id);
    void OnPaint();
    Size TipSize() const;

    std::vector<Tool> m_tools;
    bool m_active{true};
    int m_current{-1}; // the tool shown or waited for
    bool m_tracking{false};
    Point m_trackAt;
    int m_initialMs{500};
    int m_autoPopMs{5000};
    int m_reshowMs{100};
};

} // namespace plat
