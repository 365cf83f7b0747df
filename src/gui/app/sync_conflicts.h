// The conflicts list: the user's versions that lost a clash with the server, any of which can be
// put back into the calendar (the next run sends it to the server).
#pragma once

class QWidget;

namespace tv {

class CalendarApp;

void showSyncConflicts(CalendarApp& app, QWidget* parent);

}  // namespace tv
