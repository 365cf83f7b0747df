// Calendar arithmetic from the command line: Easter, the movable feasts, week numbers and the
// elapsed-time phrase.
#include <ostream>

#include "cli/cli_context.h"
#include "core/calc/calendar.h"
#include "core/calc/text_format.h"

namespace tv::cli {
namespace {

std::optional<int> yearArg(std::string_view text) {
    auto y = parseIntArg(text);
    if (!y || *y < 100 || *y > 9999) return std::nullopt;
    return y;
}

}  // namespace

static int easterCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 1) return c.usage("easter YEAR");
    auto year = yearArg(args[0]);
    if (!year) return c.usage("easter YEAR (100..9999)");
    EasterCache cache;
    Date d = cache.easterSunday(*year);
    if (c.json) {
        *c.out << "{\"year\":" << *year << ",\"date\":" << jsonString(isoDate(d)) << "}\n";
    } else {
        *c.out << isoDate(d) << '\n';
    }
    return kExitOk;
}

static int feastCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 2) return c.usage("feast NAME YEAR");
    auto year = yearArg(args[1]);
    if (!year) return c.usage("feast NAME YEAR (100..9999)");
    EasterCache cache;
    Date d = feastDate(args[0], *year, cache);
    if (d.isZero()) {
        return c.fail(
            "unknown feast '" + args[0] +
            "' (advent1..advent4, motherday, kidsday, goodfriday, easter, eastermonday, whitsun, "
            "whitsunmonday)");
    }
    if (c.json) {
        *c.out << "{\"feast\":" << jsonString(args[0]) << ",\"year\":" << *year
               << ",\"date\":" << jsonString(isoDate(d)) << "}\n";
    } else {
        *c.out << isoDate(d) << '\n';
    }
    return kExitOk;
}

static int weekCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 1) return c.usage("week YYYY-MM-DD");
    auto d = parseIsoDateArg(args[0]);
    if (!d) return c.usage("week YYYY-MM-DD (a valid date, years 100..9999)");
    int week = weekNumber(*d);
    if (c.json) {
        *c.out << "{\"date\":" << jsonString(isoDate(*d)) << ",\"week\":" << week << "}\n";
    } else {
        *c.out << week << '\n';
    }
    return kExitOk;
}

static int sinceCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 1) return c.usage("since YYYY-MM-DD [--today YYYY-MM-DD]");
    const std::string& a = args[0];
    // The parts go in as texts: the phrase itself says when they do not make a date.
    if (a.size() < 5 || a.find('-') == std::string::npos) {
        return c.usage("since YYYY-MM-DD [--today YYYY-MM-DD]");
    }
    size_t p1 = a.find('-');
    size_t p2 = a.find('-', p1 + 1);
    if (p2 == std::string::npos) return c.usage("since YYYY-MM-DD [--today YYYY-MM-DD]");
    std::string text = timeSpentSince(a.substr(0, p1), a.substr(p1 + 1, p2 - p1 - 1),
                                      a.substr(p2 + 1), c.clock.now().date, c.strings());
    if (c.json) {
        *c.out << "{\"since\":" << jsonString(a)
               << ",\"today\":" << jsonString(isoDate(c.clock.now().date))
               << ",\"text\":" << jsonString(text) << "}\n";
    } else {
        *c.out << plainText(text) << '\n';
    }
    return kExitOk;
}

const CommandRegistration kEaster{{"easter", "easter YEAR", easterCommand}};
const CommandRegistration kFeast{{"feast", "feast NAME YEAR", feastCommand}};
const CommandRegistration kWeek{{"week", "week YYYY-MM-DD", weekCommand}};
const CommandRegistration kSince{{"since", "since YYYY-MM-DD [--today YYYY-MM-DD]", sinceCommand}};

}  // namespace tv::cli
