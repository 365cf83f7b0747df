// The views of the running calendar that the event database and the event lists need, built the
// same way by the window's load, the tray and the changes handed over by the command-line tool.
#pragma once

#include "core/app/window_host.h"
#include "core/events/alarms.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"
#include "core/events/month_events.h"

namespace tv {

class NameTable;
struct TodayState;

EventDbContext eventDbContextOf(AppContext& ctx);
// The lists as of the clock's now, with the run's days since the last run.
EventCheckContext eventCheckContextOf(AppContext& ctx);
// A month's context as the window and the tool build it: today's month, the settings, the
// strings, the run's Easter cache and the day's name lines. The caller sets what differs: the
// shown month, the switches, the theme and the measurer.
MonthContext monthContextFor(TodayState& today, HashTable& settings, const StringTable& strings,
                             const NameTable& names);
// The alarm's view: its settings and services, and the window brought up on the alarm screen.
AlarmContext alarmContextOf(AppContext& ctx);

}  // namespace tv
