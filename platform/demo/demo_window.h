// The demo's main window: a frameless window shaped like a rounded card, whose magenta
// pixels are see-through (colour-key layering), dragged by any free point (HTCAPTION), with
// owner-drawn buttons, a round shaped child and a few lines of text.
#pragma once

#include "platform/demo/demo_button.h"
#include "platform/window/wnd.h"

#include <memory>
#include <vector>

namespace plat::demo {

inline constexpr COLORREF kKey = RGB(255, 0, 255);

class DemoWindow final : public CWnd {
public:
    bool Open(Point at);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int Clicks() const { return m_clicks; }

private:
    void Paint();
    void AddChildren();

    std::vector<std::unique_ptr<CWnd>> m_children;
    std::shared_ptr<const Font> m_titleFont;
    std::shared_ptr<const Font> m_textFont;
    int m_clicks{0};
};

// A rounded rectangle as a region, row by row.
Region RoundedRect(const Rect& r, int radius);
Region Disc(Point centre, int radius);

} // namespace plat::demo
