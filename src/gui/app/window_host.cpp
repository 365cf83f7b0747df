#include "gui/app/window_host.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolTip>

#include "core/app/app_contexts.h"
#include "core/render/month_grid.h"
#include "core/render/skin.h"
#include "core/ui/tooltips.h"
#include "gui/accessory_windows.h"
#include "gui/app/calendar_app.h"
#include "gui/main_window.h"
#include "gui/tray_icon.h"
#include "gui/windows/help_window.h"
#include "gui/windows/update_dialog.h"
#include "platform/qt/caching_image_loader.h"
#include "platform/qt/qt_surface.h"

namespace tv {
namespace {

// How long a load runs before the splash is worth showing.
constexpr qint64 kSplashDelayMs = 150;

PixelRect toPixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

WindowHost::WindowHost(CalendarApp& app) : app_(app) {}

WindowHost::~WindowHost() {
    if (window_) delete window_.data();
}

MainWindow* WindowHost::window() const {
    return window_.data();
}

void WindowHost::loadIcon(const std::string& file) {
    ImageLoadResult r = ImageLoadResult::kOk;
    icon_ = app_.services().images().load(file, r);
}

MainWindow& WindowHost::ensureWindow() {
    if (!window_) {
        window_ = new MainWindow(app_);
        app_.services().setDialogParent(window_);
    }
    return *window_;
}

void WindowHost::showSplash() {
    if (app_.options().splash) splashAsked_.start();
}

void WindowHost::stepDone() {
    // A quick load shows no splash at all: it would only flash, and its window and fonts cost
    // the start a good part of its time.
    if (!splashAsked_.isValid() || splash_ || splashAsked_.elapsed() < kSplashDelayMs) return;
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowHost::hideSplash() {
    splashAsked_.invalidate();
    splash_.reset();
}

void WindowHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool WindowHost::loadSkin(const std::string& skin) {
    ensureWindow();
    AppState& s = app_.state();
    Screen& screen = app_.canvas();
    SkinServices sv;
    sv.factory = &app_.services().surfaces();
    sv.images = &app_.services().images();
    sv.settings = &s.settings;
    sv.strings = &s.strings;
    sv.box = app_.platform().messageBox;
    sv.log = &s.log;
    sv.programDir = app_.platform().paths.programDir;
    sv.icon = icon_.get();
    std::string name = skin;
    const bool ok = setSkin(screen.skin, name, false, sv);
    // The theme table the rest of the program reads is the skin's.
    s.theme = screen.skin.theme;
    app_.geometry() = readWindowGeometry(screen.skin.theme);
    return ok;
}

void WindowHost::initCalendarWindow() {
    MainWindowState& w = app_.ui();
    w.today = app_.state().today.currentDay;
    tv::initCalendarWindow(app_.canvas(), app_.state().events, app_.painter().monthContext(),
                           app_.month());
    w.shownYear = w.today.year();
    w.shownMonth = w.today.month();
}

void WindowHost::composeScreen() {
    MainWindow& window = ensureWindow();
    MainWindowState& w = app_.ui();
    w.today = app_.state().today.currentDay;
    if (w.shownYear < kFirstYear) {
        w.shownYear = w.today.year();
        w.shownMonth = w.today.month();
    }
    app_.painter().drawPicture(false);
    app_.painter().redraw();
    window.applySkin();
}

void WindowHost::showWindow(bool focus) {
    MainWindow& window = ensureWindow();
    window.setAttribute(Qt::WA_ShowWithoutActivating, !focus);
    window.show();
    if (focus) {
        window.raise();
        window.activateWindow();
    }
}

void WindowHost::bringToFront() {
    if (!window_) return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void WindowHost::setMainTimer(bool on) {
    on ? app_.timers().day->start() : app_.timers().day->stop();
}

void WindowHost::setAutoRefresh(bool on) {
    if (on) {
        app_.canvas().refreshElapsedMs = 0;
        app_.timers().refresh->start();
    } else {
        app_.timers().refresh->stop();
    }
}

PixelRect WindowHost::windowRect() const {
    if (!window_) return {0, 0, MainWindow::kDefaultWidth, MainWindow::kDefaultHeight};
    return toPixelRect(window_->geometry());
}

PixelRect WindowHost::workArea() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toPixelRect(s->availableGeometry()) : PixelRect{0, 0, 1024, 768};
}

PixelRect WindowHost::screen() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toPixelRect(s->geometry()) : PixelRect{0, 0, 1024, 768};
}

void WindowHost::moveWindow(int x, int y) {
    if (window_) window_->move(x, y);
}

bool WindowHost::isFullScreenForeground() const {
    // The desktop does not tell other programs' windows apart here.
    return false;
}

void WindowHost::showUpdateNotice(const UpdateDialogModel& model) {
    showUpdateDialog(model, app_.state().update, makeUpdateContext(app_.context()),
                     app_.platform().shell, window_);
}

bool WindowHost::showSettingsModal() {
    return app_.modals().showSettingsAfterSkinReload();
}

void WindowHost::runCommand(CommandCode code) {
    app_.command(code);
}

void WindowHost::refreshDay() {
    enterNewDay(app_.ui(), app_.state().today.currentDay);
    app_.painter().rebuildMonth();
    app_.painter().drawPicture(true);  // a new day keeps its picture unless an event brings one
    app_.painter().redraw();
}

void WindowHost::redraw() {
    app_.painter().redraw();
}

void WindowHost::refreshEvents() {
    app_.painter().eventRefresh();
}

bool WindowHost::modalOpen() const {
    return app_.modals().openCount() > 0;
}

void WindowHost::flashTaskbar() {
    if (window_) QApplication::alert(window_, 0);
}

void WindowHost::setAlarmTimer(bool on) {
    app_.state().alarm.timerAlarmEnabled = on;
    on ? app_.timers().alarm->start() : app_.timers().alarm->stop();
}

void WindowHost::stopTimers() {
    CalendarTimers& t = app_.timers();
    t.day->stop();
    t.alarm->stop();
    t.refresh->stop();
    t.rollover->stop();
    app_.state().alarm.timerAlarmEnabled = false;
}

void WindowHost::saveThemeState() {
    // The skin keeps nothing of its own between runs beyond the settings saved next.
}

void WindowHost::releaseWindow() {
    QToolTip::hideText();
    forgetDayTip(app_.ui());
    if (window_) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    app_.services().setDialogParent(nullptr);
    Skin& skin = app_.canvas().skin;
    skin.mainBuffer.reset();
    skin.pictureBuffer.reset();
    skin.releaseImages();
    skin.windowSetUp = false;
    app_.month() = MonthEvents{};
    app_.ui().hoveredButton = -1;
    app_.ui().dragging = false;
}

void WindowHost::closeAllWindows() {
    splash_.reset();
    QApplication::closeAllWindows();
}

void WindowHost::showHelpPage(const std::string& file) {
    openHelpPage(app_.state().strings, file, window_);
}

void WindowHost::endProcess() {
    // Every running event loop ends once control returns to it; before the loop runs, main
    // sees the outcome of the start instead.
    if (app_.endHook) {
        app_.endHook();
        return;
    }
    QCoreApplication::exit(0);
}

void WindowHost::addIcon(const std::string& tip) {
    if (!tray_) tray_ = std::make_unique<TrayIcon>(app_, tip);
    if (startDone_) tray_->appear();
}

void WindowHost::startDone() {
    startDone_ = true;
    if (tray_) tray_->appear();
}

void WindowHost::removeIcon() {
    // The tray menu may be what asked: the icon goes once its handler has returned.
    if (tray_) tray_.release()->deleteLater();
}

void WindowHost::showTrayMenu() {
    if (tray_) tray_->showMenu();
}

bool WindowHost::trayAreaAvailable() const {
    if (app_.trayAreaOverride) return *app_.trayAreaOverride;
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace tv
