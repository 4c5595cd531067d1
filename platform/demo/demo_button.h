// An owner-drawn child of the demo: a rounded button that lights up under the mouse
// (hover and leave tracking) and reports clicks to its parent as WM_COMMAND.
#pragma once

#include "platform/window/wnd.h"

#include <string>

namespace plat::demo {

class DemoButton final : public CWnd {
public:
    DemoButton(std::u16string caption, COLORREF face) : m_caption(std::move(caption)), m_face(face) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    std::u16string m_caption;
    COLORREF m_face;
    bool m_hover{false};
    bool m_pressed{false};
};

} // namespace plat::demo
