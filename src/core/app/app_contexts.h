// The views of the running calendar that the event database and the event lists need, built the
// same way by the window's load, the tray and the changes handed over by the command-line tool.
#pragma once

#include "core/app/window_host.h"
#include "core/events/alarms.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"

namespace tv {

EventDbContext eventDbContextOf(AppContext& ctx);
// The lists as of the clock's now, with the run's days since the last run.
EventCheckContext eventCheckContextOf(AppContext& ctx);
// The alarm's view: its settings and services, and the window brought up on the alarm screen.
AlarmContext alarmContextOf(AppContext& ctx);

}  // namespace tv
