// The built-in colour chooser: a grid of basic colours to click, a preview of the colour
// chosen so far with its hex code, and red, green and blue fields (digits only, values
// above 255 clamped) for an exact colour.
#pragma once

#include "platform/window/builtin_dialog_frame.h"
#include "platform/window/edit.h"
#include "platform/window/static_control.h"

#include <array>
#include <optional>

namespace plat {

class CBuiltinColorDialog : public CBuiltinDialogFrame {
public:
    static constexpr int kSwatchCount = 48;
    static constexpr int kSwatchColumns = 8;
    static constexpr UINT kFirstSwatchId = 0x300;
    static constexpr UINT kPreviewId = 0x340;
    static constexpr UINT kHexId = 0x341;
    static constexpr UINT kRedId = 0x342; // then green and blue

    CBuiltinColorDialog(std::u16string title, COLORREF initial);

    // Runs the dialog; the chosen colour, or nullopt when cancelled.
    std::optional<COLORREF> Choose();

    COLORREF Current() const { return m_color; }
    static COLORREF SwatchColor(int index);

protected:
    bool CreateControls() override;
    void OnOK() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateFields(int left, int top);
    void SetColor(COLORREF color, bool updateFields);
    void OnFieldChanged(int channel);
    void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    COLORREF m_color;
    std::optional<COLORREF> m_result;
    bool m_updating{false};
    CStatic m_gridLabel;
    std::array<CButton, kSwatchCount> m_swatches;
    CStatic m_previewLabel;
    CStatic m_preview;
    CStatic m_hex;
    std::array<CStatic, 3> m_labels;
    std::array<CEdit, 3> m_fields;
    CButton m_ok;
    CButton m_cancel;
};

} // namespace plat
