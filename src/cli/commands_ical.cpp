// The user's events in and out as iCalendar (.ics) files, for other calendar programs. Export
// only reads "events.cdb"; an import is a change of the user's files and is handed to the
// running calendar when one runs, like every other change.
#include <unistd.h>

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

constexpr std::string_view kExportUsage = "ical export FILE [--holidays] [--from YEAR --to YEAR]";
constexpr std::string_view kImportUsage = "ical import FILE [--dry-run] [--nearest] [--json]";
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

std::optional<ExportArgs> exportArgs(CliContext& c, const std::vector<std::string>& args) {
    ExportArgs a;
    std::optional<int> from;
    std::optional<int> to;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--holidays") {
            a.holidays = true;
        } else if ((arg == "--from" || arg == "--to") && i + 1 < args.size()) {
            const auto year = parseIntArg(args[++i]);
            if (!year || *year < 100 || *year > 9999) return std::nullopt;
            (arg == "--from" ? from : to) = *year;
        } else if (!arg.starts_with("--") && a.file.empty()) {
            a.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (a.file.empty() || from.has_value() != to.has_value() || (from && *from > *to)) {
        return std::nullopt;
    }
    const int thisYear = c.clock.now().date.year();
    a.fromYear = from.value_or(thisYear);
    a.toYear = to.value_or(thisYear + kDefaultFeastYears - 1);
    return a;
}

std::optional<ImportArgs> importArgs(const std::vector<std::string>& args) {
    ImportArgs a;
    for (const std::string& arg : args) {
        if (arg == "--dry-run") {
            a.dryRun = true;
        } else if (arg == "--nearest") {
            a.nearest = true;
        } else if (!arg.starts_with("--") && a.file.empty()) {
            a.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (a.file.empty()) return std::nullopt;
    return a;
}

int icalCommand(CliContext& c, const std::vector<std::string>& args) {
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (!args.empty() && args[0] == "export") {
        const auto a = exportArgs(c, rest);
        return a ? exportEvents(c, *a) : c.usage(kExportUsage);
    }
    if (!args.empty() && args[0] == "import") {
        // --json is the tool's own option; accept it after the file too.
        std::vector<std::string> own;
        for (const std::string& arg : rest) {
            if (arg == "--json") {
                c.json = true;
            } else {
                own.push_back(arg);
            }
        }
        const auto a = importArgs(own);
        return a ? importEvents(c, *a) : c.usage(kImportUsage);
    }
    *c.err << "usage: tempovirens-cli " << kExportUsage << '\n';
    return c.usage(kImportUsage);
}

}  // namespace

const CommandRegistration kIcal{
    {"ical",
     "ical export FILE [--holidays] [--from YEAR --to YEAR] | ical import FILE "
     "[--dry-run] [--nearest] [--json]",
     icalCommand}};

}  // namespace tv::cli
