// Two-way CalDAV sync from the command line. The account lives in settings.cfg and the password in
// the desktop's keyring; for a run the tool also takes the password from standard input
// (--password-stdin) or from TEMPOVIRENS_SYNC_PASSWORD, never from an argument. While a calendar
// runs, a run and a restore are handed to it (it owns the files and may be syncing already);
// otherwise the tool syncs itself under the calendar's lock.
#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "cli/sync_tables.h"
#include "core/config/settings_keys.h"
#include "core/sync/sync_report.h"
#include "core/sync/sync_session.h"
#include "platform/qt/qt_caldav_client.h"
#include "platform/qt/qt_secret_store.h"

namespace tv::cli {
namespace {

constexpr const char* kPasswordVariable = "TEMPOVIRENS_SYNC_PASSWORD";
// A first run of thousands of events takes minutes.
constexpr int kSyncReplyTimeoutMs = 30 * 60 * 1000;

// The network needs an application object; the command may be the only one.
QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "tempovirens-cli";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() != nullptr ? nullptr : new QCoreApplication(argc, argv);
    return app != nullptr ? *app : *QCoreApplication::instance();
}

std::string firstLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<std::string> password(const SyncAccountSettings& a, bool fromStdin) {
    if (fromStdin) return firstLine(std::cin);
    if (const char* p = std::getenv(kPasswordVariable); p != nullptr) return std::string(p);
    QtSecretStore keyring;
    return keyring.read(syncSecretKey(a.url, a.user));
}

int printReport(CliContext& c, const SyncReport& r) {
    if (c.json) {
        *c.out << reportJson(r) << '\n';
    } else {
        *c.out << reportPlain(r);
    }
    if (r.stop == SyncStop::kConfirmDeletes || r.stop == SyncStop::kConfirmEmpty) {
        *c.err << "nothing was changed: confirm with --yes (or look first with --dry-run)\n";
    }
    return r.stop == SyncStop::kDone ? kExitOk : kExitFailure;
}

// Chooses the calendar: by display name or last path part, or the only one with events.
std::optional<DavCalendar> chooseCalendar(CliContext& c, const std::vector<DavCalendar>& all,
                                          const std::optional<std::string>& wanted) {
    std::vector<DavCalendar> events;
    for (const DavCalendar& d : all) {
        if (calendarFits(d, wanted.value_or(""))) events.push_back(d);
    }
    if (events.size() == 1) return events[0];
    *c.err << (events.empty() ? "no calendar found" : "several calendars; choose with --collection")
           << ":\n";
    for (const DavCalendar& d : all)
        *c.err << "  " << d.href << "  " << d.displayName << '\n';
    return std::nullopt;
}

int setupCommand(CliContext& c, const Arguments& o) {
    const std::optional<std::string> url = o.get("--url");
    const std::optional<std::string> user = o.get("--user");
    application();
    if (!QtCalDavClient::allowedAddress(QUrl(QString::fromStdString(*url)))) {
        return c.fail("the address must be https (plain http only to this machine)");
    }
    const std::string secret = firstLine(std::cin);
    QtCalDavClient dav({*url, *user, secret});
    std::vector<DavCalendar> calendars;
    const DavStatus st = dav.discover(calendars);
    if (!st.ok()) {
        return c.fail(st.http == 401 ? "the server refused the user name or password"
                                     : "the server could not be asked: " + st.error);
    }
    const std::optional<DavCalendar> chosen = chooseCalendar(
        c, calendars,
        o.has("--collection") ? std::optional<std::string>(o.get("--collection")) : std::nullopt);
    if (!chosen) return kExitFailure;

    WriteAccess access(c);
    if (!mayWriteHere(c, access)) {
        return c.fail(
            "the calendar is running: set the account on its settings page, or close it first");
    }
    SyncTables t(c);
    if (!t.loadSettings()) return kExitFailure;
    const SyncAccountSettings before = readSyncSettings(t.settings);
    write(t.settings, settings::Sync_Url, *url);
    write(t.settings, settings::Sync_User, *user);
    write(t.settings, settings::Sync_Calendar, chosen->href);
    if (!t.saveSettings()) return c.fail("settings.cfg could not be written");
    // Another server or calendar: what we know of the old one means nothing there.
    if (before.url != *url || before.user != *user || before.calendar != chosen->href) {
        SyncSession session;
        if (session.open(c.paths.userDataDir)) session.store().resetCollectionData();
    }
    QtSecretStore keyring;
    if (!keyring.write(syncSecretKey(*url, *user), secret)) {
        *c.err << "no keyring answered: give the password at each run with --password-stdin or "
               << kPasswordVariable << '\n';
    }
    *c.out << chosen->href << "  " << chosen->displayName << '\n';
    return kExitOk;
}

int runCommand(CliContext& c, const Arguments& o) {
    const bool dryRun = o.has("--dry-run");
    const bool yes = o.has("--yes");
    application();
    WriteAccess access(c);
    if (access.kind() == WriteAccess::Kind::kCalendarRuns && !mayWriteHere(c, access)) {
        ChangeRequest request;
        request.kind = ChangeKind::kSyncRun;
        request.userDataDir = c.paths.userDataDir;
        request.yes = yes;
        request.dryRun = dryRun;
        const std::optional<ChangeReply> reply = access.handOver(request, kSyncReplyTimeoutMs);
        if (!reply) return c.fail("the running calendar did not answer");
        std::optional<SyncReport> report = parseReportLine(reply->result);
        if (!report) return c.fail(reply->notes.empty() ? "the calendar refused" : reply->notes);
        report->error = reply->notes;
        return printReport(c, *report);
    }
    if (!mayWriteHere(c, access)) return c.fail("another command is writing; try again");

    SyncTables t(c);
    if (!t.loadSettings()) return kExitFailure;
    const SyncAccountSettings account = readSyncSettings(t.settings);
    if (!account.ready()) return c.fail("no sync account yet: run sync setup first");
    const std::optional<std::string> secret = password(account, o.has("--password-stdin"));
    if (!secret)
        return c.fail("no password: use --password-stdin or set TEMPOVIRENS_SYNC_PASSWORD");
    if (!t.loadEvents()) return kExitFailure;
    QtCalDavClient dav({account.url, account.user, *secret});
    return printReport(c, t.run(dav, account.calendar, dryRun, yes));
}

int statusCommand(CliContext& c, const Arguments&) {
    SyncTables t(c);
    if (!t.loadSettings()) return kExitFailure;
    const SyncAccountSettings a = readSyncSettings(t.settings);
    SyncSession session;
    const bool open = session.open(c.paths.userDataDir);
    const SyncStatus s = open ? session.status() : SyncStatus{};
    const bool uncertain = open && session.store().meta(kBindingMetaKey) == "uncertain";
    if (c.json) {
        *c.out << "{\"url\":" << jsonString(a.url) << ",\"user\":" << jsonString(a.user)
               << ",\"calendar\":" << jsonString(a.calendar)
               << ",\"interval\":" << a.intervalMinutes
               << ",\"lastSync\":" << jsonString(s.lastTime)
               << ",\"lastResult\":" << jsonString(s.lastResult)
               << ",\"lastError\":" << jsonString(s.lastError) << ",\"conflicts\":" << s.conflicts
               << ",\"uncertain\":" << (uncertain ? "true" : "false") << "}\n";
        return kExitOk;
    }
    *c.out << "account: " << (a.ready() ? a.user + " @ " + a.url + " " + a.calendar : "not set")
           << '\n'
           << "every: " << a.intervalMinutes << " minutes\n"
           << "last sync: " << (s.lastTime.empty() ? "never" : s.lastTime) << '\n'
           << "last result: " << (s.lastResult.empty() ? "-" : s.lastResult)
           << (s.lastError.empty() ? "" : " (" + s.lastError + ")") << '\n'
           << "conflicts: " << s.conflicts << '\n';
    if (uncertain)
        *c.out << "binding: uncertain (the next run matches by content and deletes nothing)\n";
    return kExitOk;
}

int conflictsCommand(CliContext& c, const Arguments& o) {
    const std::optional<std::string> restore =
        o.has("--restore") ? std::optional<std::string>(o.get("--restore")) : std::nullopt;
    if (!restore) {
        SyncSession session;
        if (!session.open(c.paths.userDataDir)) return c.fail("the sync state cannot be read");
        const std::vector<ConflictEntry> list = session.store().conflicts();
        if (c.json) *c.out << '[';
        for (size_t i = 0; i < list.size(); ++i) {
            const ConflictEntry& e = list[i];
            if (c.json) {
                *c.out << (i > 0 ? "," : "") << "{\"id\":" << e.id
                       << ",\"time\":" << jsonString(e.at) << ",\"name\":" << jsonString(e.name)
                       << '}';
            } else {
                *c.out << e.id << '\t' << e.at << '\t' << e.name << '\n';
            }
        }
        if (c.json) *c.out << "]\n";
        return kExitOk;
    }
    const std::optional<int> id = parseIntArg(*restore);
    if (!id) return c.usage();
    application();
    WriteAccess access(c);
    if (access.kind() == WriteAccess::Kind::kCalendarRuns && !mayWriteHere(c, access)) {
        ChangeRequest request;
        request.kind = ChangeKind::kSyncRestore;
        request.userDataDir = c.paths.userDataDir;
        request.conflict = *id;
        const std::optional<ChangeReply> reply = access.handOver(request);
        if (!reply || reply->word != kReplyDone) {
            return c.fail(reply ? reply->notes : "the running calendar did not answer");
        }
        *c.out << "restored into slot " << reply->result << '\n';
        return kExitOk;
    }
    if (!mayWriteHere(c, access)) return c.fail("another command is writing; try again");
    SyncTables t(c);
    if (!t.loadSettings() || !t.loadEvents()) return kExitFailure;
    const std::optional<int> slot = t.restore(*id);
    if (!slot) return c.fail("no such entry in the conflicts list");
    *c.out << "restored into slot " << *slot << '\n';
    return kExitOk;
}

void describeSync(CommandTree& t) {
    CLI::App& sync = t.group("sync", "two-way sync of your events with a CalDAV server");
    sync.footer(
        "The password is read from standard input (setup, run --password-stdin), from "
        "TEMPOVIRENS_SYNC_PASSWORD or from the keyring, never from an argument. While the "
        "calendar runs, run and conflicts --restore hand the work to it.");

    CLI::App& setup = t.add("setup", "finds the calendar on the server and keeps the account",
                            setupCommand, &sync);
    addOption(setup, "--url", "the server's address (https; http only to this machine)")
        ->required()
        ->type_name("URL");
    addOption(setup, "--user", "the user name on the server")->required()->type_name("NAME");
    addOption(setup, "--collection", "the calendar's name or path, when there are several")
        ->type_name("NAME");

    CLI::App& run = t.add("run", "syncs now and reports what changed", runCommand, &sync);
    addFlag(run, "--dry-run", "only says what the run would do");
    addFlag(run, "--yes", "goes on where the run would stop to ask (many deletions)");
    addFlag(run, "--password-stdin", "reads the password from standard input");
    t.reads(run, "--json");

    CLI::App& status = t.add("status", "the account and the last run", statusCommand, &sync);
    t.reads(status, "--json");

    CLI::App& conflicts = t.add("conflicts", "your versions that lost a clash with the server",
                                conflictsCommand, &sync);
    addOption(conflicts, "--restore", "puts that entry back into the calendar")->type_name("N");
    t.reads(conflicts, "--json");
}

}  // namespace

const CommandRegistration kSync{describeSync};

}  // namespace tv::cli
