// The running calendar, put together: the desktop services, the one state object, the screen
// and its timers, and the parts that do the work — the window host (what the start-up and tray
// logic ask of the windows), the action runner (what the input logic lists), the modal windows
// and the screen painter. Tests drive the whole program through this object.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/window_host.h"
#include "core/events/month_events.h"
#include "core/ports/secret_store.h"
#include "core/render/screen.h"
#include "core/ui/mouse.h"
#include "core/ui/ui_actions.h"
#include "gui/app/action_runner.h"
#include "gui/app/modal_windows.h"
#include "gui/app/qt_services.h"
#include "gui/app/screen_painter.h"
#include "gui/app/window_host.h"

class QTimer;

namespace tv {

class CalendarSync;
class MainWindow;
class Surface;
class TrayIcon;

// The program's timers, made once and switched on and off by the parts.
struct CalendarTimers {
    QTimer* day = nullptr;       // the day-change check, every 4 s while the window is up
    QTimer* alarm = nullptr;     // the looping alarm sound's countdown, every second
    QTimer* refresh = nullptr;   // the automatic refresh after a start at log-on
    QTimer* rollover = nullptr;  // ends a button's hover look
    QTimer* search = nullptr;    // completes the user picture list a slice at a time
};

class CalendarApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool singleInstance = true;  // off in tests, which run several in one process
        bool splash = true;
        // The calendar's time; the system clock when null. Tests run the whole program on a
        // clock of their own.
        Clock* clock = nullptr;
    };

    explicit CalendarApp(Options options);
    ~CalendarApp() override;
    CalendarApp(const CalendarApp&) = delete;
    CalendarApp& operator=(const CalendarApp&) = delete;

    // The process entry with the command line after the program name.
    MainOutcome start(std::string_view commandLine);

    AppState& state() { return state_; }
    MainWindowState& ui() { return state_.window; }
    Screen& canvas() { return screen_; }
    MonthEvents& month() { return month_; }
    const WindowGeometry& geometry() const { return geometry_; }
    WindowGeometry& geometry() { return geometry_; }
    Platform& platform() { return services_.platform(); }
    QtServices& services() { return services_; }
    AppContext& context() { return ctx_; }
    CalendarTimers& timers() { return timers_; }
    WindowHost& host() { return host_; }
    CalendarSync& sync() { return *sync_; }
    ModalWindows& modals() { return modals_; }
    ScreenPainter& painter() { return painter_; }
    const Options& options() const { return options_; }
    MainWindow* window() const { return host_.window(); }
    TrayIcon* trayForm() const { return host_.trayIcon(); }
    bool ended() const { return state_.ended; }
    // The frame the window shows; null before the first composition.
    const Surface* frame() const;

    // Input from the window, through the core's rules.
    void command(CommandCode code) { runner_.command(code); }
    void keyDown(int keyCode, int shift) { runner_.keyDown(keyCode, shift); }
    void perform(const Actions& actions) { runner_.perform(actions); }

    // A modal window the actions would open; tests replace it so nothing blocks. Returns true
    // when it handled the action itself.
    std::function<bool(UiAction kind, int argument)> modalHook;
    // Replaces the end of the event loop (tests: an exit there would end every later loop).
    std::function<void()> endHook;
    // Whether the desktop shows tray icons, when a test decides it rather than the desktop.
    std::optional<bool> trayAreaOverride;

    // The game of screen mode 3, from the about window.
    void startGame();
    void redraw() { painter_.redraw(); }
    void setAlarmTimer(bool on) { host_.setAlarmTimer(on); }

private:
    void makeTimers();

    Options options_;
    QtServices services_;
    AppState state_;
    Screen screen_;
    MonthEvents month_;
    WindowGeometry geometry_;
    CalendarTimers timers_;
    WindowHost host_;
    AppContext ctx_;
    ScreenPainter painter_;
    ModalWindows modals_;
    ActionRunner runner_;
    std::unique_ptr<SecretStore> secrets_;
    // Last: its worker is stopped before anything it reads goes.
    std::unique_ptr<CalendarSync> sync_;
};

}  // namespace tv
