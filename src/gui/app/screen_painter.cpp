#include "gui/app/screen_painter.h"

#include <QTimer>

#include "core/app/app_contexts.h"
#include "core/events/forecast.h"
#include "core/names/picture_of_day.h"
#include "core/names/today_text.h"
#include "core/render/month_grid.h"
#include "core/render/picture_draw.h"
#include "core/render/skin.h"
#include "gui/app/calendar_app.h"
#include "gui/main_window.h"
#include "platform/qt/caching_image_loader.h"

namespace tv {

MonthContext ScreenPainter::monthContext() {
    AppState& s = app_.state();
    const MainWindowState& w = s.window;
    MonthContext mc = monthContextFor(s.today, s.settings, s.strings, s.names);
    mc.year = w.shownYear;
    mc.month = w.shownMonth;
    mc.switches = w.switches;
    mc.theme = readMonthTheme(&app_.canvas().skin.theme);
    mc.measurer = app_.canvas().skin.mainBuffer.get();
    mc.buildTooltips = false;  // the tooltip of the field under the mouse is built on demand
    return mc;
}

void ScreenPainter::rebuildMonth() {
    buildMonthEvents(app_.state().events, monthContext(), app_.month());
}

void ScreenPainter::eventRefresh() {
    AppState& s = app_.state();
    // The settings window may have changed what today's sentence tells.
    if (s.loaded) s.todayText = buildTodayText(s.today, s.settings, s.strings, s.names);
    checkEvents(s.events, eventCheckContextOf(app_.context()), s.lists);
    rebuildMonth();
    drawPicture(true);
    redraw();
}

void ScreenPainter::drawPicture(bool redrawOnly) {
    Skin& skin = app_.canvas().skin;
    if (!skin.pictureBuffer) return;
    AppState& s = app_.state();
    PictureOfDay picture = loadBackgroundPicture(app_.context(), &skin.theme, redrawOnly);
    drawPictureOfDay(skin, picture, app_.services().images(), s.strings);
    // A choice that had to list the user's folder leaves the rest of the listing to the timer.
    if (s.userPictures && s.userPictures->searchTimerOn()) app_.timers().search->start();
}

void ScreenPainter::redraw() {
    Screen& screen = app_.canvas();
    if (!screen.skin.mainBuffer) return;
    AppState& s = app_.state();
    // The game draws itself over the main screen.
    const ScreenMode mode =
        s.window.screenMode == ScreenMode::kGame ? ScreenMode::kMain : s.window.screenMode;
    redrawScreen(screen, mode);
    // The missed-events button shows while there is something to show.
    ButtonState& alert = screen.skin.buttons[kBtnAlert];
    alert.visible = s.lists.missedButtonVisible && alert.w > 0 && alert.created;
    if (MainWindow* w = app_.window()) {
        w->updateButtons();
        w->update();
    }
}

void ScreenPainter::applyWindowLook() {
    setTransparency(app_.canvas().skin, app_.state().settings);
    if (MainWindow* w = app_.window()) w->applySkin();
}

}  // namespace tv
