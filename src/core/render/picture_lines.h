// The lines over the picture of the main page: today's holidays, today's own events and the
// coming events in their blocks, the holiday caption of the second layout, and the cut that keeps
// them inside the picture area.
#pragma once

namespace tv {

struct Screen;

// Key of the last line of a list cut short; $1 = how many entries it leaves out.
inline constexpr const char* kForecastMoreKey = "main_d_more";

// Draws the blocks of the layout the setting M_AlignType chooses. The list stops above the
// picture's bottom margin and above the wisdom box when that is shown below the lines; a list
// that does not fit ends with a line saying how many entries are left out.
void drawPictureLines(Screen& screen);

}  // namespace tv
