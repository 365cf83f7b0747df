#include "gui/app/calendar_sync.h"

#include <QDateTime>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QThread>
#include <QWidget>
#include <cstdlib>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/startup.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/events/event_database.h"
#include "core/ports/platform.h"
#include "core/ports/secret_store.h"
#include "core/sync/sync_report.h"
#include "core/sync/sync_session.h"
#include "platform/qt/online_services.h"

namespace tv {
namespace {

constexpr int kMinuteMs = 60 * 1000;

// DTSTAMP is UTC; the calendar's clock is local time.
DateTime utcNow() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDate d = now.date();
    const QTime t = now.time();
    return DateTime::of(Date::serial(d.year(), d.month(), d.day()), t.hour(), t.minute(),
                        t.second());
}

// The calendar of that name (or last path part); without a name, the only one with events.
std::string findCalendar(CalDavClient& client, const std::string& name, SyncReport& report) {
    std::vector<DavCalendar> all;
    const DavStatus st = client.discover(all);
    if (!st.ok()) {
        report.stop = st.http == 0 ? SyncStop::kNetwork : SyncStop::kServer;
        report.error = st.error;
        return {};
    }
    std::vector<const DavCalendar*> fit;
    std::string names;
    for (const DavCalendar& d : all) {
        if (!d.events) continue;
        if (calendarFits(d, name)) fit.push_back(&d);
        names += (names.empty() ? "" : ", ") +
                 (d.displayName.empty() ? calendarPathName(d) : d.displayName);
    }
    if (fit.size() == 1) return fit[0]->href;
    report.stop = SyncStop::kServer;
    report.error = "no single calendar " + (name.empty() ? std::string() : "\"" + name + "\" ") +
                   "on the server; it has: " + names;
    return {};
}

}  // namespace

CalendarSync::CalendarSync(AppContext& ctx, SecretStore& secrets) : ctx_(ctx), secrets_(secrets) {
    interval_.setSingleShot(false);
    connect(&interval_, &QTimer::timeout, this,
            [this] { begin(false, false, Origin::kScheduled); });
    afterChange_.setSingleShot(true);
    afterChange_.setInterval(kAfterChangeDelayMs);
    connect(&afterChange_, &QTimer::timeout, this,
            [this] { begin(false, false, Origin::kScheduled); });
    retry_.setSingleShot(true);
    retry_.setInterval(kBusyRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] {
        if (!pending_) return;
        if (apply(*pending_, false)) {
            pending_.reset();
        } else {
            retry_.start();
        }
    });
}

CalendarSync::~CalendarSync() {
    cancel_ = true;
    if (worker_ != nullptr) {
        worker_->wait();
        delete worker_;
    }
}

bool CalendarSync::ensureOpen(bool create) {
    if (session_.isOpen()) return true;
    const std::string dir = ctx_.platform.paths.userDataDir;
    if (!create && !fileExists(syncStorePath(dir))) return false;
    if (!session_.open(dir)) return false;
    if (ctx_.state.eventsLoaded) session_.tableLoaded(ctx_.state.events);
    return true;
}

void CalendarSync::start() {
    const SyncAccountSettings a = readSyncSettings(ctx_.state.settings);
    if (!a.ready()) return;
    QTimer::singleShot(kFirstRunDelayMs, this, [this] { begin(false, false, Origin::kScheduled); });
    if (a.intervalMinutes > 0) interval_.start(a.intervalMinutes * kMinuteMs);
}

void CalendarSync::settingsChanged(const SyncAccountSettings& before) {
    const SyncAccountSettings a = readSyncSettings(ctx_.state.settings);
    interval_.stop();
    if (!a.ready()) return;
    if (before.url != a.url || before.user != a.user || before.calendar != a.calendar) {
        // Another server or calendar: nothing known of the old one holds there.
        if (ensureOpen(true)) {
            session_.store().resetCollectionData();
            session_.tableLoaded(ctx_.state.events);
        }
    }
    if (a.intervalMinutes > 0) interval_.start(a.intervalMinutes * kMinuteMs);
}

