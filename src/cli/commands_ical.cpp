// The user's events in and out as iCalendar (.ics) files, for other calendar programs. Export
// only reads "events.cdb"; an import is a change of the user's files and is handed to the
// running calendar when one runs, like every other change.
#include <unistd.h>

#include <CLI/CLI.hpp>

#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>
#include <random>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "cli/events_session.h"
#include "core/app/change_import.h"
#include "core/app/folders.h"
#include "core/calc/files.h"
#include "core/ical/calendar_export.h"
#include "core/ical/calendar_import.h"

namespace tv::cli {
namespace {

// Movable feasts go out for this many years from the current one unless --from/--to say.
constexpr int kDefaultFeastYears = 10;

struct ExportArgs {
    std::string file;
    bool holidays = false;
    int fromYear = 0;
    int toYear = 0;
};

struct ImportArgs {
    std::string file;
    bool dryRun = false;
    bool nearest = false;
};

std::string absolutePath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? path : p.lexically_normal().string();
}

// DTSTAMP is UTC; a clock fixed with --now is taken as it is, so a test gets the same file.
DateTime utcNow(const CliContext& c) {
    if (c.clock.fixed) return *c.clock.fixed;
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    if (gmtime_r(&t, &tm) == nullptr) return c.clock.now();
    return DateTime::of(Date::serial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), tm.tm_hour,
                        tm.tm_min, tm.tm_sec);
}

int exportEvents(CliContext& c, const ExportArgs& a) {
    EventsSession s(c);
    if (!s.load()) return kExitFailure;
    ical::ExportOptions o;
    o.holidays = a.holidays;
    o.fromYear = a.fromYear;
    o.toYear = a.toYear;
    o.stampUtc = utcNow(c);
    const ical::ExportResult r = ical::exportCalendar(s.table, o);
    if (!saveFileAtomic(a.file, r.text)) return c.fail("cannot write " + a.file);
    if (c.json) {
        *c.out << "{\"events\":" << r.events << ",\"holidays\":" << r.holidays
               << ",\"file\":" << jsonString(a.file) << "}\n";
    } else {
        *c.out << r.events + r.holidays << '\n';
    }
    return kExitOk;
}

int printReport(CliContext& c, const ical::ImportReport& r) {
    if (c.json) {
        *c.out << ical::importReportJson(r) << '\n';
    } else {
        *c.out << plainText(ical::importReportText(r, c.strings())) << '\n';
    }
    return r.errors.empty() ? kExitOk : kExitFailure;
}

// "tempovirens-ical-report-PID-RANDOM" in the runtime folder, where the calendar may write.
std::string newReportFile() {
    std::random_device device;
    std::mt19937_64 random(device());
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random()));
    return handoverFolder() + std::string(kImportReportPrefix) + std::to_string(::getpid()) + "-" +
           hex;
}

int importEvents(CliContext& c, const ImportArgs& a) {
    ChangeRequest request;
    request.kind = ChangeKind::kImportCalendar;
    request.calendarFile = absolutePath(a.file);
    request.nearest = a.nearest;
    if (a.dryRun) {
        // Nothing changes: the file on disk is what the calendar holds, as every change saves.
        EventsSession s(c);
        if (!s.load()) return kExitFailure;
        std::string text;
        if (readWholeFile(request.calendarFile, text, kMaxCalendarFileBytes) != ReadResult::kOk) {
            return c.fail("cannot read " + a.file);
        }
        ical::ImportOptions o;
        o.dryRun = true;
        o.nearest = a.nearest;
        o.today = c.clock.now().date;
        o.strings = &c.strings();
        return printReport(c, ical::importCalendar(text, s.table, o));
    }
    const auto local = [&] {
        EventsSession s(c);
        if (!s.load()) return kExitFailure;
        ChangeRequest here = request;
        here.reportFile.clear();
        return printReport(c, importCalendarChange(s.table, here, s.environment()).report);
    };
    if (!handoverFolder().empty()) request.reportFile = newReportFile();
    return runChange(c, request, local, [&](const ChangeReply&) {
        std::string bytes;
        const bool read = readWholeFile(request.reportFile, bytes) == ReadResult::kOk;
        ::unlink(request.reportFile.c_str());
        const std::optional<ical::ImportReport> r =
            read ? ical::decodeImportReport(bytes) : std::nullopt;
        if (!r) return c.fail("the running calendar imported the file but left no report");
        return printReport(c, *r);
    });
}

int icalExportCommand(CliContext& c, const Arguments& o) {
    ExportArgs a;
    a.file = o.get("FILE");
    a.holidays = o.has("--holidays");
    const std::optional<int> from =
        o.has("--from") ? parseIntArg(o.get("--from")) : std::optional<int>();
    const std::optional<int> to = o.has("--to") ? parseIntArg(o.get("--to")) : std::optional<int>();
    const auto badYear = [](std::optional<int> y) { return y && (*y < 100 || *y > 9999); };
    if (o.has("--from") != o.has("--to") || (o.has("--from") && (!from || !to)) || badYear(from) ||
        badYear(to) || (from && *from > *to)) {
        return c.usage("--from and --to go together, a year from 100 to 9999 each, in order");
    }
    const int thisYear = c.clock.now().date.year();
    a.fromYear = from.value_or(thisYear);
    a.toYear = to.value_or(thisYear + kDefaultFeastYears - 1);
    return exportEvents(c, a);
}

int icalImportCommand(CliContext& c, const Arguments& o) {
    ImportArgs a;
    a.file = o.get("FILE");
    a.dryRun = o.has("--dry-run");
    a.nearest = o.has("--nearest");
    return importEvents(c, a);
}

void describeIcal(CommandTree& t) {
    CLI::App& ical = t.group("ical", "your events in and out as iCalendar (.ics) files");
    ical.footer(
        "While the calendar runs, import hands the file to it; it saves once and redraws, or "
        "imports nothing.");

    CLI::App& out = t.add("export", "writes your events into an .ics file for other calendars",
                          icalExportCommand, &ical);
    addOption(out, "FILE", "the .ics file to write")->required();
    addFlag(out, "--holidays", "the holidays too; movable feasts as dates of each year");
    addOption(out, "--from", "movable feasts from this year (default: this year)")
        ->type_name("YEAR");
    addOption(out, "--to", "movable feasts up to this year (default: nine years on)")
        ->type_name("YEAR");
    t.reads(out, "--json");

    CLI::App& in = t.add("import",
                         "adds the events of an .ics file; prints what it took, what the table "
                         "has already and what it left out, with the reason",
                         icalImportCommand, &ical);
    addOption(in, "FILE", "the .ics file to read")->required();
    addFlag(in, "--dry-run", "only reports what an import would do");
    addFlag(in, "--nearest", "takes the nearest form of what the calendar cannot hold exactly");
    t.reads(in, "--json");
    t.reads(in, "--today");
}

}  // namespace

const CommandRegistration kIcal{describeIcal};

}  // namespace tv::cli
