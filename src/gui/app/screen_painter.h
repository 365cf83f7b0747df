// Keeps what the calendar window shows up to date: the month's day fields, the event lists after
// a change, the picture of the day, and the frame itself.
#pragma once

#include "core/events/month_events.h"

namespace tv {

class CalendarApp;

class ScreenPainter {
public:
    explicit ScreenPainter(CalendarApp& app) : app_(app) {}

    // The shown month's context for the day fields; tooltips are built on demand.
    MonthContext monthContext();
    void rebuildMonth();
    // After the events changed: the lists, the day fields, the picture and the frame.
    void eventRefresh();
    // The picture of the day into the skin's picture buffer; `redrawOnly` keeps the choice
    // unless today's events bring a picture of their own.
    void drawPicture(bool redrawOnly);
    // The frame of the current screen mode, then the window's buttons and paint.
    void redraw();
    // The transparency setting applied to the shown window at once.
    void applyWindowLook();

private:
    CalendarApp& app_;
};

}  // namespace tv
