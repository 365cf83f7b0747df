#include "core/events/event_database.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/app/log.h"
#include "core/calc/files.h"
#include "core/config/legacy_import.h"
#include "core/config/string_table.h"
#include "core/events/event_database_format.h"
#include "core/events/feast_upgrade.h"
#include "core/events/holidays.h"
#include "core/ports/clock.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

// Far above any real table (32,767 events with long comments stay below 16 MiB).
constexpr size_t kMaxDbBytes = size_t{256} << 20;
constexpr int kMaxDamagedCopies = 99;

std::string dbPath(const EventDbContext& ctx) {
    return ctx.userDataDir + std::string(kEventDbName);
}
std::string tempPath(const EventDbContext& ctx) {
    return dbPath(ctx) + std::string(kEventDbTempSuffix);
}

void logLine(const EventDbContext& ctx, const std::string& line) {
    if (ctx.log) ctx.log->write(line, 0);
}

std::string uiText(const EventDbContext& ctx, std::string_view key) {
    return ctx.strings ? ctx.strings->getString(key) : std::string(key);
}

DateTime now(const EventDbContext& ctx) {
    return ctx.clock ? ctx.clock->now() : DateTime{};
}

std::string errorText(int err) {
    return err != 0 ? std::strerror(err) : "unknown error";
}

FileOps& files(const EventDbContext& ctx) {
    return ctx.files ? *ctx.files : systemFileOps();
}

// Moves a file by name and flushes the folder. A folder that cannot be flushed does not undo
// the move; the next save flushes it again.
bool moveFile(const EventDbContext& ctx, const std::string& from, const std::string& to) {
    if (files(ctx).rename(from, to) != 0) return false;
    flushFolder(ctx.userDataDir, files(ctx));
    return true;
}

// "events.cdb.damaged-YYYYMMDD", then "-2", "-3", ... for further damage on the same day.
std::string damagedName(const EventDbContext& ctx, int n) {
    const Ymd d = now(ctx).date.ymd();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, ".damaged-%04d%02d%02d", d.year, d.month, d.day);
    std::string name = dbPath(ctx) + stamp;
    if (n > 1) name += "-" + std::to_string(n);
    return name;
}

// A file we could not read whole would be lost at the next save, which writes only what we
// understood. Keep its bytes beside it first; the same bytes are kept once.
std::string keepDamagedCopy(const EventDbContext& ctx, std::string_view bytes) {
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        std::string name = damagedName(ctx, n);
        std::string old;
        const ReadResult r = readWholeFile(name, old, kMaxDbBytes);
        if (r == ReadResult::kOk && old == bytes) return name;
        if (r != ReadResult::kMissing) continue;
        if (saveFileAtomic(name, bytes, kEventDbTempSuffix, 0644, files(ctx))) return name;
        break;
    }
    logLine(ctx, "Could not keep a copy of the damaged events.cdb");
    return {};
}

// The same for a file we cannot even open: move it aside, whole, by name.
std::string moveUnreadableAside(const EventDbContext& ctx) {
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        std::string name = damagedName(ctx, n);
        if (::access(name.c_str(), F_OK) == 0) continue;
        if (!moveFile(ctx, dbPath(ctx), name)) break;
        return name;
    }
    logLine(ctx, "Could not move the unreadable events.cdb aside");
    return {};
}

// A table read whole gets the feasts that came after it was made (feast_upgrade.h). A damaged or
// foreign file is left alone: its table is offered them at the first start that reads it whole.
void offerNewFeasts(EventTable& table, const EventDbContext& ctx) {
    if (ctx.settings == nullptr || !offerGoodFriday(table, *ctx.settings)) return;
    logLine(ctx, "Good Friday was added to the event table");
    saveEventDatabase(table, ctx);
}

std::string keptNote(const std::string& copy) {
    return copy.empty() ? std::string() : "; a copy is kept as '" + copy + "'";
}

// A save that was cut short before its rename leaves "events.cdb_temp" behind. When it is whole
// and events.cdb is missing or could not be read whole, it is the newest data there is.
// `mainBytes` is null when events.cdb is missing or cannot be read.
bool recoverFromTemp(EventTable& table, const EventDbContext& ctx, const std::string* mainBytes,
                     bool mainExists) {
    std::string bytes;
    if (readWholeFile(tempPath(ctx), bytes, kMaxDbBytes) != ReadResult::kOk) return false;
    EventTable recovered;
    if (decodeEventDatabase(bytes, recovered).status != EventDbStatus::kWhole) return false;

    std::string copy;
    if (mainBytes) {
        copy = keepDamagedCopy(ctx, *mainBytes);
    } else if (mainExists) {
        copy = moveUnreadableAside(ctx);
    }
    // Promote it at once: the next save begins by replacing the temporary file, which must not
    // take the only good copy with it.
    if (!moveFile(ctx, tempPath(ctx), dbPath(ctx))) {
        logLine(ctx, "Could not rename events.cdb_temp to events.cdb: " + errorText(errno));
    }
    table = std::move(recovered);
    logLine(ctx,
            std::string(mainExists ? "events.cdb could not be read" : "events.cdb was missing") +
                "; loaded " + std::to_string(table.eventCount()) +
                " events from events.cdb_temp, left by an unfinished save" + keptNote(copy));
    offerNewFeasts(table, ctx);
    return true;
}

