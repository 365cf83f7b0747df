#include "gui/app/modal_windows.h"

#include <QDir>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "core/app/app_contexts.h"
#include "core/app/restore_reload.h"
#include "core/app/tray.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/events/windows/event_list.h"
#include "core/ui/menus.h"
#include "gui/accessory_windows.h"
#include "gui/app/calendar_app.h"
#include "gui/app/calendar_sync.h"
#include "gui/app/qt_translation.h"
#include "gui/app/sync_conflicts.h"
#include "gui/main_window.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/name_search_window.h"
#include "gui/windows/qt_text.h"
#include "gui/windows/update_dialog.h"
#include "platform/qt/qt_autostart.h"
#include "platform/qt/qt_popup_menu.h"
#include "platform/qt/qt_user_store.h"

namespace tv {
namespace {

constexpr std::string_view kWebSite = "https://www.brimcove.hu/";

}  // namespace

bool ModalWindows::open(UiAction kind, int argument) {
    if (app_.modalHook && app_.modalHook(kind, argument)) return true;
    if (app_.window() == nullptr) return false;
    QPointer<MainWindow> guard(app_.window());
    {
        const ModalCount::Scope scope(count_);
        switch (kind) {
            case UiAction::kOpenEventList:
                openEventList({});
                break;
            case UiAction::kOpenSettings:
                openSettings();
                break;
            case UiAction::kOpenNameSearch:
                openNameSearch();
                break;
            case UiAction::kOpenAbout:
                openAbout();
                break;
            case UiAction::kOpenMissedEvents: {
                AppState& s = app_.state();
                const MissedWindow model =
                    buildMissedWindow(s.lists.missed, s.events, s.today.currentDay, s.strings);
                MissedEventsWindow w(model, app_.window());
                runModal(w, app_.services(), app_.window(), count_);
                break;
            }
            case UiAction::kOpenDiagnostics: {
                // What is really in use: the string table read, and Qt's own words.
                const QString qt = installQtTranslation();
                const std::string language =
                    loadedLanguage(app_.state().strings) + "; Qt: " +
                    (qt.isEmpty() ? std::string("English (no qtbase_hu.qm)") : qt.toStdString());
                DiagnosticsWindow w(&app_.services().userStore(), language, app_.window());
                runModal(w, app_.services(), app_.window(), count_);
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
    }
    if (restorePending_ && count_.open() == 0) {
        restorePending_ = false;
        // A restored backup: the window goes, the data is read again, the window comes back.
        QTimer::singleShot(0, &app_, [this] {
            restoredSinceLoad_ = false;
            reloadAfterRestore(app_.context());
        });
        return false;
    }
    return guard && !app_.state().ended && app_.state().loaded;
}

bool ModalWindows::showSettingsAfterSkinReload() {
    if (app_.modalHook && app_.modalHook(UiAction::kOpenSettings, 0)) return false;
    if (app_.window() == nullptr) return false;
    WindowServices services = windowServices();
    SettingsWindow w(services, settingsHooks(), app_.window());
    runModal(w, app_.services(), app_.window(), count_);
    return w.reloadRequested();
}

WindowServices ModalWindows::windowServices() {
    AppState& st = app_.state();
    const Platform& p = app_.platform();
    WindowServices s;
    s.strings = &st.strings;
    s.settings = &st.settings;
    s.events = &st.events;
    s.names = &st.names;
    s.box = p.messageBox;
    s.dialogs = p.dialogs;
    s.shell = p.shell;
    s.clock = p.clock;
    s.theme = &app_.canvas().skin.theme;
    s.log = &st.log;
    s.programDir = p.paths.programDir;
    s.userDataDir = p.paths.userDataDir;
    s.developer = st.window.developer;
    s.eventsSaved = eventDbContextOf(app_.context()).saved;
    return s;
}

SettingsWindowHooks ModalWindows::settingsHooks() {
    AppState& st = app_.state();
    SettingsWindowHooks h;
    h.sound = app_.platform().sound;
    h.autostart = &app_.services().autostart();
    h.executable = app_.platform().paths.executable;
    h.homeDir = QDir::homePath().toStdString();
    h.activeSkin = read(st.settings, settings::Skin);
    h.restoredSinceLoad = &restoredSinceLoad_;
    h.applyTransparency = [this](int percent) {
        write(app_.state().settings, settings::Transparency, std::to_string(percent));
        app_.painter().applyWindowLook();
    };
    h.saveAllData = [this] {
        AppState& s = app_.state();
        saveEventDatabase(s.events, eventDbContextOf(app_.context()));
        if (MainWindow* w = app_.window()) {
            const QPoint p = w->pos();
            write(s.settings, settings::Cal_LastX, std::to_string(p.x() * kTwipsPerPixel));
            write(s.settings, settings::Cal_LastY, std::to_string(p.y() * kTwipsPerPixel));
        }
        saveSettings(app_.context());
    };
    h.reloadAfterRestore = [this] { restorePending_ = true; };
    CalendarSync& sync = app_.sync();
    h.syncPassword = [this](const std::string& password) {
        const SyncAccountSettings a = readSyncSettings(app_.state().settings);
        if (a.url.empty() || a.user.empty() || app_.platform().secrets == nullptr) return;
        if (!app_.platform().secrets->write(syncSecretKey(a.url, a.user), password)) {
            const StringTable& strings = app_.state().strings;
            QMessageBox::information(app_.window(), qtString(strings, "sync_report_title"),
                                     qtString(strings, "sync_no_keyring"));
        }
    };
    h.syncNow = [&sync](QWidget* parent) { sync.runNow(parent); };
    h.syncStatus = [&sync] { return sync.statusLine(); };
    h.syncConflicts = [this](QWidget* parent) { showSyncConflicts(app_, parent); };
    return h;
}

void ModalWindows::openEventList(const EventListOpen& open) {
    QPointer<MainWindow> guard(app_.window());
    WindowServices services = windowServices();
    EventListWindow w(services, open, app_.window());
    runModal(w, app_.services(), app_.window(), count_);
    // A save that switched the alarms on wants the tray icon back.
    if (w.alarmsSwitchedOn()) refreshTrayForm(app_.context());
    if (guard) app_.painter().eventRefresh();
}

void ModalWindows::openSettings() {
    QPointer<MainWindow> guard(app_.window());
    WindowServices services = windowServices();
    const SyncAccountSettings syncBefore = readSyncSettings(app_.state().settings);
    SettingsWindow w(services, settingsHooks(), app_.window());
    runModal(w, app_.services(), app_.window(), count_);
    if (!guard || restorePending_) return;
    app_.sync().settingsChanged(syncBefore);
    refreshTrayForm(app_.context());
    if (w.reloadRequested()) {
        QTimer::singleShot(0, &app_, [this] { reloadForSkin(app_.context()); });
        return;
    }
    app_.painter().eventRefresh();
}

void ModalWindows::openNameSearch() {
    QPointer<MainWindow> guard(app_.window());
    WindowServices services = windowServices();
    NameSearchWindow w(services, app_.window());
    runModal(w, app_.services(), app_.window(), count_);
    if (w.eventsChanged() && guard) app_.painter().eventRefresh();
}

void ModalWindows::openAbout() {
    QPointer<MainWindow> guard(app_.window());
    AppState& s = app_.state();
    const Platform& p = app_.platform();
    AboutWindow::Actions act;
    act.openAboutPage = [this, &p] {
        app_.host().showHelpPage(p.paths.programDir + "about_hun.html");
    };
    act.openWebSite = [&p] { p.shell->openDocument(std::string(kWebSite)); };
    act.updateKnown = s.update.updatePending;
    act.update = [this, &s, &p] {
        if (s.update.updatePending) {
            p.shell->openDocument(read(s.settings, settings::Update_Link));
        } else {
            runManualUpdateCheck(s.update, makeUpdateContext(app_.context()),
                                 &app_.services().download(), p.messageBox, p.shell, app_.window());
        }
    };
    AboutWindow w(s.strings, act, app_.window());
    runModal(w, app_.services(), app_.window(), count_);
    if (w.gameWanted() && guard) app_.startGame();
}

void ModalWindows::openDayMenu(int cell) {
    AppState& s = app_.state();
    const auto items = buildDayFieldMenu(app_.month(), cell, s.events, s.strings);
    const auto menu = PopupMenu::fromModel(dayFieldMenuModel(items));
    const int chosen = menu->show();
    const DayMenuChoice choice = resolveDayFieldMenu(app_.month(), cell, items, chosen);
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
                return saveEventDatabase(table, eventDbContextOf(app_.context()));
            };
            if (deleteListedEvent(s.events, choice.slot, *app_.platform().messageBox, s.strings,
                                  save)) {
                app_.painter().eventRefresh();
            }
            return;
        }
    }
    openEventList(open);
}

void ModalWindows::openMainMenu() {
    AppState& s = app_.state();
    const auto menu = PopupMenu::fromModel(
        buildMainMenu(s.window, s.settings, s.strings, residentWithoutTray(app_.context())));
    const std::optional<CommandCode> code = mainMenuCommand(menu->show());
    if (!code) return;
    // After this action list: the command may open windows of its own.
    QTimer::singleShot(0, &app_, [this, command = *code] {
        if (app_.state().loaded) app_.command(command);
    });
}

}  // namespace tv
