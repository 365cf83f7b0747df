#include "gui/calendar_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "core/app/folders.h"
#include "core/app/restore_reload.h"
#include "core/app/tray.h"
#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"
#include "core/events/windows/event_list.h"
#include "core/names/picture_of_day.h"
#include "core/render/month_grid.h"
#include "core/render/picture_draw.h"
#include "core/render/skin.h"
#include "core/ui/commands.h"
#include "core/ui/keys.h"
#include "core/ui/menus.h"
#include "gui/accessory_windows.h"
#include "gui/main_window.h"
#include "gui/tray_icon.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/name_search_window.h"
#include "gui/windows/settings_window.h"
#include "gui/windows/update_dialog.h"
#include "gui/windows/window_services.h"
#include "platform/qt/qt_autostart.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_download.h"
#include "platform/qt/qt_image_loader.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_popup_menu.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_user_store.h"

namespace tv {
namespace {

constexpr int kDayTimerMs = 4000;
constexpr int kAlarmTimerMs = 1000;
constexpr int kAutoRefreshMs = 3000;
constexpr int kRolloverMs = 100;
constexpr int kSearchTimerMs = 1;
constexpr std::string_view kWebSite = "https://www.brimcove.hu/";

PixelRect toPixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

CalendarApp::CalendarApp(Options options)
    : options_(options),
      ownClock_(options.clock == nullptr ? std::make_unique<QtClock>() : nullptr),
      clock_(options.clock != nullptr ? options.clock : ownClock_.get()),
      box_(std::make_unique<QtMessageBox>(std::string(kProgramName))),
      dialogs_(std::make_unique<QtDialogs>()),
      shell_(std::make_unique<QtShell>()),
      userStore_(std::make_unique<QtUserStore>()),
      autostart_(std::make_unique<QtAutostart>()),
      sound_(std::make_unique<QtSound>()),
      download_(std::make_unique<QtDownload>()),
      factory_(std::make_unique<QtSurfaceFactory>()),
      images_(std::make_unique<QtImageLoader>()),
      state_(*clock_),
      ctx_{state_, platform_, *this, *this} {
    if (options_.singleInstance) single_ = std::make_unique<QtSingleInstance>();
    platform_.clock = clock_;
    platform_.messageBox = box_.get();
    platform_.dialogs = dialogs_.get();
    platform_.shell = shell_.get();
    platform_.userStore = userStore_.get();
    platform_.autostart = autostart_.get();
    platform_.sound = sound_.get();
    platform_.download = download_.get();
    platform_.singleInstance = single_.get();
    platform_.images = images_.get();
    platform_.paths = resolvePaths();
    if (single_) platform_.paths.runtimeDir = single_->folder();

    auto timer = [this](int ms, auto slot) {
        auto* t = new QTimer(this);
        t->setInterval(ms);
        connect(t, &QTimer::timeout, this, slot);
        return t;
    };
    mainTimer_ = timer(kDayTimerMs, [this] { checkDayChange(ctx_); });
    alarmTimer_ = timer(kAlarmTimerMs, [this] {
        AlarmContext a = alarmContext();
        alarmTimerTick(state_.alarm, a);
    });
    refreshTimer_ = timer(kAutoRefreshMs, [this] {
        if (!refreshScreen(screen_)) refreshTimer_->stop();
        if (window_) window_->updateButtons();
        if (window_) window_->update();
    });
    rolloverTimer_ = timer(kRolloverMs, [this] {
        bool inside = false;
        const int i = ui_.hoveredButton;
        if (window_ && i >= 0 && i < kButtonCount) {
            const SkinButton* b = window_->button(i);
            inside = b->rect().contains(b->mapFromGlobal(QCursor::pos()));
        }
        perform(rolloverTick(ui_, inside));
    });

    // TimerSrc: the user picture list, a slice of the folder walk per tick so that the window
    // stays responsive. Not stopped with the window's other timers: the list belongs to the
    // process, and a walk cut short would only be started again by the next load.
    searchTimer_ = timer(kSearchTimerMs, [this] {
        if (!state_.userPictures || !state_.userPictures->completePictureListStep())
            searchTimer_->stop();
    });

    // Screen hooks: leaving the alarm screen ends its sound; a redraw drops the day tooltip.
    screen_.leaveAlarm = [this] {
        if (state_.alarm.timerAlarmEnabled || alarmTimer_->isActive()) setAlarmTimer(false);
        if (state_.alarm.alarmActive) {
            state_.alarm.alarmActive = false;
            if (platform_.sound != nullptr) platform_.sound->stop();
        }
    };
    screen_.removeFieldTooltip = [] { QToolTip::hideText(); };
}

CalendarApp::~CalendarApp() {
    if (window_) delete window_.data();
}

MainOutcome CalendarApp::start(std::string_view commandLine) {
    QApplication::setQuitOnLastWindowClosed(false);
    const std::string iconFile = platform_.paths.programDir + "icons/tempovirens_16.png";
    ImageLoadResult r = ImageLoadResult::kOk;
    icon_ = images_->load(iconFile, r);
    const QString appIcon =
        QString::fromStdString(platform_.paths.programDir + "icons/tempovirens_32.png");
    QApplication::setWindowIcon(
        QIcon(QFileInfo::exists(appIcon) ? appIcon : QString::fromStdString(iconFile)));
    return startCalendar(ctx_, commandLine);
}

MainWindow* CalendarApp::window() const {
    return window_.data();
}

const Surface* CalendarApp::frame() const {
    if (!screen_.skin.mainBuffer) return nullptr;
    return &presentScreen(screen_);
}

// ---- input ----

void CalendarApp::command(int code) {
    syncIn();
    perform(buttonEvent(ui_, code, state_.settings));
}

void CalendarApp::keyDown(int keyCode, int shift) {
    syncIn();
    const bool wasDeveloper = ui_.developer;
    Actions a = tv::keyDown(ui_, keyCode, shift, state_.settings);
    if (ui_.developer != wasDeveloper) state_.developer = ui_.developer;
    perform(a);
}

void CalendarApp::perform(const Actions& actions) {
    syncOut();
    for (const Action& a : actions) {
        if (state_.ended) return;
        switch (a.kind) {
            case UiAction::kRedraw:
                redrawNow();
                break;
            case UiAction::kBeep:
                platform_.shell->beep();
                break;
            case UiAction::kCloseWindow:
                // Later: the window must not go while its own event handler runs.
                QTimer::singleShot(0, this, [this] { unloadCalendar(ctx_, ""); });
                return;
            case UiAction::kOpenEventList:
            case UiAction::kOpenSettings:
            case UiAction::kOpenAbout:
            case UiAction::kOpenNameSearch:
            case UiAction::kOpenMissedEvents:
            case UiAction::kOpenDiagnostics:
            case UiAction::kOpenDayMenu:
            case UiAction::kOpenMainMenu:
                if (!openModal(a.kind, a.a)) return;
                break;
            case UiAction::kStopAlarmSound: {
                AlarmContext c = alarmContext();
                stopAlarmSound(c);
                setAlarmTimer(false);
                break;
            }
            case UiAction::kRebuildMonth:
                rebuildMonth();
                break;
            case UiAction::kEventRefresh:
                eventRefresh();
                break;
            case UiAction::kRemoveDayTooltip:
                QToolTip::hideText();
                break;
            case UiAction::kSetDayTooltip:
                if (a.text.empty()) {
                    QToolTip::hideText();
                } else if (window_) {
                    QToolTip::showText(QCursor::pos(), QString::fromStdString(a.text), window_);
                }
                break;
            case UiAction::kEndGame:
                if (window_) window_->endGame();
                break;
            case UiAction::kPaintButton: {
                Rect unused;
                setButtonImage(screen_.skin, a.a, a.b, unused);
                if (window_) window_->paintButton(a.a);
                break;
            }
            case UiAction::kStartRollover:
                rolloverTimer_->start();
                break;
            case UiAction::kStopRollover:
                rolloverTimer_->stop();
                break;
            case UiAction::kBeginDrag:
                // Where the compositor moves windows itself (Wayland), it takes the drag over.
                if (window_ && QGuiApplication::platformName() == QLatin1String("wayland") &&
                    window_->windowHandle() != nullptr &&
                    window_->windowHandle()->startSystemMove()) {
                    ui_.dragging = false;
                }
                break;
            case UiAction::kMoveWindow:
                if (window_) window_->move(window_->pos() + QPoint(a.a, a.b));
                break;
        }
        syncOut();
    }
}

// The window's copy of the screen mode, the wisdom and the developer flag follows the load's
// (the alarm and the start-up set those), and goes back after each input.
void CalendarApp::syncIn() {
    ui_.screenMode = state_.screenMode;
    ui_.developer = state_.developer;
}

void CalendarApp::syncOut() {
    state_.screenMode = static_cast<uint8_t>(ui_.screenMode);
    state_.developer = ui_.developer;
    state_.wisdom = ui_.wisdom;
}

bool CalendarApp::openModal(UiAction kind, int argument) {
    if (modalHook && modalHook(kind, argument)) return true;
    if (!window_) return false;
    ++modalDepth_;
    QPointer<MainWindow> guard(window_);
    switch (kind) {
        case UiAction::kOpenEventList:
            openEventList({});
            break;
        case UiAction::kOpenSettings:
            openSettings();
            break;
        case UiAction::kOpenNameSearch: {
            WindowServices s = windowServices();
            NameSearchWindow w(s, window_);
            box_->setParent(&w);
            dialogs_->setParent(&w);
            w.exec();
            box_->setParent(window_);
            dialogs_->setParent(window_);
            if (w.eventsChanged() && guard) eventRefresh();
            break;
        }
        case UiAction::kOpenAbout: {
            AboutWindow::Actions act;
            act.openAboutPage = [this] {
                platform_.shell->openDocument(platform_.paths.programDir + "about_hun.html");
            };
            act.openWebSite = [this] { platform_.shell->openDocument(std::string(kWebSite)); };
            act.updateKnown = state_.update.updatePending;
            act.update = [this] {
                if (state_.update.updatePending) {
                    platform_.shell->openDocument(read(state_.settings, settings::Update_Link));
                } else {
                    runManualUpdateCheck(state_.update, makeUpdateContext(ctx_), download_.get(),
                                         platform_.messageBox, platform_.shell, window_);
                }
            };
            AboutWindow w(state_.strings, act, window_);
            w.exec();
            if (w.gameWanted() && guard) startGame();
            break;
        }
        case UiAction::kOpenMissedEvents: {
            const MissedWindow model = buildMissedWindow(state_.lists.missed, state_.events,
                                                         state_.today.currentDay, state_.strings);
            MissedEventsWindow w(model, window_);
            w.exec();
            break;
        }
        case UiAction::kOpenDiagnostics: {
            DiagnosticsWindow w(userStore_.get(), "hun", window_);
            w.exec();
            break;
        }
        case UiAction::kOpenDayMenu:
            openDayMenu(argument);
            break;
        case UiAction::kOpenMainMenu:
            openMainMenu();
            break;
        default:
            break;
    }
    --modalDepth_;
    if (restorePending_ && modalDepth_ == 0) {
        restorePending_ = false;
        QTimer::singleShot(0, this, [this] { restoreAfterBackup(); });
        return false;
    }
    return guard && !state_.ended && state_.loaded;
}

void CalendarApp::openEventList(const EventListOpen& open) {
    WindowServices s = windowServices();
    QPointer<MainWindow> guard(window_);
    EventListWindow w(s, open, window_);
    box_->setParent(&w);
    dialogs_->setParent(&w);
    w.exec();
    box_->setParent(window_);
    dialogs_->setParent(window_);
    // A save that switched the alarms on wants the tray form back.
    if (w.alarmsSwitchedOn()) refreshTrayForm(ctx_);
    if (guard) eventRefresh();
}

WindowServices CalendarApp::windowServices() {
    WindowServices s;
    s.strings = &state_.strings;
    s.settings = &state_.settings;
    s.events = &state_.events;
    s.names = &state_.names;
    s.box = platform_.messageBox;
    s.dialogs = platform_.dialogs;
    s.shell = platform_.shell;
    s.clock = clock_;
    s.theme = &screen_.skin.theme;
    s.log = &state_.log;
    s.programDir = platform_.paths.programDir;
    s.userDataDir = platform_.paths.userDataDir;
    s.developer = state_.developer;
    return s;
}

EventDbContext CalendarApp::eventDbContext() {
    return EventDbContext{
        platform_.paths.userDataDir, clock_, &state_.strings, &state_.settings, &state_.log,
        platform_.messageBox};
}

// One set of hooks for the settings window, whether the menu or a skin reload opens it.
SettingsWindowHooks CalendarApp::settingsHooks() {
    SettingsWindowHooks h;
    h.sound = platform_.sound;
    h.autostart = autostart_.get();
    h.executable = platform_.paths.executable;
    h.homeDir = QDir::homePath().toStdString();
    h.activeSkin = read(state_.settings, settings::Skin);
    h.restoredSinceLoad = &restoredSinceLoad_;
    h.applyTransparency = [this](int percent) {
        write(state_.settings, settings::Transparency, std::to_string(percent));
        applyWindowLook();
    };
    h.saveAllData = [this] {
        saveEventDatabase(state_.events, eventDbContext());
        if (window_) {
            const QPoint p = window_->pos();
            write(state_.settings, settings::Cal_LastX, std::to_string(p.x() * kTwipsPerPixel));
            write(state_.settings, settings::Cal_LastY, std::to_string(p.y() * kTwipsPerPixel));
        }
        saveSettings(ctx_);
    };
    h.reloadAfterRestore = [this] { restorePending_ = true; };
    return h;
}

void CalendarApp::openSettings() {
    WindowServices s = windowServices();
    SettingsWindowHooks h = settingsHooks();
    QPointer<MainWindow> guard(window_);
    SettingsWindow w(s, std::move(h), window_);
    box_->setParent(&w);
    dialogs_->setParent(&w);
    w.exec();
    box_->setParent(window_);
    dialogs_->setParent(window_);
    if (!guard || restorePending_) return;
    refreshTrayForm(ctx_);
    if (w.reloadRequested()) {
        QTimer::singleShot(0, this, [this] { reloadForSkin(ctx_); });
        return;
    }
    eventRefresh();
}

// A restored backup: the window goes, the data is read again, and the window comes back.
void CalendarApp::restoreAfterBackup() {
    restoredSinceLoad_ = false;
    reloadAfterRestore(ctx_);
}

void CalendarApp::openDayMenu(int cell) {
    const auto items = buildDayFieldMenu(month_, cell, state_.events, state_.strings);
    const auto menu = PopupMenu::fromModel(dayFieldMenuModel(items));
    const int chosen = menu->show();
    const DayMenuChoice choice = resolveDayFieldMenu(month_, cell, items, chosen);
    EventListOpen open;
    switch (choice.command) {
        case DayMenuCommand::kNone:
            return;
        case DayMenuCommand::kNewEvent:
            open.mode = EventListOpenMode::kNewOnDate;
            open.date = choice.date;
            break;
        case DayMenuCommand::kEditEvent:
            open.mode = EventListOpenMode::kEditSlot;
            open.slot = choice.slot;
            break;
        case DayMenuCommand::kDeleteEvent: {
            // The same question and save as the event list's delete button.
            const auto save = [this](const EventTable& table) {
                return saveEventDatabase(table, eventDbContext());
            };
            if (deleteListedEvent(state_.events, choice.slot, *platform_.messageBox, state_.strings,
                                  save)) {
                eventRefresh();
            }
            return;
        }
    }
    openEventList(open);
}

void CalendarApp::openMainMenu() {
    syncIn();
    const auto menu = PopupMenu::fromModel(buildMainMenu(ui_, state_.settings, state_.strings));
    const int code = mainMenuCommand(menu->show());
    if (code < 0) return;
    // After this action list: the command may open windows of its own.
    QTimer::singleShot(0, this, [this, code] {
        if (state_.loaded) command(code);
    });
}

void CalendarApp::startGame() {
    if (!window_) return;
    ui_.screenMode = kScreenGame;
    syncOut();
    window_->startGame();
    window_->setFocus();
}

// ---- drawing ----

MonthContext CalendarApp::monthContext() {
    MonthContext mc;
    mc.year = ui_.shownYear;
    mc.month = ui_.shownMonth;
    mc.today = state_.today.currentDay;
    mc.switches = ui_.switches;
    mc.theme = readMonthTheme(&screen_.skin.theme);
    mc.settings = &state_.settings;
    mc.strings = &state_.strings;
    mc.measurer = screen_.skin.mainBuffer.get();
    mc.easter = &state_.today.easter;
    mc.buildTooltips = false;  // the tooltip of the field under the mouse is built on demand
    mc.names = [this](int index) { return state_.names.line(index); };
    return mc;
}

void CalendarApp::rebuildMonth() {
    buildMonthEvents(state_.events, monthContext(), month_);
}

void CalendarApp::eventRefresh() {
    EventCheckContext ev;
    ev.now = clock_->now();
    ev.daysSinceLastRun = state_.daysSinceLastRun;
    ev.settings = &state_.settings;
    ev.strings = &state_.strings;
    ev.easter = &state_.today.easter;
    ev.programDir = platform_.paths.programDir;
    checkEvents(state_.events, ev, state_.lists);
    rebuildMonth();
    drawPicture(true);
    redrawNow();
}

void CalendarApp::drawPicture(bool redrawOnly) {
    if (!screen_.skin.pictureBuffer) return;
    PictureOfDay picture = loadBackgroundPicture(ctx_, &screen_.skin.theme, redrawOnly);
    drawPictureOfDay(screen_.skin, picture, *images_, state_.strings);
    // A choice that had to list the user's folder leaves the rest of the listing to TimerSrc.
    if (state_.userPictures && state_.userPictures->searchTimerOn()) searchTimer_->start();
}

void CalendarApp::redrawNow() {
    if (!screen_.skin.mainBuffer) return;
    const AlarmEntry& alarm = state_.alarm.currentAlarm;
    screen_.mode = ui_.screenMode == kScreenGame ? kScreenMain : ui_.screenMode;
    screen_.settings = &state_.settings;
    screen_.strings = &state_.strings;
    screen_.log = &state_.log;
    screen_.today = &state_.today;
    screen_.todayText = state_.todayText;
    screen_.forecast = &state_.lists.forecast;
    screen_.alarmHour = alarm.hour;
    screen_.alarmMinute = alarm.minute;
    screen_.alarmTitle = alarm.name;
    screen_.alarmComment = alarm.comment;
    screen_.wisdom = &ui_.wisdom;
    screen_.tests = ui_.layoutTests;
    screen_.now = clock_->now();
    screen_.month = &month_;
    screen_.shownYear = ui_.shownYear;
    screen_.shownMonth = ui_.shownMonth;
    redrawScreen(screen_);
    // The missed-events button shows while there is something to show.
    ButtonState& alert = screen_.skin.buttons[kBtnAlert];
    alert.visible = state_.lists.missedButtonVisible && alert.w > 0 && alert.created;
    // The layout samples are one-shot: the next redraw shows the real screen again.
    ui_.layoutTests = LayoutTests{};
    syncOut();
    if (window_) {
        window_->updateButtons();
        window_->update();
    }
}

void CalendarApp::applyWindowLook() {
    setTransparency(screen_.skin, state_.settings);
    if (window_) window_->applySkin();
}

AlarmContext CalendarApp::alarmContext() {
    AlarmContext a;
    a.settings = &state_.settings;
    a.sound = platform_.sound;
    a.shell = platform_.shell;
    a.programDir = platform_.paths.programDir;
    a.hooks.setAlarmTimer = [this](bool on) { setAlarmTimer(on); };
    return a;
}

// ---- CalendarWindowHost ----

void CalendarApp::ensureWindow() {
    if (window_) return;
    window_ = new MainWindow(*this);
    box_->setParent(window_);
    dialogs_->setParent(window_);
}

void CalendarApp::showSplash() {
    if (!options_.splash) return;
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
}

void CalendarApp::hideSplash() {
    splash_.reset();
}

void CalendarApp::processEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CalendarApp::loadSkin(const std::string& skin) {
    ensureWindow();
    SkinServices sv;
    sv.factory = factory_.get();
    sv.images = images_.get();
    sv.settings = &state_.settings;
    sv.strings = &state_.strings;
    sv.box = platform_.messageBox;
    sv.log = &state_.log;
    sv.programDir = platform_.paths.programDir;
    sv.icon = icon_.get();
    std::string name = skin;
    const bool ok = setSkin(screen_.skin, name, false, sv);
    // The theme table the rest of the program reads is the skin's.
    state_.theme = screen_.skin.theme;
    geometry_ = readWindowGeometry(screen_.skin.theme);
    return ok;
}

void CalendarApp::initCalendarWindow() {
    ui_.today = state_.today.currentDay;
    tv::initCalendarWindow(screen_, state_.events, monthContext(), month_);
    ui_.shownYear = screen_.shownYear;
    ui_.shownMonth = screen_.shownMonth;
}

void CalendarApp::composeScreen() {
    ensureWindow();
    ui_.today = state_.today.currentDay;
    if (ui_.shownYear < kFirstYear) {
        ui_.shownYear = ui_.today.year();
        ui_.shownMonth = ui_.today.month();
    }
    ui_.wisdom = state_.wisdom;
    syncIn();
    drawPicture(false);
    redrawNow();
    window_->applySkin();
}

void CalendarApp::showWindow(bool focus) {
    ensureWindow();
    window_->setAttribute(Qt::WA_ShowWithoutActivating, !focus);
    window_->show();
    if (focus) {
        window_->raise();
        window_->activateWindow();
    }
}

void CalendarApp::bringToFront() {
    if (!window_) return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void CalendarApp::setMainTimer(bool on) {
    on ? mainTimer_->start() : mainTimer_->stop();
}

void CalendarApp::setAutoRefresh(bool on) {
    if (on) {
        screen_.refreshElapsedMs = 0;
        refreshTimer_->start();
    } else {
        refreshTimer_->stop();
    }
}

PixelRect CalendarApp::windowRect() const {
    if (!window_) return {0, 0, MainWindow::kDefaultWidth, MainWindow::kDefaultHeight};
    return toPixelRect(window_->geometry());
}

PixelRect CalendarApp::workArea() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toPixelRect(s->availableGeometry()) : PixelRect{0, 0, 1024, 768};
}

PixelRect CalendarApp::screen() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toPixelRect(s->geometry()) : PixelRect{0, 0, 1024, 768};
}

void CalendarApp::moveWindow(int x, int y) {
    if (window_) window_->move(x, y);
}

bool CalendarApp::isFullScreenForeground() const {
    // The desktop does not tell other programs' windows apart here.
    return false;
}

void CalendarApp::showUpdateNotice(const UpdateDialogModel& model) {
    showUpdateDialog(model, state_.update, makeUpdateContext(ctx_), platform_.shell, window_);
}

bool CalendarApp::showSettingsModal() {
    if (modalHook && modalHook(UiAction::kOpenSettings, 0)) return false;
    if (!window_) return false;
    WindowServices s = windowServices();
    SettingsWindowHooks h = settingsHooks();
    SettingsWindow w(s, std::move(h), window_);
    ++modalDepth_;
    w.exec();
    --modalDepth_;
    return w.reloadRequested();
}

void CalendarApp::runCommand(int code) {
    command(code);
}

void CalendarApp::refreshDay() {
    ui_.today = state_.today.currentDay;
    ui_.shownYear = ui_.today.year();
    ui_.shownMonth = ui_.today.month();
    rebuildMonth();
    drawPicture(true);  // a new day keeps its picture unless an event of the day brings one
    redrawNow();
}

void CalendarApp::redraw() {
    syncIn();
    redrawNow();
}

void CalendarApp::refreshEvents() {
    eventRefresh();
}

bool CalendarApp::modalOpen() const {
    return modalDepth_ > 0;
}

void CalendarApp::flashTaskbar() {
    if (window_) QApplication::alert(window_, 0);
}

void CalendarApp::setAlarmTimer(bool on) {
    state_.alarm.timerAlarmEnabled = on;
    on ? alarmTimer_->start() : alarmTimer_->stop();
}

void CalendarApp::stopTimers() {
    mainTimer_->stop();
    alarmTimer_->stop();
    refreshTimer_->stop();
    rolloverTimer_->stop();
    state_.alarm.timerAlarmEnabled = false;
}

void CalendarApp::saveThemeState() {
    // The skin keeps nothing of its own between runs beyond the settings saved next.
}

void CalendarApp::releaseWindow() {
    QToolTip::hideText();
    if (window_) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    box_->setParent(nullptr);
    dialogs_->setParent(nullptr);
    screen_.skin.mainBuffer.reset();
    screen_.skin.pictureBuffer.reset();
    for (auto& image : screen_.skin.images)
        image.reset();
    screen_.skin.windowSetUp = false;
    month_ = MonthEvents{};
    ui_.hoveredButton = -1;
    ui_.dragging = false;
}

void CalendarApp::closeAllWindows() {
    splash_.reset();
    QApplication::closeAllWindows();
}

void CalendarApp::endProcess() {
    // Every running event loop ends once control returns to it; before the loop runs, main
    // sees the outcome of Main instead.
    if (endHook) {
        endHook();
        return;
    }
    QCoreApplication::exit(0);
}

// ---- TrayHost ----

void CalendarApp::addIcon(const std::string& tip) {
    if (!tray_) tray_ = std::make_unique<TrayIcon>(*this, tip);
}

void CalendarApp::removeIcon() {
    // The tray menu may be what asked: the form goes once its handler has returned.
    if (tray_) tray_.release()->deleteLater();
}

void CalendarApp::showTrayMenu() {
    if (tray_) tray_->showMenu();
}

}  // namespace tv
