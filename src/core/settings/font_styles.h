// The three user fonts of the lines over the picture ("MB" today's events, "MS" coming events,
// "MU" today's holidays) as the settings window edits them: six keys each, defaulting to the
// active theme's "def_" values.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tv {

class HashTable;

enum FontStyleKind : int { kStyleMB = 0, kStyleMS = 1, kStyleMU = 2, kFontStyleCount = 3 };
inline constexpr std::array<std::string_view, kFontStyleCount> kFontStyleNames = {"MB", "MS", "MU"};

struct FontStyle {
    std::string face;  // empty: the samples use "Arial"
    int size = 10;     // points
    int weight = 400;  // 100 ... 900
    bool italic = false;
    int color = 0;    // 0x00BBGGRR
    int bgColor = 0;  // the shadow's colour
    bool operator==(const FontStyle&) const = default;
};

// The style as the settings hold it; each absent key is stored with the theme's value, and where
// the theme has none either: "MS Sans Serif", weight 400, italic only for MU.
FontStyle readFontStyle(HashTable& settings, const HashTable& theme, FontStyleKind kind);

// The theme's own style: what the reset button restores and what the samples show with the
// theme's fonts chosen. A theme without a weight gives 700 here, as the main screen draws it.
FontStyle themeFontStyle(const HashTable& theme, FontStyleKind kind);

void writeFontStyle(HashTable& settings, FontStyleKind kind, const FontStyle& style);

}  // namespace tv
