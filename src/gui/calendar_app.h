// The running calendar: owns the one state object and the desktop services, implements what the
// start-up and tray logic ask of the windows, and carries out the actions the input logic lists.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/app/window_host.h"
#include "core/events/event_database.h"
#include "core/events/month_events.h"
#include "core/events/windows/event_editor.h"
#include "core/ports/platform.h"
#include "core/render/screen.h"
#include "core/ui/mouse.h"
#include "core/ui/ui_actions.h"
#include "core/ui/window_state.h"
#include "gui/windows/settings_window.h"
#include "gui/windows/window_services.h"

class QTimer;
class QWidget;

namespace tv {

class TrayIcon;
class SplashWindow;
class MainWindow;
class Clock;
class QtAutostart;
class QtClock;
class QtDialogs;
class QtDownload;
class QtMessageBox;
class QtShell;
class QtSingleInstance;
class QtSound;
class QtSurfaceFactory;
class QtImageLoader;
class QtUserStore;
class Surface;

class CalendarApp : public QObject, public CalendarWindowHost, public TrayHost {
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

    // Main with the command line after the program name.
    MainOutcome start(std::string_view commandLine);

    AppState& state() { return state_; }
    MainWindowState& ui() { return ui_; }
    Screen& canvas() { return screen_; }
    const MonthEvents& month() const { return month_; }
    const WindowGeometry& geometry() const { return geometry_; }
    Platform& platform() { return platform_; }
    AppContext& context() { return ctx_; }
    MainWindow* window() const;
    TrayIcon* trayForm() const { return tray_.get(); }
    bool ended() const { return state_.ended; }
    // The frame the window shows; null before the first composition.
    const Surface* frame() const;

    // Input from the window, through the core's rules.
    void command(int code);
    void keyDown(int keyCode, int shift);
    void perform(const Actions& actions);

    // A modal window the actions would open; tests replace it so nothing blocks. Returns true
    // when it handled the action itself.
    std::function<bool(UiAction kind, int argument)> modalHook;

    // Replaces the end of the event loop (tests: an exit there would end every later loop).
    std::function<void()> endHook;

    // The game of screen mode 3, from the about window.
    void startGame();
    // The transparency setting applied to the shown window at once.
    void applyWindowLook();

    // CalendarWindowHost
    void showSplash() override;
    void hideSplash() override;
    void processEvents() override;
    bool loadSkin(const std::string& skin) override;
    void initCalendarWindow() override;
    void composeScreen() override;
    void showWindow(bool focus) override;
    void bringToFront() override;
    void setMainTimer(bool on) override;
    void setAutoRefresh(bool on) override;
    PixelRect windowRect() const override;
    PixelRect workArea() const override;
    PixelRect screen() const override;
    void moveWindow(int x, int y) override;
    bool isFullScreenForeground() const override;
    void showUpdateNotice(const UpdateDialogModel& model) override;
    bool showSettingsModal() override;
    void runCommand(int code) override;
    void refreshDay() override;
    void redraw() override;
    void refreshEvents() override;
    bool modalOpen() const override;
    void flashTaskbar() override;
    void setAlarmTimer(bool on) override;
    void stopTimers() override;
    void saveThemeState() override;
    void releaseWindow() override;
    void closeAllWindows() override;
    void endProcess() override;

    // TrayHost
    void addIcon(const std::string& tip) override;
    void removeIcon() override;
    void showTrayMenu() override;

private:
    void ensureWindow();
    void syncIn();   // the load's state into the window's
    void syncOut();  // the window's state back
    MonthContext monthContext();
    void rebuildMonth();
    void eventRefresh();
    void drawPicture(bool redrawOnly);
    void redrawNow();
    AlarmContext alarmContext();
    bool openModal(UiAction kind, int argument);
    void openEventList(const EventListOpen& open);
    void openSettings();
    WindowServices windowServices();
    EventDbContext eventDbContext();
    SettingsWindowHooks settingsHooks();
    void openDayMenu(int cell);
    void openMainMenu();
    void restoreAfterBackup();

    Options options_;
    std::unique_ptr<QtClock> ownClock_;
    Clock* clock_ = nullptr;
    std::unique_ptr<QtMessageBox> box_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<QtShell> shell_;
    std::unique_ptr<QtUserStore> userStore_;
    std::unique_ptr<QtAutostart> autostart_;
    std::unique_ptr<QtSound> sound_;
    std::unique_ptr<QtDownload> download_;
    std::unique_ptr<QtSingleInstance> single_;
    std::unique_ptr<QtSurfaceFactory> factory_;
    std::unique_ptr<QtImageLoader> images_;
    std::unique_ptr<Surface> icon_;

    Platform platform_;
    AppState state_;
    AppContext ctx_;
    MainWindowState ui_;
    Screen screen_;
    MonthEvents month_;
    WindowGeometry geometry_;

    QPointer<MainWindow> window_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<TrayIcon> tray_;
    QTimer* mainTimer_ = nullptr;      // Timer1: the day-change check
    QTimer* alarmTimer_ = nullptr;     // TimerAlarm: the looping sound's countdown
    QTimer* refreshTimer_ = nullptr;   // autoRefreshTimer
    QTimer* rolloverTimer_ = nullptr;  // rolloverTimer
    QTimer* searchTimer_ = nullptr;    // TimerSrc: completes the user picture list
    bool restoredSinceLoad_ = false;
    bool restorePending_ = false;
    int modalDepth_ = 0;
};

}  // namespace tv
