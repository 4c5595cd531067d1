// A font request in the form skins and windows write it, and the metrics a font answers.
// Heights follow the usual sign convention: a negative height asks for that character
// (em) height in pixels, a positive one for that cell height (ascent plus descent), zero
// for the default. A width of zero keeps the face's own proportions; otherwise the glyphs
// are scaled horizontally so the average character is that many pixels wide.
#pragma once

#include <cstdint>
#include <string>

namespace plat {

constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

constexpr std::uint8_t FF_SWISS = 0x20;
constexpr std::uint8_t FF_MODERN = 0x30;

struct LogFont {
    int height{0};
    int width{0};
    int weight{FW_DONTCARE};
    bool italic{false};
    bool underline{false};
    std::uint8_t pitchAndFamily{0};
    std::u16string faceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct TextMetrics {
    int height{0}; // ascent + descent: the height of one line of text
    int ascent{0};
    int descent{0};
    int internalLeading{0};
    int aveCharWidth{0};
    int maxCharWidth{0};
};

} // namespace plat
