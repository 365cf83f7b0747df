// The alarm list while only the tray runs. The window's load builds the lists and its day-change
// check keeps them; with the window closed the tray's minute check is what rings, so the tray has
// to carry the list into each new day itself (a monthly alarm rings next month without the
// window opened in between).
#pragma once

#include "core/app/window_host.h"

namespace tv {

// With the window down: reads events.cdb when no load has read it yet (a start at log-on without
// the window), and rebuilds the lists from the table in memory when they were built for another
// day. The window's other per-day state stays empty until the window loads. True when the alarm
// list is there for today.
bool keepAlarmListCurrent(AppContext& ctx);

// The event table as events.cdb holds it, read now when no load has read it. False when the file
// cannot be read (nothing may then be saved over it).
bool ensureEventTable(AppContext& ctx);

}  // namespace tv
