// CPopupMenu: the window that shows a CMenu. It is a tool-window pop-up (placed by us,
// never by the window manager), drawn as a light desktop menu: a check-mark gutter, the
// default item bold, greyed items dimmed, separators as thin rules, the hot item
// highlighted, the letter after an "&" underlined. Run holds the thread in the menu's own
// loop: every key goes to the menu (arrows, Home, End, Enter, Escape, and the underlined
// letters), a click on an item chooses it, a press anywhere else dismisses the menu.
#pragma once

#include "platform/window/menu.h"
#include "platform/window/wnd.h"

#include <memory>

namespace plat {

class CPopupMenu : public CWnd {
public:
    static constexpr int kItemHeight = 24;
    static constexpr int kSeparatorHeight = 9;

    CPopupMenu(const CMenu& menu, UINT flags, CWnd* owner);
    ~CPopupMenu() override;

    // Shows the menu at `anchor` (screen) and returns the chosen id, 0 when dismissed.
    UINT Run(Point anchor);

    int HotItem() const { return m_hot; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Rect ItemRect(int index) const;
    int ItemAt(Point client) const;
    Size MeasureMenu() const;
    Rect Placement(Point anchor, Size size) const;
    void SetHot(int index);
    void StepHot(int direction);
    void Choose(int index);
    void OnMnemonic(char16_t key);
    void Dismiss();
    // True when the message was the menu's; the loop dispatches the others.
    bool Filter(const MSG& msg);
    void Paint();

    const CMenu& m_menu;
    UINT m_flags;
    CWnd* m_owner;
    std::shared_ptr<const Font> m_font;
    std::shared_ptr<const Font> m_bold;
    int m_hot{-1};
    bool m_done{false};
    UINT m_result{0};
};

} // namespace plat
