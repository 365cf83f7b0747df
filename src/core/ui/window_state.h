// The main window's interaction state: which screen and month it shows, the display switches,
// and what the mouse and keyboard are in the middle of. One instance, owned with the rest of
// the window's state.
#pragma once

#include <string>

#include "core/calc/date.h"
#include "core/events/month_events.h"
#include "core/names/wisdom.h"
#include "core/render/screen.h"  // screen modes, layout tests

namespace tv {

// Paging stops at these months: the day tables and the week rule are only defined between them.
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2999;

inline constexpr int kMouseLeft = 1;  // lastButton values
inline constexpr int kMouseRight = 2;
inline constexpr int kMouseMiddle = 4;

inline constexpr int kKeyBufferLength = 10;

struct MainWindowState {
    ScreenMode screenMode = ScreenMode::kMain;
    int shownYear = 2000;
    int shownMonth = 1;
    Date today;  // kept current by the day-change check
    bool developer = false;
    WisdomState wisdom;
    MonthSwitches switches;
    LayoutTests layoutTests;

    int hoveredButton = -1;
    bool dragging = false;
    int dragStartX = 0;
    int dragStartY = 0;
    int lastButton = 0;
    std::string keyBuffer;

    bool showsCurrentMonth() const {
        return shownYear == today.year() && shownMonth == today.month();
    }
    // Negative before the current month, positive after it.
    int comparedToCurrent() const {
        return (shownYear * 12 + shownMonth) - (today.year() * 12 + today.month());
    }
};

}  // namespace tv
