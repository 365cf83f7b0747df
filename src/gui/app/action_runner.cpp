#include "gui/app/action_runner.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "core/app/app_contexts.h"
#include "core/events/alarms.h"
#include "core/render/skin.h"
#include "core/ui/commands.h"
#include "core/ui/keys.h"
#include "gui/app/calendar_app.h"
#include "gui/main_window.h"

namespace tv {

void ActionRunner::command(CommandCode code) {
    AppState& s = app_.state();
    perform(buttonEvent(s.window, code, s.settings));
}

void ActionRunner::keyDown(int keyCode, int shift) {
    AppState& s = app_.state();
    perform(tv::keyDown(s.window, keyCode, shift, s.settings));
}

void ActionRunner::perform(const Actions& actions) {
    AppState& s = app_.state();
    for (const Action& a : actions) {
        if (s.ended) return;
        MainWindow* window = app_.window();
        switch (a.kind) {
            case UiAction::kRedraw:
                app_.painter().redraw();
                break;
            case UiAction::kBeep:
                app_.platform().shell->beep();
                break;
            case UiAction::kCloseWindow:
                // Later: the window must not go while its own event handler runs.
                QTimer::singleShot(0, &app_,
                                   [this] { unloadCalendar(app_.context(), UnloadMode::kClose); });
                return;
            case UiAction::kOpenEventList:
            case UiAction::kOpenSettings:
            case UiAction::kOpenAbout:
            case UiAction::kOpenNameSearch:
            case UiAction::kOpenMissedEvents:
            case UiAction::kOpenDiagnostics:
            case UiAction::kOpenDayMenu:
            case UiAction::kOpenMainMenu:
                if (!app_.modals().open(a.kind, a.a)) return;
                break;
            case UiAction::kStopAlarmSound: {
                AlarmContext c = alarmContextOf(app_.context());
                stopAlarmSound(c);
                app_.host().setAlarmTimer(false);
                break;
            }
            case UiAction::kRebuildMonth:
                app_.painter().rebuildMonth();
                break;
            case UiAction::kEventRefresh:
                app_.painter().eventRefresh();
                break;
            case UiAction::kRemoveDayTooltip:
                QToolTip::hideText();
                break;
            case UiAction::kSetDayTooltip:
                if (a.text.empty()) {
                    QToolTip::hideText();
                } else if (window != nullptr) {
                    QToolTip::showText(QCursor::pos(), QString::fromStdString(a.text), window);
                }
                break;
            case UiAction::kEndGame:
                if (window != nullptr) window->endGame();
                break;
            case UiAction::kPaintButton: {
                Rect unused;
                setButtonImage(app_.canvas().skin, a.a, a.b, unused);
                if (window != nullptr) window->paintButton(a.a);
                break;
            }
            case UiAction::kStartRollover:
                app_.timers().rollover->start();
                break;
            case UiAction::kStopRollover:
                app_.timers().rollover->stop();
                break;
            case UiAction::kBeginDrag:
                // Where the compositor moves windows itself (Wayland), it takes the drag over.
                if (window != nullptr &&
                    QGuiApplication::platformName() == QLatin1String("wayland") &&
                    window->windowHandle() != nullptr &&
                    window->windowHandle()->startSystemMove()) {
                    s.window.dragging = false;
                }
                break;
            case UiAction::kMoveWindow:
                if (window != nullptr) window->move(window->pos() + QPoint(a.a, a.b));
                break;
        }
    }
}

}  // namespace tv
