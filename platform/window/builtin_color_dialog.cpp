// Swatches, preview and channel fields of the built-in colour chooser.
#include "platform/window/builtin_color_dialog.h"

#include "platform/gfx/painter.h"
#include "platform/text/format.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

constexpr Size kSize{456, 312};
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 22;
constexpr int kSwatchGap = 4;
constexpr int kFieldLabelWidth = 48;
constexpr int kFieldWidth = 56;
constexpr COLORREF kSwatchFrame = RGB(160, 160, 160);
constexpr COLORREF kChosenFrame = RGB(0, 95, 184);

// Five shades of eight hues, from pale to deep, then eight greys from white to black.
COLORREF HueShade(int hueIndex, int shade) {
    constexpr double kHues[] = {0, 30, 55, 120, 180, 215, 270, 320};
    constexpr double kSaturation[] = {0.3, 0.6, 1.0, 1.0, 1.0};
    constexpr double kValue[] = {1.0, 1.0, 1.0, 0.72, 0.45};
    const double h = kHues[hueIndex] / 60.0;
    const double s = kSaturation[shade];
    const double v = kValue[shade];
    const double c = v * s;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    const double m = v - c;
    auto channel = [m](double value) { return static_cast<std::uint8_t>(std::lround((value + m) * 255)); };
    return RGB(channel(r), channel(g), channel(b));
}

} // namespace

CBuiltinColorDialog::CBuiltinColorDialog(std::u16string title, COLORREF initial)
    : CBuiltinDialogFrame(title.empty() ? std::u16string(u"Color") : std::move(title), kSize),
      m_color(initial & 0xFFFFFF) {}

COLORREF CBuiltinColorDialog::SwatchColor(int index) {
    const int row = index / kSwatchColumns;
    const int column = index % kSwatchColumns;
    if (row < 5)
        return HueShade(column, row);
    const auto grey = static_cast<std::uint8_t>(255 - column * 255 / (kSwatchColumns - 1));
    return RGB(grey, grey, grey);
}

std::optional<COLORREF> CBuiltinColorDialog::Choose() {
    m_result.reset();
    if (DoModal() != IDOK)
        return std::nullopt;
    return m_result;
}