// No usable file: the old generation's data when there is any, and the built-in holidays the
// old data does not already hold.
bool startFreshTable(EventTable& table, const EventDbContext& ctx, bool result) {
    table.clearEventTable();
    table.pictureMarks().fill(0);
    table.wisdomMarks().clear();
    const LegacyImportContext legacy{ctx.userDataDir, &table, ctx.settings, ctx.log};
    importLegacy("dates.qzi", legacy);
    importLegacy("dates2.qzi", legacy);
    const bool holidaysImported = importLegacy("ceremonies.qzi", legacy);
    const bool feastsImported = importLegacy("unique.qzi", legacy);
    if (holidaysImported) {
        addBuiltinHolidayRow(table, kValentinesDayRow);  // the old list predates it
    } else {
        createBuiltinHolidays(table, 0);
    }
    if (!feastsImported) createBuiltinHolidays(table, 1);
    // Marks the fresh row as offered, or adds it after an imported feast list that predates it.
    if (ctx.settings != nullptr) offerGoodFriday(table, *ctx.settings);
    logLine(ctx, "A new event table with " + std::to_string(table.eventCount()) + " events");
    saveEventDatabase(table, ctx);
    return result;
}

// `copy` is the path of the copy kept beside the file, empty when none could be kept: then the
// question must not promise that the data is safe.
bool askAboutUnknownVersion(const EventDbContext& ctx, const EventDbReadReport& report,
                            const std::string& copy) {
    MessageRequest q;
    if (copy.empty()) {
        q.text = uiText(ctx, "err_db_version_nocopy");
    } else {
        const std::string name = copy.substr(copy.find_last_of('/') + 1);
        q.text = ctx.strings ? ctx.strings->formatString("err_db_version", name)
                             : std::string("err_db_version");
    }
    q.title = uiText(ctx, "com_error");
    q.buttons = MessageButtons::kYesNo;
    q.icon = MessageIcon::kCritical;
    // Yes starts on an empty table: Enter must not take that road.
    q.defaultButton = MessageAnswer::kNo;
    const MessageAnswer a = ctx.box ? ctx.box->show(q) : MessageAnswer::kNo;
    logLine(ctx, "events.cdb has the unknown format version " + std::to_string(report.major) + "." +
                     std::to_string(report.minor) +
                     "; answer: " + (a == MessageAnswer::kYes ? "Yes" : "No"));
    return a == MessageAnswer::kYes;
}

}  // namespace

static bool loadTable(EventTable& table, const EventDbContext& ctx) {
    table.clearEventTable();
    table.pictureMarks().fill(0);
    table.wisdomMarks().clear();

    std::string bytes;
    errno = 0;
    const ReadResult read = readWholeFile(dbPath(ctx), bytes, kMaxDbBytes);
    const int readError = errno;
    if (read == ReadResult::kMissing) {
        if (recoverFromTemp(table, ctx, nullptr, false)) return true;
        return startFreshTable(table, ctx, true);
    }
    if (read != ReadResult::kOk) {
        if (recoverFromTemp(table, ctx, nullptr, true)) return true;
        // Starting empty here would overwrite the user's data at the first save.
        logLine(ctx, "events.cdb cannot be read: " + (read == ReadResult::kTooLarge
                                                          ? std::string("the file is too large")
                                                          : errorText(readError)));
        return false;
    }

    const EventDbReadReport report = decodeEventDatabase(bytes, table);
    switch (report.status) {
        case EventDbStatus::kWhole:
            offerNewFeasts(table, ctx);
            return true;
        case EventDbStatus::kNoMagic:
            if (recoverFromTemp(table, ctx, &bytes, true)) return true;
            // Not ours: run with an empty table and no holidays, as with any foreign file.
            logLine(ctx, "events.cdb is not an event database; the event table stays empty" +
                             keptNote(keepDamagedCopy(ctx, bytes)));
            return true;
        case EventDbStatus::kCut:
            if (recoverFromTemp(table, ctx, &bytes, true)) return true;
            logLine(ctx, "events.cdb is damaged: " + report.note + "; " +
                             std::to_string(table.eventCount()) + " events loaded" +
                             keptNote(keepDamagedCopy(ctx, bytes)));
            return true;
        case EventDbStatus::kUnknownVersion: {
            // Either answer ends with the file overwritten sooner or later.
            const std::string copy = keepDamagedCopy(ctx, bytes);
            if (!copy.empty()) logLine(ctx, "A copy of events.cdb is kept as '" + copy + "'");
            if (askAboutUnknownVersion(ctx, report, copy)) return true;
            return startFreshTable(table, ctx, false);
        }
    }
    return true;
}

bool loadEventDatabase(EventTable& table, const EventDbContext& ctx) {
    const bool ok = loadTable(table, ctx);
    if (ok && ctx.loaded) ctx.loaded(table);
    return ok;
}

bool saveEventDatabase(const EventTable& table, const EventDbContext& ctx) {
    const std::string bytes = encodeEventDatabase(table, now(ctx));
    errno = 0;
    if (saveFileAtomic(dbPath(ctx), bytes, kEventDbTempSuffix, 0644, files(ctx))) {
        if (ctx.saved) ctx.saved(table);
        return true;
    }
    const std::string why = errorText(errno);
    logLine(ctx, "Error saving the event database: " + why);
    if (ctx.box) {
        MessageRequest m;
        m.text = (ctx.strings ? ctx.strings->formatString("com_err_dbsave", kEventDbName)
                              : std::string("com_err_dbsave")) +
                 "\r\n" + why;
        m.title = uiText(ctx, "com_err_critical");
        m.buttons = MessageButtons::kOk;
        m.icon = MessageIcon::kCritical;
        ctx.box->show(m);
    }
    return false;
}

}  // namespace tv
