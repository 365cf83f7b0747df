// The month calendar screen: a 6 x 7 grid of day fields, Monday first, painted from the day
// cells and long-event bands built by the events code.
#pragma once

#include "core/events/month_events.h"
#include "core/render/screen.h"

namespace tv {

GridColours readGridColours(HashTable& theme);

// Reads the day colours, shows the current month and builds its cells into `month` (which
// the screen then paints). `ctx` carries everything but the year and month.
void initCalendarWindow(Screen& screen, EventTable& table, MonthContext ctx, MonthEvents& month);

void drawMonthGrid(Screen& screen);

// The day field under a window point, 0..41; -1 outside the grid.
int monthGridHit(const HashTable& theme, int x, int y);

}  // namespace tv
