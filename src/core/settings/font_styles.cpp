#include "core/settings/font_styles.h"

#include <algorithm>

#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/render/theme.h"

namespace tv {

namespace {

constexpr std::string_view kFallbackFace = "MS Sans Serif";
constexpr int kFallbackSize = 10;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The theme's "def_<kind>_" values as text, with the fallbacks filled in.
struct ThemeTexts {
    std::string face, size, weight, italic, color, color2;
};

ThemeTexts themeTexts(const HashTable& theme, FontStyleKind kind, std::string_view noWeight) {
    const std::string p = "def_" + lower(kFontStyleNames[static_cast<size_t>(kind)]) + "_";
    auto value = [&](std::string_view suffix, std::string_view fallback) {
        const std::string key = p + std::string(suffix);
        return theme.exists(key) ? theme.item(key) : std::string(fallback);
    };
    ThemeTexts t;
    t.face = value("font", kFallbackFace);
    t.size = value("size", std::to_string(kFallbackSize));
    t.weight = value("weight", noWeight);
    t.italic = value("italic", kind == kStyleMU ? "true" : "false");
    t.color = value("color", "0");
    t.color2 = value("color2", "0");
    return t;
}

int clampedWeight(int w) {
    return std::clamp(w, 100, 900);
}

FontStyle fromTexts(const ThemeTexts& t) {
    FontStyle s;
    s.face = t.face;
    s.size = parseThemeInt(t.size);
    if (s.size <= 0) s.size = kFallbackSize;
    s.weight = clampedWeight(parseThemeInt(t.weight));
    s.italic = parseThemeBool(t.italic);
    s.color = parseThemeInt(t.color);
    s.bgColor = parseThemeInt(t.color2);
    return s;
}

std::string key(FontStyleKind kind, size_t suffix) {
    return std::string(kFontStyleNames[static_cast<size_t>(kind)]) +
           std::string(settings::kFontSuffixes[suffix]);
}

}  // namespace

FontStyle readFontStyle(HashTable& settings, const HashTable& theme, FontStyleKind kind) {
    const ThemeTexts def = themeTexts(theme, kind, "400");
    ThemeTexts t;
    t.face = settings.itemAlt(key(kind, 0), def.face);
    t.size = settings.itemAlt(key(kind, 1), def.size);
    t.weight = settings.itemAlt(key(kind, 2), def.weight);
    t.italic = settings.itemAlt(key(kind, 3), def.italic);
    t.color = settings.itemAlt(key(kind, 4), def.color);
    t.color2 = settings.itemAlt(key(kind, 5), def.color2);
    return fromTexts(t);
}

FontStyle themeFontStyle(const HashTable& theme, FontStyleKind kind) {
    return fromTexts(themeTexts(theme, kind, "700"));
}

void writeFontStyle(HashTable& settings, FontStyleKind kind, const FontStyle& style) {
    settings.setItem(key(kind, 0), style.face);
    settings.setItem(key(kind, 1), std::to_string(style.size));
    settings.setItem(key(kind, 2), std::to_string(style.weight));
    settings.setItem(key(kind, 3), style.italic ? "true" : "false");
    settings.setItem(key(kind, 4), std::to_string(style.color));
    settings.setItem(key(kind, 5), std::to_string(style.bgColor));
}

}  // namespace tv
