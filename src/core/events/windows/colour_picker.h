// The band colour picker of long events: 14 fixed hues in two rows of seven.
#pragma once

#include <array>
#include <cstdint>

#include "core/events/month_events.h"

namespace tv {

inline constexpr std::array<int, 14> kBandHues = {0,   30,  50,  60,  80,  120, 180,
                                                  190, 210, 240, 270, 290, 300, 330};
inline constexpr int kColourCellsPerRow = 7;
inline constexpr int kColourCellPitch = 30;  // pixels from one cell to the next
inline constexpr int kColourCellMargin = 2;

struct ColourPicker {
    int given = 0;     // the hue it was opened with, returned on cancel
    int selected = 0;  // the framed cell
};

// Frames the cell of `hue`, or the first cell when the palette has no such hue.
ColourPicker openColourPicker(int hue);
// A click on a cell; clicks outside the palette change nothing.
void pickColourCell(ColourPicker& picker, int cell);
// `okButton`: the framed cell's hue.
int confirmColourPicker(const ColourPicker& picker);

// The colour a hue is painted in, as the month grid paints the band (0x00BBGGRR).
uint32_t bandHueColour(int hue, const MonthTheme& theme);

struct ColourCell {
    int x = 0;  // top left, pixels inside the frame
    int y = 0;
    int hue = 0;
    uint32_t colour = 0;
};
std::array<ColourCell, 14> describeColourPicker(const MonthTheme& theme);

}  // namespace tv