bool CBuiltinColorDialog::CreateControls() {
    const Rect body = Body();
    m_gridLabel.Create(u"Basic colors:", WS_VISIBLE, {body.left, body.top, body.left + 200, body.top + 18},
                       this);
    const int gridTop = body.top + 24;
    for (int i = 0; i < kSwatchCount; ++i) {
        const int x = body.left + (i % kSwatchColumns) * (kSwatchWidth + kSwatchGap);
        const int y = gridTop + (i / kSwatchColumns) * (kSwatchHeight + kSwatchGap);
        m_swatches[static_cast<size_t>(i)].Create(u"", WS_VISIBLE | BS_OWNERDRAW,
                                                  {x, y, x + kSwatchWidth, y + kSwatchHeight}, this,
                                                  kFirstSwatchId + static_cast<UINT>(i));
    }
    const int panelLeft = body.left + kSwatchColumns * (kSwatchWidth + kSwatchGap) + 16;
    m_previewLabel.Create(u"Preview:", WS_VISIBLE, {panelLeft, body.top, body.right, body.top + 18}, this);
    m_preview.Create(u"", WS_VISIBLE | SS_OWNERDRAW, {panelLeft, gridTop, body.right, gridTop + 56}, this,
                     kPreviewId);
    m_hex.Create(u"", WS_VISIBLE | SS_CENTER, {panelLeft, gridTop + 58, body.right, gridTop + 78}, this,
                 kHexId);
    CreateFields(panelLeft, gridTop + 86);

    const int top = body.bottom - kButtonHeight;
    const int cancelLeft = body.right - kButtonWidth;
    const int okLeft = cancelLeft - kGap - kButtonWidth;
    m_ok.Create(u"OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                {okLeft, top, okLeft + kButtonWidth, body.bottom}, this, IDOK);
    m_cancel.Create(u"Cancel", WS_VISIBLE | WS_TABSTOP, {cancelLeft, top, body.right, body.bottom}, this,
                    IDCANCEL);
    SetColor(m_color, true);
    return true;
}

void CBuiltinColorDialog::CreateFields(int left, int top) {
    constexpr const char16_t* kNames[] = {u"Red:", u"Green:", u"Blue:"};
    for (size_t i = 0; i < 3; ++i) {
        const int y = top + static_cast<int>(i) * (kRowHeight + 6);
        m_labels[i].Create(kNames[i], WS_VISIBLE, {left, y, left + kFieldLabelWidth, y + kRowHeight}, this);
        m_fields[i].Create(
            WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_RIGHT,
            {left + kFieldLabelWidth, y, left + kFieldLabelWidth + kFieldWidth, y + kRowHeight}, this,
            kRedId + static_cast<UINT>(i));
        m_fields[i].SetLimitText(3);
    }
}

void CBuiltinColorDialog::SetColor(COLORREF color, bool updateFields) {
    const COLORREF old = m_color;
    m_color = color;
    if (updateFields) {
        m_updating = true;
        const int values[] = {GetRValue(color), GetGValue(color), GetBValue(color)};
        for (size_t i = 0; i < 3; ++i)
            m_fields[i].SetWindowText(Format(u"%d", values[i]));
        m_updating = false;
    }
    m_hex.SetWindowText(Format(u"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color)));
    m_preview.Invalidate(false);
    // Only the swatches that gain or lose the "chosen" frame change.
    for (int i = 0; i < kSwatchCount; ++i)
        if (SwatchColor(i) == old || SwatchColor(i) == color)
            m_swatches[static_cast<size_t>(i)].Invalidate(false);
}

void CBuiltinColorDialog::OnFieldChanged(int channel) {
    if (m_updating)
        return;
    CEdit& field = m_fields[static_cast<size_t>(channel)];
    const std::u16string text = field.GetWindowText();
    int value = 0;
    for (char16_t c : text)
        if (c >= u'0' && c <= u'9')
            value = value * 10 + (c - u'0');
    if (value > 255) {
        value = 255;
        m_updating = true;
        field.SetWindowText(u"255");
        field.SetSel(3, 3);
        m_updating = false;
    }
    std::uint8_t rgb[] = {GetRValue(m_color), GetGValue(m_color), GetBValue(m_color)};
    rgb[channel] = static_cast<std::uint8_t>(value);
    SetColor(RGB(rgb[0], rgb[1], rgb[2]), false);
}

void CBuiltinColorDialog::OnOK() {
    m_result = m_color;
    EndDialog(IDOK);
}

void CBuiltinColorDialog::DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color) {
    Painter& painter = *item.pDC;
    const Rect r = item.rcItem;
    if (color == m_color) {
        painter.FrameRect(r, kChosenFrame, 2);
        painter.FrameRect({r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, RGB(255, 255, 255));
        painter.FillRect({r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}, color);
        return;
    }
    painter.FrameRect(r, (item.itemState & ODS_SELECTED) ? kChosenFrame : kSwatchFrame);
    painter.FillRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, color);
}

void CBuiltinColorDialog::DrawPreview(const DRAWITEMSTRUCT& item) {
    Painter& painter = *item.pDC;
    painter.FrameRect(item.rcItem, RGB(122, 122, 122));
    const Rect& r = item.rcItem;
    painter.FillRect({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, m_color);
}

LRESULT CBuiltinColorDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (HIWORD(wParam) == BN_CLICKED && id >= kFirstSwatchId && id < kFirstSwatchId + kSwatchCount) {
            SetColor(SwatchColor(static_cast<int>(id - kFirstSwatchId)), true);
            // Swatches are no tab stops; Enter after a click means OK.
            m_ok.SetFocus();
            return 0;
        }
        if (HIWORD(wParam) == EN_CHANGE && id >= kRedId && id < kRedId + 3) {
            OnFieldChanged(static_cast<int>(id - kRedId));
            return 0;
        }
        // A field entered takes a new number at once.
        if (HIWORD(wParam) == EN_SETFOCUS && id >= kRedId && id < kRedId + 3) {
            m_fields[id - kRedId].SetSel(0, -1);
            return 0;
        }
        break;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlID >= kFirstSwatchId && item->CtlID < kFirstSwatchId + kSwatchCount) {
            DrawSwatch(*item, SwatchColor(static_cast<int>(item->CtlID - kFirstSwatchId)));
            return 1;
        }
        if (item && item->CtlID == kPreviewId) {
            DrawPreview(*item);
            return 1;
        }
        break;
    }
    default:
        break;
    }
    return CBuiltinDialogFrame::WindowProc(message, wParam, lParam);
}

} // namespace plat
