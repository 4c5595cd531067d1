// CColorDialog: the colour chooser, through the dialog provider.
#pragma once

#include "platform/gfx/color.h"
#include "platform/window/dialog_results.h"

namespace plat {

class CWnd;

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, CWnd* parent = nullptr)
        : m_color(initial), m_parent(parent) {}
    // IDOK with the chosen colour, IDCANCEL leaving the initial one.
    int DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    CWnd* m_parent;
};

} // namespace plat