void CalendarSync::tableLoaded(const EventTable& table) {
    if (ensureOpen(readSyncSettings(ctx_.state.settings).ready())) session_.tableLoaded(table);
}

void CalendarSync::tableSaved(const EventTable& table) {
    if (!session_.isOpen()) return;
    session_.tableSaved(table);
    // The user's change goes out soon; our own apply is no change to send back.
    if (!applying_ && readSyncSettings(ctx_.state.settings).ready()) afterChange_.start();
}

void CalendarSync::bindingUncertain() {
    if (ensureOpen(false)) session_.binding().markUncertain(session_.store());
}

std::string CalendarSync::statusLine() {
    const SyncStatus s = session_.isOpen() ? session_.status() : SyncStatus{};
    std::string line = statusText(s.lastTime, s.lastResult, ctx_.state.strings);
    if (!s.lastError.empty() && s.lastResult != "ok") line += " (" + s.lastError + ")";
    return line;
}

bool CalendarSync::begin(bool dryRun, bool confirmed, Origin origin) {
    AppState& s = ctx_.state;
    if (worker_ != nullptr || starting_ || !s.eventsLoaded || pending_) return false;
    const SyncAccountSettings account = readSyncSettings(s.settings);
    if (!account.ready() || !ensureOpen(true)) return false;
    // The keyring answers over the session bus while window messages run: no second start.
    starting_ = true;
    std::optional<std::string> password = secrets_.read(syncSecretKey(account.url, account.user));
    starting_ = false;
    // Without a keyring (a server, a test), the same variable the command-line tool reads.
    if (!password) {
        if (const char* p = std::getenv("TEMPOVIRENS_SYNC_PASSWORD"); p != nullptr) password = p;
    }
    if (!password) return false;

    SyncOptions o;
    o.calendarHref = account.calendar;
    o.dryRun = dryRun;
    o.confirmed = confirmed;
    o.stampUtc = utcNow();
    const DateTime now = ctx_.platform.clock->now();
    o.today = now.date;
    o.nowText = isoDateTime(now);
    const SyncSnapshot snapshot = session_.snapshot(s.events);
    const std::string storePath = session_.path();
    const CalDavAccount dav{account.url, account.user, *password};
    cancel_ = false;
    worker_ = QThread::create([this, o, snapshot, storePath, dav, dryRun, origin] {
        SyncResult result;
        std::string chosen;
        std::unique_ptr<SyncStore> store = SyncStore::open(storePath);
        std::unique_ptr<CalDavClient> client = makeCalDavClient(dav, &cancel_);
        SyncOptions options = o;
        options.cancel = &cancel_;
        // A calendar named rather than given by its path: the server says which one it is.
        if (options.calendarHref.empty() || options.calendarHref[0] != '/') {
            chosen = findCalendar(*client, options.calendarHref, result.report);
            options.calendarHref = chosen;
        }
        if (!store) {
            result.report.stop = SyncStop::kStore;
        } else if (!options.calendarHref.empty()) {
            result = runSync(snapshot, *client, *store, options);
        }
        QMetaObject::invokeMethod(
            this,
            [this, result, dryRun, origin, chosen] {
                if (!chosen.empty()) {
                    write(ctx_.state.settings, settings::Sync_Calendar, chosen);
                    saveSettings(ctx_);
                }
                done(result, dryRun, origin);
            },
            Qt::QueuedConnection);
    });
    worker_->start();
    return true;
}

void CalendarSync::done(const SyncResult& result, bool dryRun, Origin origin) {
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    last_ = result.report;
    if (!dryRun) {
        // A change handed over runs while the calendar counts as busy with it: apply now.
        if (!apply(result, origin != Origin::kScheduled)) {
            pending_ = result;
            retry_.start();
        }
    }
    if (origin == Origin::kManual) report(result.report);
    emit finished();
}

