#include "core/events/windows/colour_picker.h"

#include <algorithm>

namespace tv {

ColourPicker openColourPicker(int hue) {
    ColourPicker p;
    p.given = hue;
    auto it = std::find(kBandHues.begin(), kBandHues.end(), hue);
    p.selected = it == kBandHues.end() ? 0 : static_cast<int>(it - kBandHues.begin());
    return p;
}

void pickColourCell(ColourPicker& picker, int cell) {
    if (cell >= 0 && cell < static_cast<int>(kBandHues.size())) picker.selected = cell;
}

int confirmColourPicker(const ColourPicker& picker) {
    return kBandHues[static_cast<size_t>(picker.selected)];
}

uint32_t bandHueColour(int hue, const MonthTheme& theme) {
    return hsvColour(hue, theme.longSat / 100.0, theme.longVal / 100.0);
}

std::array<ColourCell, 14> describeColourPicker(const MonthTheme& theme) {
    std::array<ColourCell, 14> cells;
    for (size_t i = 0; i < cells.size(); ++i) {
        const int n = static_cast<int>(i);
        cells[i].x = kColourCellMargin + (n % kColourCellsPerRow) * kColourCellPitch;
        cells[i].y = kColourCellMargin + (n / kColourCellsPerRow) * kColourCellPitch;
        cells[i].hue = kBandHues[i];
        cells[i].colour = bandHueColour(kBandHues[i], theme);
    }
    return cells;
}

}  // namespace tv
