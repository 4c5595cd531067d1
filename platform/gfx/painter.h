// The drawing context every window and item paints through. It draws into a Bitmap
// (a top-level window's back buffer or an off-screen picture) and carries what a device
// context carries: a window origin and a viewport origin (device = logical - window
// origin + viewport origin), a clip region in device pixels, text and background colours,
// a background mode and a selected font. Every operation is clipped to the target.
#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "platform/gfx/font.h"
#include "platform/gfx/rect.h"
#include "platform/gfx/region.h"
#include "platform/gfx/text_layout.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace plat {

// Raster operations of bit-block transfers: destination from source, bit by bit, on all
// four channels (so XOR, AND, XOR with the same image restores alpha as well as colour).
constexpr std::uint32_t SRCCOPY = 0x00CC0020;   // s
constexpr std::uint32_t SRCPAINT = 0x00EE0086;  // d | s
constexpr std::uint32_t SRCAND = 0x008800C6;    // d & s
constexpr std::uint32_t SRCINVERT = 0x00660046; // d ^ s

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct BlendFunction {
    std::uint8_t constantAlpha{255};
    bool perPixelAlpha{false}; // also weigh each source pixel by its own (straight) alpha
};

class Painter {
public:
    explicit Painter(Bitmap& target) : m_target(target) {}

    Bitmap& Target() { return m_target; }

    Point SetWindowOrg(Point origin);
    Point GetWindowOrg() const { return m_state.windowOrg; }
    Point SetViewportOrg(Point origin);
    Point GetViewportOrg() const { return m_state.viewportOrg; }
    Point LogicalToDevice(Point p) const;
    Rect LogicalToDevice(const Rect& r) const;
    Rect DeviceToLogical(const Rect& r) const;

    // The clip region is in device pixels; null removes clipping (the whole target).
    void SelectClipRgn(const Region* region);
    void IntersectClipRect(const Rect& logical);
    // Bounding box of what can be drawn, in logical coordinates.
    Rect GetClipBox() const;
    // Saves origins, clip, colours, mode and font; RestoreDC(-1) restores the last save,
    // RestoreDC(n) the state SaveDC returned n for (dropping later saves).
    int SaveDC();
    bool RestoreDC(int level);

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_state.bkMode; }
    std::shared_ptr<const Font> SelectFont(std::shared_ptr<const Font> font);
    // The selected font, else the default GUI font; null only when no font loads at all.
    const Font* CurrentFont() const;
    static std::shared_ptr<const Font> DefaultGuiFont();

    void FillRect(const Rect& rect, COLORREF color);
    // An outline `thickness` pixels wide, inside the rectangle.
    void FrameRect(const Rect& rect, COLORREF color, int thickness = 1);
    // A one-pixel line from `from` up to, but not including, `to`.
    void DrawLine(Point from, Point to, COLORREF color);
    void SetPixel(Point p, COLORREF color);
    // CLR_INVALID outside the target or the clip region.
    COLORREF GetPixel(Point p) const;

    // Parts of the source rectangle outside the source bitmap leave the destination as it
    // was. Unknown raster operations and non-positive sizes draw nothing and return false.
    bool BitBlt(int x, int y, int width, int height, const Bitmap& source, int sx, int sy, std::uint32_t rop);
    bool StretchBlt(const Rect& dest, const Bitmap& source, const Rect& sourceRect, std::uint32_t rop);
    // Copies every source pixel whose colour is not `key`; stretches like StretchBlt.
    bool TransparentBlt(const Rect& dest, const Bitmap& source, const Rect& sourceRect, COLORREF key);
    bool AlphaBlend(const Rect& dest, const Bitmap& source, const Rect& sourceRect, BlendFunction blend);

    TextMetrics GetTextMetrics() const;
    // Width of one line of text in the current font, and the line height.
    Size GetTextExtent(std::u16string_view text) const;
    // Draws one line with its cell's top-left corner at (x, y); no line breaks.
    void TextOut(int x, int y, std::u16string_view text);
    // Lays out and draws text in `rect` by DT_ flags (see TextLayout). Returns the height
    // of the text; with DT_CALCRECT draws nothing and sets `rect` to the text's extent.
    // Unless DT_NOCLIP is given the text is clipped to `rect`.
    int DrawText(std::u16string_view text, Rect& rect, unsigned flags);

private:
    struct State {
        Point windowOrg;
        Point viewportOrg;
        std::optional<Region> clip;
        COLORREF textColor{RGB(0, 0, 0)};
        COLORREF bkColor{RGB(255, 255, 255)};
        int bkMode{OPAQUE};
        std::shared_ptr<const Font> font;
    };

    template <typename Fn> void ForEachClipRect(const Rect& device, Fn&& fn) const;
    template <typename PixelOp>
    bool Transfer(const Rect& dest, const Bitmap& source, const Rect& sourceRect, PixelOp op);
    void DrawRun(const Font& font, std::u16string_view text, Point logical, const Rect* limit, int underline);
    void BlendCoverage(const Font::Glyph& glyph, int gx, int gy, const Rect& limit, std::uint32_t color);

    Bitmap& m_target;
    State m_state;
    std::vector<State> m_saved;
};

} // namespace plat