bool CalendarSync::apply(const SyncResult& result, bool force) {
    AppState& s = ctx_.state;
    // A scheduled run's result waits while a load, a change or a window works on the events;
    // a run the user asked for (settings page, command line) is applied at once.
    if (!force && (calendarBusy(s) || ctx_.window.modalOpen())) return false;
    applying_ = true;
    const DateTime now = ctx_.platform.clock->now();
    const ApplyOutcome out = session_.finish(
        s.events, result,
        [this](const EventTable& t) { return saveEventDatabase(t, eventDbContextOf(ctx_)); },
        isoDateTime(now));
    applying_ = false;
    if (!result.changes.empty()) {
        if (s.loaded) {
            ctx_.window.refreshEvents();
        } else {
            checkEvents(s.events, eventCheckContextOf(ctx_), s.lists);
        }
    }
    if (!out.saved) last_.stop = SyncStop::kStore;
    return true;
}

void CalendarSync::report(const SyncReport& r) {
    QWidget* parent = reportParent_.data();
    const StringTable& strings = ctx_.state.strings;
    const QString title = QString::fromStdString(strings.getString("sync_report_title"));
    const QString text = QString::fromStdString(reportText(r, strings));
    if (r.stop == SyncStop::kConfirmDeletes || r.stop == SyncStop::kConfirmEmpty) {
        if (QMessageBox::question(parent, title, text) == QMessageBox::Yes) {
            begin(false, true, Origin::kManual);
        }
        return;
    }
    if (r.stop == SyncStop::kDone) {
        QMessageBox::information(parent, title, text);
    } else {
        QMessageBox::warning(parent, title, text);
    }
}

void CalendarSync::runNow(QWidget* parent) {
    reportParent_ = parent;
    const SyncAccountSettings account = readSyncSettings(ctx_.state.settings);
    const StringTable& strings = ctx_.state.strings;
    const QString title = QString::fromStdString(strings.getString("sync_report_title"));
    if (!account.ready()) {
        QMessageBox::warning(parent, title,
                             QString::fromStdString(strings.getString("sync_err_setup")));
        return;
    }
    const std::string key = syncSecretKey(account.url, account.user);
    if (!secrets_.read(key)) {
        bool ok = false;
        const QString password = QInputDialog::getText(
            parent, title,
            QString::fromStdString(strings.formatString("sync_q_password", account.user)),
            QLineEdit::Password, {}, &ok);
        if (!ok || password.isEmpty()) return;
        if (!secrets_.write(key, password.toStdString())) {
            QMessageBox::information(parent, title,
                                     QString::fromStdString(strings.getString("sync_no_keyring")));
        }
    }
    begin(false, false, Origin::kManual);
}

SyncReport CalendarSync::runAndWait(bool dryRun, bool confirmed) {
    QEventLoop loop;
    const auto conn = connect(this, &CalendarSync::finished, &loop, &QEventLoop::quit);
    if (worker_ != nullptr) loop.exec();  // the run under way first
    if (!begin(dryRun, confirmed, Origin::kHandedOver)) {
        disconnect(conn);
        SyncReport r;
        r.stop = SyncStop::kStore;
        r.error = "sync is not set up in the calendar, or its password is not known";
        return r;
    }
    loop.exec();
    disconnect(conn);
    return last_;
}

std::optional<int> CalendarSync::restoreConflict(int id) {
    if (!ensureOpen(false)) return std::nullopt;
    const std::optional<int> slot =
        session_.restoreConflict(ctx_.state.events, id, ctx_.platform.clock->now().date);
    if (!slot) return std::nullopt;
    if (!saveEventDatabase(ctx_.state.events, eventDbContextOf(ctx_))) return std::nullopt;
    if (ctx_.state.loaded) ctx_.window.refreshEvents();
    return slot;
}

}  // namespace tv
