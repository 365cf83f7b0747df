// The running calendar's CalDAV sync: when it runs (at start, every N minutes, after each change
// of the events, on demand, and when the command-line tool hands a run over), where (a worker
// thread: the window never waits for the network) and how its result comes back (on the
// window's thread, through one save of the table, never under a load or a change in progress).
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <optional>
#include <string>

#include "core/ports/sync_host.h"
#include "core/sync/sync_session.h"

class QThread;
class QWidget;

namespace tv {

struct AppContext;
class SecretStore;

class CalendarSync : public QObject, public SyncHost {
    Q_OBJECT
public:
    static constexpr int kFirstRunDelayMs = 5000;
    static constexpr int kAfterChangeDelayMs = 10000;
    static constexpr int kBusyRetryMs = 2000;

    CalendarSync(AppContext& ctx, SecretStore& secrets);
    ~CalendarSync() override;

    // After the program has started: the first run soon, then every N minutes.
    void start();
    // The settings page closed: a new interval, or a new account that starts afresh.
    void settingsChanged(const SyncAccountSettings& before);
    // "Sync now" on the settings page: asks for a missing password and shows the report.
    void runNow(QWidget* parent);
    bool running() const { return worker_ != nullptr; }
    // The tray's and the settings page's line about the last run.
    std::string statusLine();
    SyncStatus status() { return session_.status(); }
    SyncSession& session() { return session_; }

    SyncReport runAndWait(bool dryRun, bool confirmed) override;
    std::optional<int> restoreConflict(int id) override;
    void tableLoaded(const EventTable& table) override;
    void tableSaved(const EventTable& table) override;
    void bindingUncertain() override;

signals:
    // A run ended (the status line changed).
    void finished();

private:
    enum class Origin { kScheduled, kManual, kHandedOver };
    bool begin(bool dryRun, bool confirmed, Origin origin);
    void done(const SyncResult& result, bool dryRun, Origin origin);
    bool apply(const SyncResult& result, bool force);
    void report(const SyncReport& r);
    bool ensureOpen(bool create);

    AppContext& ctx_;
    SecretStore& secrets_;
    SyncSession session_;
    QTimer interval_;
    QTimer afterChange_;
    QTimer retry_;
    QThread* worker_ = nullptr;
    std::atomic<bool> cancel_{false};
    bool applying_ = false;
    bool starting_ = false;
    std::optional<SyncResult> pending_;
    SyncReport last_;
    QPointer<QWidget> reportParent_;
};

}  // namespace tv
