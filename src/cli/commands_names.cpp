// Name days, today's sentence, the name search and the wisdom of the day from the command line.
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

constexpr std::string_view kNamesUsage =
    "names day MM-DD [--year Y] | names today | names search NAME [--list] | "
    "names describe NAME";

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

int namesDay(CliContext& c, const std::vector<std::string>& args) {
    constexpr std::string_view kUsage = "names day MM-DD [--year Y]";
    int month = 0;
    int day = 0;
    std::optional<int> year = c.clock.now().date.year();
    if (args.size() != 2 && args.size() != 4) return c.usage(kUsage);
    if (!parseMonthDay(args[1], month, day)) return c.usage(kUsage);
    if (args.size() == 4) {
        if (args[2] != "--year") return c.usage(kUsage);
        year = parseIntArg(args[3]);
        if (!year || *year < 100 || *year > 9999) return c.usage(kUsage);
    }
    if (!Date::fromYmd(*year, month, day))
        return c.usage("names day MM-DD [--year Y] (a day of that year)");
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

int namesToday(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 1) return c.usage("names today [--today YYYY-MM-DD]");
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

int namesSearch(CliContext& c, const std::vector<std::string>& args) {
    constexpr std::string_view kUsage = "names search NAME [--list]";
    std::string name;
    bool list = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--list") {
            list = true;
        } else if (name.empty() && !args[i].empty()) {
            name = args[i];
        } else {
            return c.usage(kUsage);
        }
    }
    if (name.empty()) return c.usage(kUsage);

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

int namesDescribe(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 2 || args[1].empty()) return c.usage("names describe NAME");
    std::string text;
    if (!readNameFile(nameFilesIn(c.paths.programDir).descriptions, text)) {
        return c.fail(c.strings().formatString("com_err_notfound", kDescrMissingName));
    }
    // The name as the list shows it: the same name in any case, or else with accents folded.
    const std::vector<std::string> names = describedNames(text);
    const std::string wanted = lowerName(args[1]);
    const std::string key = nameSearchKey(args[1]);
    int index = -1;
    for (size_t i = 0; i < names.size() && index < 0; ++i) {
        if (lowerName(names[i]) == wanted) index = static_cast<int>(i);
    }
    for (size_t i = 0; i < names.size() && index < 0; ++i) {
        if (nameSearchKey(names[i]) == key) index = static_cast<int>(i);
    }
    std::optional<std::string> description;
    if (index >= 0) description = describeName(text, names[static_cast<size_t>(index)]);
    if (!description) return c.fail("no description of '" + args[1] + "'");

    if (c.json) {
        *c.out << "{\"name\":" << jsonString(names[static_cast<size_t>(index)])
               << ",\"text\":" << jsonString(plainText(*description)) << "}\n";
    } else {
        *c.out << plainText(*description);
    }
    return kExitOk;
}

}  // namespace

static int namesCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.empty()) return c.usage(kNamesUsage);
    if (args[0] == "day") return namesDay(c, args);
    if (args[0] == "today") return namesToday(c, args);
    if (args[0] == "search") return namesSearch(c, args);
    if (args[0] == "describe") return namesDescribe(c, args);
    return c.usage(kNamesUsage);
}

static int wisdomCommand(CliContext& c, const std::vector<std::string>& args) {
    if (!args.empty()) return c.usage("wisdom [--today YYYY-MM-DD]");
    if (!createFolderPath(c.paths.userDataDir)) {
        return c.fail("cannot create the user data folder '" + c.paths.userDataDir + "'");
    }
    // A running calendar keeps the marks of its own round of sayings.
    WriteAccess access(c);
    const bool record = mayWriteHere(c, access);
    HashTable settings = userSettings(c);
    EventDbContext db;
    db.userDataDir = c.paths.userDataDir;
    db.clock = &c.clock;
    db.strings = &c.strings();
    db.settings = &settings;
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

const CommandRegistration kNames{{"names", kNamesUsage, namesCommand}};
const CommandRegistration kWisdom{{"wisdom", "wisdom [--today YYYY-MM-DD]", wisdomCommand}};

}  // namespace tv::cli
