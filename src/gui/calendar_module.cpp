// The calendar program itself, built as a module: the small launcher (src/launcher) hands a second
// start over to the calendar that runs, and loads this only when the calendar must start.
#include <QApplication>
#include <QDBusConnection>
#include <QFontDatabase>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <thread>

#include <string>

#include "core/ui/commands.h"
#include "core/ui/menus.h"
#include "platform/qt/qt_popup_menu.h"

#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/app/version.h"
#include "gui/app/calendar_app.h"
#include "gui/app/qt_translation.h"
#include "gui/main_window.h"
#include "gui/session_guard.h"
#include "gui/windows/dev_windows.h"
#include "launcher/calendar_entry.h"

namespace {

// "--shot-screen NAME" with "--screenshot FILE": the window on another screen first (month,
// alarm, game), or the whole display with the main or the tray menu open (menu, traymenu).
void developerShot(tv::CalendarApp& calendar, const QString& what, const QString& file) {
    tv::AppState& s = calendar.state();
    if (what == QLatin1String("month")) calendar.command(tv::CommandCode::kSwitchScreen);
    if (what == QLatin1String("alarm")) {
        s.alarm.currentAlarm.hour = 8;
        s.alarm.currentAlarm.minute = 30;
        s.alarm.currentAlarm.name = "Fogorvos";
        s.alarm.currentAlarm.comment = "Ne felejtsd el a beutalót!";
        s.window.screenMode = tv::ScreenMode::kAlarm;
        calendar.redraw();
    }
    if (what == QLatin1String("game")) calendar.startGame();
    if (what == QLatin1String("menu") || what == QLatin1String("traymenu")) {
        auto* menu =
            what == QLatin1String("menu")
                ? tv::PopupMenu::fromModel(
                      tv::buildMainMenu(calendar.ui(), s.settings, s.strings,
                                        tv::residentWithoutTray(calendar.context())))
                      .release()
                : tv::PopupMenu::fromModel(tv::buildTrayMenu(s.settings, s.strings)).release();
        tv::MainWindow* w = calendar.window();
        menu->hwnd()->popup(w->mapToGlobal(QPoint(w->width() / 3, 120)));
        QTimer::singleShot(500, [file] {
            const bool ok = QGuiApplication::primaryScreen()->grabWindow(0).save(file);
            QApplication::exit(ok ? 0 : 1);
        });
        return;
    }
    QTimer::singleShot(what == QLatin1String("game") ? 600 : 0, [&calendar, file] {
        tv::MainWindow* w = calendar.window();
        const bool ok = w != nullptr && w->grab().save(file);
        QApplication::exit(ok ? 0 : 1);
    });
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int tvCalendarMain(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt lists the system's fonts at the first text drawn, a millisecond and more on the main
    // thread; the second core does it while the calendar reads its files and skin. (The list is
    // shared and guarded; the thread ends before the application does.)
    std::jthread fonts([] { QFontDatabase::families(); });
    // Showing the first window starts Qt's accessibility bridge, which waits for the session
    // bus connection (and without a bus, for libdbus's attempt to start one); the connection is
    // made here beforehand, beside the start.
    std::jthread bus([] { QDBusConnection::sessionBus(); });
    QApplication::setApplicationName(QStringLiteral("Tempovirens"));
    QApplication::setOrganizationName(QStringLiteral("Brimcove"));
    // Wayland matches the window to its launcher and icon by this name.
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(tv::kDesktopId.data(), static_cast<qsizetype>(tv::kDesktopId.size())));

    QStringList args = QApplication::arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
    const QString shotFile = shot >= 0 && shot + 1 < args.size() ? args.at(shot + 1) : QString();

    tv::installQtTranslation();

    // "--open-window NAME": one of the modal windows alone, for looking at it.
    const qsizetype open = args.indexOf(QStringLiteral("--open-window"));
    if (open >= 0 && open + 1 < args.size())
        return tv::runDeveloperWindow(args.at(open + 1), shotFile);

    const qsizetype screenArg = args.indexOf(QStringLiteral("--shot-screen"));
    const QString screenName =
        screenArg >= 0 && screenArg + 1 < args.size() ? args.at(screenArg + 1) : QString();

    // What the calendar sees of its command line: everything but the developer options.
    if (screenArg >= 0) args.remove(screenArg, screenName.isEmpty() ? 1 : 2);
    if (shot >= 0)
        args.remove(args.indexOf(QStringLiteral("--screenshot")), shotFile.isEmpty() ? 1 : 2);
    args.removeFirst();
    const std::string commandLine = args.join(QLatin1Char(' ')).toStdString();

    tv::CalendarApp::Options options;
    // A picture run must not hand over to a calendar that already runs.
    options.singleInstance = shotFile.isEmpty();
    options.splash = shotFile.isEmpty();
    tv::CalendarApp calendar(options);
    // Log-out, shutdown and termination signals save like a close does, from the first moment.
    tv::SessionGuard session(calendar);
    switch (calendar.start(commandLine)) {
        case tv::MainOutcome::kHandedOver:
        case tv::MainOutcome::kRefused:
            return 0;
        case tv::MainOutcome::kEnded:
            return calendar.state().loaded ? 0 : 1;
        case tv::MainOutcome::kLoaded:
        case tv::MainOutcome::kInTray:
            break;
    }

    // "--screenshot FILE": the first frame as a picture, then the end (for looking at the window
    // without a desktop, and for render checks).
    if (!shotFile.isEmpty() && !screenName.isEmpty() && calendar.window() != nullptr) {
        developerShot(calendar, screenName, shotFile);
    } else if (!shotFile.isEmpty()) {
        QTimer::singleShot(0, &calendar, [&calendar, shotFile] {
            tv::MainWindow* w = calendar.window();
            const bool ok = w != nullptr && w->grab().save(shotFile);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
