#include "core/app/change_receiver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "core/app/app_contexts.h"
#include "core/app/app_state.h"
#include "core/app/change_apply.h"
#include "core/app/change_import.h"
#include "core/app/folders.h"
#include "core/app/restore_reload.h"
#include "core/app/startup.h"
#include "core/app/tray.h"
#include "core/app/tray_alarms.h"
#include "core/calc/files.h"
#include "core/ports/platform.h"
#include "core/settings/backup.h"
#include "core/sync/sync_report.h"

namespace tv {
namespace {

// The channel's messages are 255 bytes with the closing zero, the answer too.
constexpr size_t kMaxReplyBytes = 254;
constexpr size_t kMaxRequestBytes = size_t{4} << 20;

std::string joined(const std::vector<std::string>& notes) {
    std::string out;
    for (const std::string& n : notes) {
        if (!out.empty()) out += '\n';
        out += n;
    }
    return out;
}

std::string answer(std::string_view word, std::string result, std::string notes) {
    return encodeChangeReply({std::string(word), std::move(result), std::move(notes)},
                             kMaxReplyBytes);
}

std::string refuse(std::string_view reason) {
    return answer(kReplyError, {}, std::string(reason));
}

// Two spellings of one folder are the same folder once links and dots are resolved.
std::string resolvedFolder(const std::string& path) {
    char buf[PATH_MAX];
    std::string out = ::realpath(path.c_str(), buf) != nullptr ? std::string(buf) : path;
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

// Only an ordinary file of ours that nobody else may read or write is a request: the runtime
// folder is the user's own, but the file is checked all the same.
bool readRequestFile(const std::string& path, std::string& bytes) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (st.st_uid != ::getuid() || (st.st_mode & 077) != 0) return false;
    return readWholeFile(path, bytes, kMaxRequestBytes) == ReadResult::kOk;
}

const char* kindName(ChangeKind kind) {
    switch (kind) {
        case ChangeKind::kAddEvent:
            return "add event";
        case ChangeKind::kDeleteEvent:
            return "delete event";
        case ChangeKind::kRestoreBackup:
            return "restore";
        case ChangeKind::kSaveBackup:
            return "backup";
        case ChangeKind::kImportCalendar:
            return "import calendar";
        case ChangeKind::kSyncRun:
            return "sync";
        case ChangeKind::kSyncRestore:
            return "sync restore";
    }
    return "?";
}

ChangeEnvironment changeEnvironmentOf(AppContext& ctx) {
    AppState& s = ctx.state;
    ChangeEnvironment env;
    env.today = ctx.platform.clock->now().date;
    env.strings = &s.strings;
    env.settings = &s.settings;
    env.programDir = ctx.platform.paths.programDir;
    env.saveDatabase = [&ctx](const EventTable& table) {
        return saveEventDatabase(table, eventDbContextOf(ctx));
    };
    return env;
}

// The table changed: what the window shows, or what the tray rings, follows at once.
void followTableChange(AppContext& ctx) {
    AppState& s = ctx.state;
    if (s.loaded) {
        ctx.window.refreshEvents();
    } else {
        checkEvents(s.events, eventCheckContextOf(ctx), s.lists);
    }
}

std::string applyEventChange(AppContext& ctx, const ChangeRequest& request) {
    AppState& s = ctx.state;
    if (!ensureEventTable(ctx)) return refuse("events.cdb cannot be read");
    const ChangeEnvironment env = changeEnvironmentOf(ctx);
    const ChangeOutcome o = request.kind == ChangeKind::kAddEvent
                                ? addEventChange(s.events, request, env)
                                : deleteEventChange(s.events, request, env);
    if (o.alarmsSwitchedOn) {
        refreshTrayForm(ctx);
        saveSettings(ctx);
    }
    if (o.slot >= 0) followTableChange(ctx);
    if (!o.done) return answer(kReplyError, {}, joined(o.notes));
    std::string result = std::to_string(o.slot);
    if (request.kind == ChangeKind::kAddEvent) result += ' ' + std::to_string(o.list);
    return answer(kReplyDone, std::move(result), joined(o.notes));
}

// The report goes into a file of the runtime folder that the tool named; the answer only counts.
std::string applyImport(AppContext& ctx, const ChangeRequest& request) {
    if (!isImportReportFile(request.reportFile, ctx.platform.paths.runtimeDir)) {
        return refuse("the import names no report file of the runtime folder");
    }
    if (!ensureEventTable(ctx)) return refuse("events.cdb cannot be read");
    const ImportChangeOutcome o =
        importCalendarChange(ctx.state.events, request, changeEnvironmentOf(ctx));
    if (o.report.saved) followTableChange(ctx);
    const std::string counts = std::to_string(o.report.imported.size());
    return answer(o.done ? kReplyDone : kReplyError, counts, {});
}

BackupContext backupContextOf(AppContext& ctx, MessageBox& box) {
    AppState& s = ctx.state;
    BackupContext b;
    b.userDataDir = ctx.platform.paths.userDataDir;
    const char* home = std::getenv("HOME");
    b.homeDir = home != nullptr ? home : "";
    b.settings = &s.settings;
    b.strings = &s.strings;
    b.clock = ctx.platform.clock;
    b.box = &box;
    b.shell = ctx.platform.shell;
    b.log = &s.log;
    return b;
}

std::string applyRestore(AppContext& ctx, const ChangeRequest& request) {
    AnsweringBox box(request.yes);
    const BackupContext b = backupContextOf(ctx, box);
    RestoreHooks hooks;
    hooks.reload = [&ctx] { reloadAfterRestore(ctx); };
    const RestoreResult r = restoreBackup(b, request.backupPath, hooks);
    std::string notes = joined(box.texts);
    switch (r) {
        case RestoreResult::kRestored:
            return answer(kReplyDone, {}, std::move(notes));
        case RestoreResult::kNotOpened:
            return refuse("'" + request.backupPath + "' is not a pack file");
        case RestoreResult::kCancelled:
            return answer(kReplyError, {}, notes + "\n(confirm with --yes)");
        case RestoreResult::kWriteFailed:
            return refuse("the restored files could not be written; nothing was changed");
        case RestoreResult::kInvalidFile:
        case RestoreResult::kNewerVersion:
            break;
    }
    return answer(kReplyError, {}, std::move(notes));
}

// The backup page's save: what the calendar holds goes to disk first, so the backup has it.
std::string applyBackup(AppContext& ctx, const ChangeRequest& request) {
    AnsweringBox box(true);  // naming the file answered the question about overwriting it
    const BackupContext b = backupContextOf(ctx, box);
    const size_t slash = request.backupPath.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : request.backupPath.substr(0, slash + 1);
    const std::string name = request.backupPath.substr(slash == std::string::npos ? 0 : slash + 1);
    const BackupSaveResult r = saveBackup(b, folder, name, [&ctx] { saveCalendarData(ctx); });
    // Backup_Last as the save left it.
    saveSettings(ctx);
    std::string notes = joined(box.texts);
    if (r == BackupSaveResult::kSaved) return answer(kReplyDone, {}, std::move(notes));
    if (notes.empty()) notes = "the backup was not written";
    return answer(kReplyError, {}, std::move(notes));
}

// A sync run with the calendar's account; the answer is the report's line.
std::string applySync(AppContext& ctx, const ChangeRequest& request) {
    SyncHost* sync = ctx.platform.sync;
    if (sync == nullptr) return refuse("this calendar does not sync");
    if (request.kind == ChangeKind::kSyncRestore) {
        const std::optional<int> slot = sync->restoreConflict(request.conflict);
        if (!slot) return refuse("no such entry in the conflicts list");
        return answer(kReplyDone, std::to_string(*slot), {});
    }
    const SyncReport report = sync->runAndWait(request.dryRun, request.yes);
    return answer(report.stop == SyncStop::kDone ? kReplyDone : kReplyError, reportLine(report),
                  report.error);
}

}  // namespace

std::string receiveMessage(AppContext& ctx, std::string_view text) {
    if (text.starts_with(kApplyMessage)) {
        return receiveChangeRequest(ctx, text.substr(kApplyMessage.size()));
    }
    receiveText(ctx, text);
    return "ok";
}

std::string receiveChangeRequest(AppContext& ctx, std::string_view id) {
    AppState& s = ctx.state;
    const Paths& paths = ctx.platform.paths;
    if (!isChangeId(id) || paths.runtimeDir.empty()) return refuse("not a change request");
    std::string bytes;
    const std::string file =
        withSlash(paths.runtimeDir) + std::string(kChangeFilePrefix) + std::string(id);
    if (!readRequestFile(file, bytes)) return refuse("the change request could not be read");
    const std::optional<ChangeRequest> request = decodeChangeRequest(bytes);
    if (!request) return refuse("the change request is damaged");
    if (resolvedFolder(request->userDataDir) != resolvedFolder(paths.userDataDir)) {
        return answer(kReplyElsewhere, {}, {});
    }
    if (calendarBusy(s) || s.ended) {
        return refuse("the calendar is busy loading or with another change; try again");
    }
    if (ctx.window.modalOpen()) {
        return refuse("the calendar has a window open; close it and try again");
    }

    s.log.write("Change from the command line: " + std::string(kindName(request->kind)), 2);
    s.applyingChange = true;
    std::string reply;
    switch (request->kind) {
        case ChangeKind::kAddEvent:
        case ChangeKind::kDeleteEvent:
            reply = applyEventChange(ctx, *request);
            break;
        case ChangeKind::kRestoreBackup:
            reply = applyRestore(ctx, *request);
            break;
        case ChangeKind::kSaveBackup:
            reply = applyBackup(ctx, *request);
            break;
        case ChangeKind::kImportCalendar:
            reply = applyImport(ctx, *request);
            break;
        case ChangeKind::kSyncRun:
        case ChangeKind::kSyncRestore:
            reply = applySync(ctx, *request);
            break;
    }
    s.applyingChange = false;
    s.log.write("Change answered: " + reply.substr(0, reply.find('\n')), 0);
    return reply;
}

}  // namespace tv
