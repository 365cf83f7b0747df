// Colours as iCalendar's COLOR property names them: the CSS3 colour keywords (RFC 7986).
#pragma once

#include <optional>
#include <string_view>

namespace tv::ical {

// The CSS3 name nearest to the band colour of a hue (full saturation and value), by distance
// in RGB.
std::string_view nearestCssColour(int hue);
// The hue (0..359) of a CSS3 colour name, any case; nothing for an unknown name. Greys give 0.
std::optional<int> hueOfCssColour(std::string_view name);

}  // namespace tv::ical
