// Calendar arithmetic from the command line: Easter, the movable feasts, week numbers and the
// elapsed-time phrase.
#include <CLI/CLI.hpp>
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

int easterCommand(CliContext& c, const Arguments& a) {
    auto year = yearArg(a.get("YEAR"));
    if (!year) return c.usage("100..9999");
    EasterCache cache;
    Date d = cache.easterSunday(*year);
    if (c.json) {
        *c.out << "{\"year\":" << *year << ",\"date\":" << jsonString(isoDate(d)) << "}\n";
    } else {
        *c.out << isoDate(d) << '\n';
    }
    return kExitOk;
}

int feastCommand(CliContext& c, const Arguments& a) {
    const std::string name = a.get("NAME");
    auto year = yearArg(a.get("YEAR"));
    if (!year) return c.usage("100..9999");
    EasterCache cache;
    Date d = feastDate(name, *year, cache);
    if (d.isZero()) {
        return c.fail(
            "unknown feast '" + name +
            "' (advent1..advent4, motherday, kidsday, goodfriday, easter, eastermonday, whitsun, "
            "whitsunmonday)");
    }
    if (c.json) {
        *c.out << "{\"feast\":" << jsonString(name) << ",\"year\":" << *year
               << ",\"date\":" << jsonString(isoDate(d)) << "}\n";
    } else {
        *c.out << isoDate(d) << '\n';
    }
    return kExitOk;
}

int weekCommand(CliContext& c, const Arguments& a) {
    auto d = parseIsoDateArg(a.get("YYYY-MM-DD"));
    if (!d) return c.usage("a valid date, years 100..9999");
    int week = weekNumber(*d);
    if (c.json) {
        *c.out << "{\"date\":" << jsonString(isoDate(*d)) << ",\"week\":" << week << "}\n";
    } else {
        *c.out << week << '\n';
    }
    return kExitOk;
}

int sinceCommand(CliContext& c, const Arguments& args) {
    const std::string a = args.get("YYYY-MM-DD");
    // The parts go in as texts: the phrase itself says when they do not make a date.
    if (a.size() < 5 || a.find('-') == std::string::npos) return c.usage();
    size_t p1 = a.find('-');
    size_t p2 = a.find('-', p1 + 1);
    if (p2 == std::string::npos) return c.usage();
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

void describeCalc(CommandTree& t) {
    addOption(t.add("easter", "the date of Easter Sunday", easterCommand), "YEAR",
              "a year from 100 to 9999 (Julian before 1583)")
        ->required();
    CLI::App& feast = t.add("feast", "the date of a movable feast", feastCommand);
    addOption(feast, "NAME",
              "advent1..advent4, motherday, kidsday, goodfriday, easter, eastermonday, "
              "whitsun, whitsunmonday (any case)")
        ->required();
    addOption(feast, "YEAR", "a year from 100 to 9999")->required();
    addOption(t.add("week", "the week number of a day, by the calendar's own rule (not ISO)",
                    weekCommand),
              "YYYY-MM-DD", "the day")
        ->required();
    CLI::App& since = t.add("since", "the time passed since a day, in Hungarian", sinceCommand);
    addOption(since, "YYYY-MM-DD", "the day it is counted from")->required();
    t.reads(since, "--today");
}

}  // namespace

const CommandRegistration kCalc{describeCalc};

}  // namespace tv::cli
