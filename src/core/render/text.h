// Text on the skin surfaces: fonts from theme styles or font records, colours, the shadow
// types, highlighted runs, measuring, cutting and wrapping to a width.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/surface.h"

namespace tv {

class HashTable;

// Alignment codes: 0 x is the left edge, 1 the right edge, 2 the centre.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignCentre = 2;

// Shadow types of the lines over the picture and the today block.
inline constexpr int kShadowNone = 0;
inline constexpr int kShadowDrop = 1;
inline constexpr int kShadowThin = 2;
inline constexpr int kShadowThick = 3;

// The font of one kind of line over the picture: "mb", "mu" or "ms".
struct FontRecord {
    std::string face = "MS Sans Serif";
    int size = 10;  // points
    int weight = 700;
    bool italic = false;
    uint32_t color = 0;
    uint32_t color2 = 0;  // shadow
};

// Points to pixels at the window's 96 dots per inch.
int fontPixels(int points);

// Selects the font of theme style `style`; the wisdom styles fall back to "Arial" 14 italic
// when their face is not installed.
void setTextStyle(Surface& s, HashTable& theme, std::string_view style);
void setFontRecord(Surface& s, const FontRecord& record);
// Theme keys def_<kind>_* when M_Default is 2, else the user's <KIND>_* settings with the
// theme values as their defaults.
FontRecord loadFontRecord(std::string_view kind, HashTable& theme, HashTable& settings);
inline void setColor(Surface& s, uint32_t colour) {
    s.setTextColor(colour);
}

// The base operation; the style's one-pixel shadow in `shadowColour` (the theme's
// text_shadow_color) comes first when the style asks for it. Alignment 3 and up draw nothing.
void drawText(Surface& s, int x, int y, std::string_view text, int align, uint32_t shadowColour);
void drawShadowed(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour, int shadowType,
                  std::string_view text, int align, uint32_t styleShadowColour);
// Runs between "<r>" and "</r>" in highlightColour, the rest in colour.
void drawTagged(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour,
                uint32_t highlightColour, int shadowType, std::string_view text, int align,
                uint32_t styleShadowColour);
// The bell before a line with an alarm, outlined like its line (thinly when the line has no
// shadow).
void drawShadowedBell(Surface& s, int x, int y, uint32_t colour, uint32_t shadowColour,
                      int shadowType);

inline int textWidth(const Surface& s, std::string_view text) {
    return s.textWidthPx(text);
}
int lineHeight(const Surface& s);
std::string fitText(const Surface& s, std::string_view text, int maxWidth,
                    std::string_view overflow);
std::vector<std::string> wrapText(const Surface& s, std::string_view text, int maxWidth);

// The text without its highlight tags.
std::string stripTags(std::string_view text);

}  // namespace tv
