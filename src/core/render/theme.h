// Reading the skin's theme table: every value is text, converted by the reader of each key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/hash_table.h"

namespace tv {

// Decimal digits with an optional sign; anything else (the empty text of a missing key too)
// reads as 0.
int parseThemeInt(std::string_view text);
// "true"/"false" in any case; a number counts as true when it is not 0.
bool parseThemeBool(std::string_view text);

// A key the skin must have: its value, 0 when missing.
inline int themeInt(const HashTable& theme, std::string_view key) {
    return parseThemeInt(theme.item(key));
}
// A key with a default, which is stored when the skin lacks the key.
inline int themeInt(HashTable& theme, std::string_view key, int def) {
    return parseThemeInt(theme.itemAlt(key, std::to_string(def)));
}
inline uint32_t themeColour(HashTable& theme, std::string_view key, uint32_t def) {
    return static_cast<uint32_t>(themeInt(theme, key, static_cast<int>(def)));
}
inline uint32_t themeColour(const HashTable& theme, std::string_view key) {
    return static_cast<uint32_t>(themeInt(theme, key));
}
inline bool themeBool(HashTable& theme, std::string_view key, bool def) {
    return parseThemeBool(theme.itemAlt(key, def ? "true" : "false"));
}
// The colour of the one-pixel shadow of styles that ask for one.
inline uint32_t textShadowColour(const HashTable& theme) {
    return themeColour(theme, "text_shadow_color");
}
// What a text cut to fit ends with.
inline std::string overflowMark(HashTable& theme) {
    return theme.itemAlt("overflow_chars", "...");
}
// Both keys of an optional point exist.
inline bool themeHasPoint(const HashTable& theme, const std::string& prefix) {
    return theme.exists(prefix + "_x") && theme.exists(prefix + "_y");
}

// The first key a skin needs but lacks (geometry of the picture, grid, alarm screen, wisdom
// box, the texts' positions, the shown buttons' cuts, and the shadow colour when a style asks
// for a shadow); empty when the skin has them all.
std::string missingThemeKey(const HashTable& theme);

}  // namespace tv
