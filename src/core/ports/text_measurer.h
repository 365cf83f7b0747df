// Text width in the current font, for the functions that fit text into a width.
#pragma once

#include <string_view>

namespace tv {

inline constexpr int kTwipsPerPixel = 15;

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width of the UTF-8 text in twips (15 per pixel).
    virtual int textWidth(std::string_view text) const = 0;
};

}  // namespace tv
