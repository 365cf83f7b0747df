#include "gui/windows/dev_windows.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <memory>

#include "core/app/folders.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/string_table.h"
#include "core/events/event_database.h"
#include "core/events/event_record.h"
#include "core/names/name_table.h"
#include "gui/windows/colour_picker_window.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/month_picker_window.h"
#include "gui/windows/name_search_window.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_shell.h"

namespace tv {
namespace {

// With a file name, the window is pictured once it has been laid out and the program ends.
int execOrShoot(QDialog& dialog, const QString& screenshot) {
    if (screenshot.isEmpty()) {
        dialog.exec();
        return 0;
    }
    dialog.show();
    int rc = 1;
    QTimer::singleShot(200, &dialog, [&] {
        rc = dialog.grab().save(screenshot) ? 0 : 1;
        dialog.done(QDialog::Accepted);
    });
    dialog.exec();
    return rc;
}

}  // namespace

int runDeveloperWindow(const QString& name, const QString& screenshot) {
    const Paths paths = resolvePaths();
    // Start-up makes the data folder; this entry goes round start-up.
    QDir().mkpath(QString::fromStdString(paths.userDataDir));
    QtClock clock;
    StringTable strings;
    QtMessageBox box("Tempovirens");
    strings.loadStrings(paths.programDir, nullptr, &box);
    HashTable settings;
    readConfig(settings, paths.userDataDir + "settings.cfg");
    EventTable events;
    const EventDbContext db = eventDbContextFor(paths.userDataDir, clock, strings, settings, &box);
    if (!loadEventDatabase(events, db)) return 1;
    NameTable names;
    names.load(paths.programDir);
    QtDialogs dialogs;
    QtShell shell;

    WindowServices s;
    s.strings = &strings;
    s.settings = &settings;
    s.events = &events;
    s.names = &names;
    s.box = &box;
    s.dialogs = &dialogs;
    s.shell = &shell;
    s.clock = &clock;
    s.programDir = paths.programDir;
    s.userDataDir = paths.userDataDir;
    s.developer = true;

    if (name == QLatin1String("dates") || name == QLatin1String("dates-new")) {
        EventListOpen open;
        if (name == QLatin1String("dates-new")) open.mode = EventListOpenMode::kNewOnDate;
        EventListWindow w(s, open);
        box.setParent(&w);
        dialogs.setParent(&w);
        return execOrShoot(w, screenshot);
    }
    if (name == QLatin1String("names")) {
        NameSearchWindow w(s);
        box.setParent(&w);
        dialogs.setParent(&w);
        return execOrShoot(w, screenshot);
    }
    if (name == QLatin1String("months")) {
        MonthPickerWindow w(strings, box, 1 | 2048);
        return execOrShoot(w, screenshot);
    }
    if (name == QLatin1String("colors")) {
        ColourPickerWindow w(strings, MonthTheme{}, 120);
        return execOrShoot(w, screenshot);
    }
    return 2;
}

}  // namespace tv
