// The raster operations the screens use, named as the drawing code calls them. They clip to
// the surfaces, and drawing from an empty image draws nothing.
#pragma once

#include <cstdint>

#include "core/ports/surface.h"

namespace tv {

inline void copyRect(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy) {
    dst.copy(x, y, w, h, src, sx, sy);
}
inline void copyKeyed(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                      uint32_t key) {
    dst.copyKeyed(x, y, w, h, src, sx, sy, key);
}
inline void copyMasked(Surface& dst, int x, int y, int w, int h, const Surface& src, Surface* mask,
                       int sx, int sy) {
    dst.copyMasked(x, y, w, h, src, mask, sx, sy);
}
inline void fillRect(Surface& s, int x, int y, int w, int h, uint32_t colour) {
    if (w > 0 && h > 0) s.fill(x, y, w, h, colour);
}

// Rows y .. y + thickness - 1, columns x1 .. x2; nothing when x2 < x1.
void hLine(Surface& s, int x1, int x2, int y, int thickness, uint32_t colour);
// Columns x .. x + thickness - 1, rows y1 .. y2; nothing when y2 < y1.
void vLine(Surface& s, int x, int y1, int y2, int thickness, uint32_t colour);

// Hue in degrees (outside 0..360 counts as 0), saturation and value 0..1, as 0x00BBGGRR.
uint32_t hsvToRgb(double hue, double saturation, double value);

// Luminance of a colour, 0..255: the weights of the eye for red, green and blue.
int luminance(uint32_t colour);

}  // namespace tv
