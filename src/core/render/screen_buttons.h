// Which skin buttons belong to which screen. The paging arrows and the names switch work only on
// the month screen, the alarm button only on the alarm screen; the home button follows its own
// rule in the month grid. Every redraw sets them for the screen it draws.
#pragma once

#include "core/render/screen.h"
#include "core/render/skin.h"

namespace tv {

// Whether button `index` (one of 1, 2, 8 and 9) belongs on `mode`'s screen; false for the
// buttons that do not depend on the screen.
bool buttonBelongsTo(int index, ScreenMode mode);

// Shows the screen's own buttons and hides the other screens' ones. A button the skin gives no
// position stays hidden.
void showScreenButtons(Skin& skin, ScreenMode mode);

}  // namespace tv
