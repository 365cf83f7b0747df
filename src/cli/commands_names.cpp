// Name days, today's sentence, the name search and the wisdom of the day from the command line.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/calc/today.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/events/event_database.h"
#include "core/names/name_search.h"
#include "core/names/name_table.h"
#include "core/names/random_source.h"
#include "core/names/today_text.h"
#include "core/names/wisdom.h"

namespace tv::cli {
namespace {

std::string twoDigits(int v) {
    return (v < 10 ? "0" : "") + std::to_string(v);
}

// "MM-DD" (one or two digits each).
bool parseMonthDay(std::string_view text, int& month, int& day) {
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) return false;
    const std::string_view m = text.substr(0, dash);
    const std::string_view d = text.substr(dash + 1);
    if (m.empty() || m.size() > 2 || d.empty() || d.size() > 2) return false;
    auto mv = parseIntArg(m);
    auto dv = parseIntArg(d);
    if (!mv || !dv || *mv < 1 || *mv > 12 || *dv < 1) return false;
    month = *mv;
    day = *dv;
    return true;
}

// The user's own settings decide what today's sentence holds; the command never writes them.
HashTable userSettings(const CliContext& c) {
    HashTable settings;
    const std::string path = c.paths.userDataDir + "settings.cfg";
    if (fileExists(path)) readConfig(settings, path);
    return settings;
}

int namesDay(CliContext& c, const Arguments& a) {
    int month = 0;
    int day = 0;
    std::optional<int> year = c.clock.now().date.year();
    if (!parseMonthDay(a.get("MM-DD"), month, day)) return c.usage();
    if (a.has("--year")) {
        year = parseIntArg(a.get("--year"));
        if (!year || *year < 100 || *year > 9999) return c.usage();
    }
    if (!Date::fromYmd(*year, month, day)) return c.usage("a day of that year");
    NameTable table;
    if (!table.load(c.paths.programDir)) {
        return c.fail("the name-day table '" + std::string(NameTable::kRelativePath) +
                      "' is missing");
    }
    const std::string names = namesOfDate(table, *year, month, day, c.strings());
    if (c.json) {
        const bool leap = nameTableIndex(*year, month, day) == kNameTableLeapDay;
        *c.out << "{\"year\":" << *year
               << ",\"date\":" << jsonString(twoDigits(month) + "-" + twoDigits(day))
               << ",\"leapDay\":" << (leap ? "true" : "false") << ",\"names\":" << jsonString(names)
               << "}\n";
    } else {
        *c.out << names << '\n';
    }
    return kExitOk;
}

int namesToday(CliContext& c, const Arguments&) {
    TodayState today;
    setTodayState(today, c.clock.now(), c.strings());
    NameTable table;
    table.load(c.paths.programDir);  // a missing file leaves the names empty, as on screen
    HashTable settings = userSettings(c);
    const std::string tagged = buildTodayText(today, settings, c.strings(), table);
    const std::string plain = plainText(plainTodayText(tagged));
    if (c.json) {
        *c.out << "{\"date\":" << jsonString(isoDate(today.currentDay))
               << ",\"text\":" << jsonString(plain) << ",\"tagged\":" << jsonString(tagged)
               << "}\n";
    } else {
        *c.out << plain << '\n';
    }
    return kExitOk;
}

int namesSearch(CliContext& c, const Arguments& a) {
    const std::string name = a.get("NAME");
    const bool list = a.has("--list");
    if (name.empty()) return c.usage();

    const NameFiles files = nameFilesIn(c.paths.programDir);
    NameSearchResults found;
    if (list) {
        std::string text;
        if (!readNameFile(files.nameList, text)) {
            return c.fail("the name list '" + std::string(kNameListRelativePath) + "' is missing");
        }
        found = searchNameListText(text, name);
    } else {
        NameTable table;
        // As the window does: without the day table the big list answers.
        if (table.load(c.paths.programDir)) {
            found = searchDayTable(table, name);
        } else {
            std::string text;
            if (!readNameFile(files.nameList, text)) return c.fail("no name database found");
            found = searchNameListText(text, name);
        }
    }
    if (found.days.empty()) return c.fail(c.strings().getString("name_noname"));

    if (c.json) {
        *c.out << "{\"name\":" << jsonString(found.name) << ",\"days\":[";
        for (size_t i = 0; i < found.days.size(); ++i) {
            const NameDayResult& r = found.days[i];
            *c.out << (i > 0 ? "," : "")
                   << "{\"date\":" << jsonString(twoDigits(r.month) + "-" + twoDigits(r.day))
                   << ",\"name\":" << jsonString(r.name)
                   << ",\"main\":" << (r.mainDay ? "true" : "false") << "}";
        }
        *c.out << "]}\n";
        return kExitOk;
    }
    std::string out;
    for (const NameDayResult& r : found.days) {
        out += twoDigits(r.month) + "-" + twoDigits(r.day) + "\t" + r.name;
        if (r.mainDay) out += "\tmain";
        out += '\n';
    }
    *c.out << out;
    return kExitOk;
}

int namesDescribe(CliContext& c, const Arguments& a) {
    const std::string asked = a.get("NAME");
    if (asked.empty()) return c.usage();
    std::string text;
    if (!readNameFile(nameFilesIn(c.paths.programDir).descriptions, text)) {
        return c.fail(c.strings().formatString("com_err_notfound", kDescrMissingName));
    }
    // The name as the list shows it: the same name in any case, or else with accents folded.
    const std::vector<std::string> names = describedNames(text);
    const std::string wanted = lowerName(asked);
    const std::string key = nameSearchKey(asked);
    int index = -1;
    for (size_t i = 0; i < names.size() && index < 0; ++i) {
        if (lowerName(names[i]) == wanted) index = static_cast<int>(i);
    }
    for (size_t i = 0; i < names.size() && index < 0; ++i) {
        if (nameSearchKey(names[i]) == key) index = static_cast<int>(i);
    }
    std::optional<std::string> description;
    if (index >= 0) description = describeName(text, names[static_cast<size_t>(index)]);
    if (!description) return c.fail("no description of '" + asked + "'");

    if (c.json) {
        *c.out << "{\"name\":" << jsonString(names[static_cast<size_t>(index)])
               << ",\"text\":" << jsonString(plainText(*description)) << "}\n";
    } else {
        *c.out << plainText(*description);
    }
    return kExitOk;
}

int wisdomCommand(CliContext& c, const Arguments&) {
    if (!createFolderPath(c.paths.userDataDir)) {
        return c.fail("cannot create the user data folder '" + c.paths.userDataDir + "'");
    }
    // A running calendar keeps the marks of its own round of sayings.
    WriteAccess access(c);
    const bool record = mayWriteHere(c, access);
    HashTable settings = userSettings(c);
    const EventDbContext db =
        eventDbContextFor(c.paths.userDataDir, c.clock, c.strings(), settings);
    EventTable table;
    if (!loadEventDatabase(table, db)) return c.fail("events.cdb cannot be read");

    RandomSource random(clockSeed(c.clock));
    const WisdomChoice choice =
        chooseWisdom(c.paths.programDir, table.wisdomMarks(), random, nullptr);
    if (!choice.opened) return c.fail(kWisdomOpenError);
    if (choice.entry == 0) return c.fail("the wisdom file holds no sayings");
    if (!record) {
        *c.err << kNotRecorded << '\n';
    } else if (!saveEventDatabase(table, db)) {
        return c.fail("events.cdb could not be saved");
    }

    const WisdomParts parts = splitWisdom(choice.text);
    if (c.json) {
        *c.out << "{\"entry\":" << choice.entry << ",\"saying\":" << jsonString(parts.saying)
               << ",\"author\":" << jsonString(parts.author) << "}\n";
    } else {
        *c.out << parts.saying << '\t' << parts.author << '\n';
    }
    return kExitOk;
}

void describeNames(CommandTree& t) {
    CLI::App& names = t.group("names", "name days");
    CLI::App& day = t.add("day", "the names of a day", namesDay, &names);
    addOption(day, "MM-DD", "the month and the day")->required();
    addOption(day, "--year", "the year, for the leap day's shifted names (default: this year)")
        ->type_name("Y");
    CLI::App& today =
        t.add("today", "today's date, week and names, as the page's first line says them",
              namesToday, &names);
    t.reads(today, "--today");
    CLI::App& search = t.add("search", "the name days of a name", namesSearch, &names);
    addOption(search, "NAME", "the name; accents and case may differ")->required();
    addFlag(search, "--list", "search the big name list instead of the day table");
    addOption(t.add("describe", "what a name means and where it comes from", namesDescribe, &names),
              "NAME", "the name")
        ->required();

    CLI::App& wisdom =
        t.add("wisdom", "the saying of the day, chosen as the calendar chooses it", wisdomCommand);
    wisdom.footer(
        "The choice advances the round of sayings in events.cdb, unless a calendar runs: it "
        "keeps its own round.");
    t.reads(wisdom, "--today");
}

}  // namespace

const CommandRegistration kNames{describeNames};

}  // namespace tv::cli
