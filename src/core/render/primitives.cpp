#include "core/render/primitives.h"

#include <cmath>

#include "core/events/month_events.h"

namespace tv {

void hLine(Surface& s, int x1, int x2, int y, int thickness, uint32_t colour) {
    if (x2 < x1 || thickness <= 0) return;
    s.fill(x1, y, x2 - x1 + 1, thickness, colour);
}

void vLine(Surface& s, int x, int y1, int y2, int thickness, uint32_t colour) {
    if (y2 < y1 || thickness <= 0) return;
    s.fill(x, y1, thickness, y2 - y1 + 1, colour);
}

uint32_t hsvToRgb(double hue, double saturation, double value) {
    return hsvColour(hue, saturation, value);
}

int luminance(uint32_t c) {
    const double r = c % 256;
    const double g = (c % 65536) / 256.0;
    const double b = c / 65536.0;
    return static_cast<int>(std::lround(0.2126 * r + 0.7152 * g + 0.0722 * b));
}

}  // namespace tv
