// The frame the built-in dialogs share. Our top-level windows carry no decorations of the
// window system, so the frame draws its own: a caption bar with the title and a close box
// (dragging the bar moves the dialog), a thin border and a light body. It sizes itself,
// centres over the active window (or the screen) and gives every control the dialog font;
// a dialog only creates its controls in the body.
#pragma once

#include "platform/gfx/font.h"
#include "platform/window/button.h"
#include "platform/window/dialog.h"

#include <memory>
#include <string>

namespace plat {

class CBuiltinDialogFrame : public CDialog {
public:
    static constexpr int kCaptionHeight = 32;
    static constexpr int kMargin = 14;
    static constexpr int kGap = 8;
    static constexpr int kRowHeight = 24;
    static constexpr int kButtonWidth = 88;
    static constexpr int kButtonHeight = 26;
    static constexpr COLORREF kBodyColor = RGB(243, 243, 243);
    static constexpr COLORREF kErrorColor = RGB(196, 43, 28);

    // `clientSize` includes the caption bar.
    CBuiltinDialogFrame(std::u16string title, Size clientSize);

    static std::shared_ptr<const Font> DialogFont();

    // Activation goes back to the owner afterwards, even when the caller had disabled it
    // itself (and the plain modal run therefore leaves it alone).
    INT_PTR DoModal() override;
    bool OnInitDialog() final;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Creates the dialog's controls; true lets the focus go to the first tab stop, false
    // when the dialog has placed it itself.
    virtual bool CreateControls() = 0;
    // Drawing of the body after the frame, under the controls.
    virtual void PaintBody(Painter&) {}
    // The area below the caption bar, inside the margins.
    Rect Body() const;

private:
    void PaintFrame();
    void DrawCloseBox(const DRAWITEMSTRUCT& item);
    void Centre();

    std::u16string m_title;
    Size m_size;
    HWND m_owner{nullptr};
    CButton m_close;
};

} // namespace plat
