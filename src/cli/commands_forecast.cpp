// The user's events seen from today, from the command line: the forecast with the missed events,
// a month's day fields, and the alarms still ahead. They read the user data folder's
// "events.cdb" and "settings.cfg" as the calendar does at start, and write nothing back.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.h"
#include "core/app/app_contexts.h"
#include "core/calc/calendar.h"
#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/calc/today.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/config/settings_keys.h"
#include "core/events/alarms.h"
#include "core/events/event_database.h"
#include "core/events/forecast.h"
#include "core/events/month_events.h"
#include "core/events/occurrence.h"
#include "core/names/name_table.h"
#include "core/ports/message_box.h"

namespace tv::cli {
namespace {

// Questions have nobody to answer them: they go to stderr. An unknown file version is answered
// Yes (run with an empty table), which leaves the file on disk untouched, and the command fails.
class CliMessageBox : public MessageBox {
public:
    explicit CliMessageBox(std::ostream& err) : err_(err) {}
    MessageAnswer show(const MessageRequest& r) override {
        err_ << "tempovirens-cli: " << r.title << ": " << plainText(r.text) << '\n';
        if (r.buttons != MessageButtons::kYesNo) return MessageAnswer::kOk;
        refused = true;
        return MessageAnswer::kYes;
    }
    bool refused = false;

private:
    std::ostream& err_;
};

struct UserData {
    EventTable table;
    HashTable settings;
};

// Loads settings.cfg (when there is one) and events.cdb. A first run builds the fresh table
// with the holidays and saves it, as the calendar itself would.
bool loadUserData(CliContext& c, UserData& data) {
    const std::string& dir = c.paths.userDataDir;
    const std::string settingsPath = dir + "settings.cfg";
    if (fileExists(settingsPath)) readConfig(data.settings, settingsPath);
    createFolderPath(dir);
    CliMessageBox box(*c.err);
    const EventDbContext ctx = eventDbContextFor(dir, c.clock, c.strings(), data.settings, &box);
    if (!loadEventDatabase(data.table, ctx) || box.refused) {
        c.fail("'" + dir + std::string(kEventDbName) + "' could not be loaded");
        return false;
    }
    return true;
}

// Days from the last run to today, as the start-up check would count them now: the stored
// LastRunToday is the last run unless it is today, in which case LastRun is.
int daysSinceLastRun(HashTable& settings, Date today) {
    Date last = parseDate(settings.item(settings::LastRunToday.key));
    if (last == today) last = parseDate(settings.item(settings::LastRun.key));
    if (last.isZero() || last == today) return 1;
    return daysBetween(last, today);
}

const char* jsonBool(bool b) {
    return b ? "true" : "false";
}

void printForecastPlain(CliContext& c, UserData& data, const EventLists& lists, Date today) {
    auto block = [&](auto belongs) {
        for (const ForecastEntry& f : lists.forecast) {
            if (belongs(f)) *c.out << plainText(f.text) << '\n';
        }
    };
    auto holidays = [](const ForecastEntry& f) { return f.daysUntil == 0 && f.isHoliday; };
    auto own = [](const ForecastEntry& f) { return f.daysUntil == 0 && !f.isHoliday; };
    auto coming = [](const ForecastEntry& f) { return f.daysUntil >= 1; };
    // The two layouts of the main screen.
    if (readInt(data.settings, settings::M_AlignType) == 1) {
        block(holidays);
        block(own);
        block(coming);
    } else {
        block(coming);
        block(own);
        std::string caption;
        for (const ForecastEntry& f : lists.forecast) {
            if (!holidays(f)) continue;
            if (!caption.empty()) caption += c.strings().getString("main_d_and");
            caption += f.text;
        }
        if (!caption.empty()) *c.out << plainText(caption) << '\n';
    }
    if (lists.missed.empty()) return;
    *c.out << '\n';
    for (const MissedEntry& m : lists.missed) {
        *c.out << missedEventLine(m, data.table, today, c.strings()) << '\n';
    }
}

void printForecastJson(CliContext& c, UserData& data, const EventLists& lists, Date today) {
    *c.out << "{\"forecast\":[";
    for (size_t i = 0; i < lists.forecast.size(); ++i) {
        const ForecastEntry& f = lists.forecast[i];
        *c.out << (i > 0 ? "," : "") << "{\"text\":" << jsonString(f.text)
               << ",\"daysUntil\":" << f.daysUntil << ",\"isHoliday\":" << jsonBool(f.isHoliday)
               << ",\"hasAlarm\":" << jsonBool(f.hasAlarm)
               << ",\"sortKey\":" << jsonString(f.sortKey) << "}";
    }
    *c.out << "],\"missed\":[";
    for (size_t i = 0; i < lists.missed.size(); ++i) {
        const MissedEntry& m = lists.missed[i];
        *c.out << (i > 0 ? "," : "") << "{\"slot\":" << m.slot << ",\"daysSince\":" << m.daysSince
               << ",\"name\":" << jsonString(data.table[m.slot].name)
               << ",\"line\":" << jsonString(missedEventLine(m, data.table, today, c.strings()))
               << "}";
    }
    *c.out << "]}\n";
}

bool buildLists(CliContext& c, UserData& data, std::optional<Date> lastRun, EventLists& lists) {
    if (!loadUserData(c, data)) return false;
    const DateTime now = c.clock.now();
    EventCheckContext ctx;
    ctx.now = now;
    ctx.daysSinceLastRun = lastRun ? (*lastRun == now.date ? 1 : daysBetween(*lastRun, now.date))
                                   : daysSinceLastRun(data.settings, now.date);
    ctx.settings = &data.settings;
    ctx.strings = &c.strings();
    ctx.programDir = c.paths.programDir;
    checkEvents(data.table, ctx, lists);
    return true;
}

int forecastCommand(CliContext& c, const Arguments& a) {
    std::optional<Date> lastRun;
    if (a.has("--last-run")) {
        lastRun = parseIsoDateArg(a.get("--last-run"));
        if (!lastRun) return c.usage();
    }
    UserData data;
    EventLists lists;
    if (!buildLists(c, data, lastRun, lists)) return kExitFailure;
    const Date today = c.clock.now().date;
    if (c.json) {
        printForecastJson(c, data, lists, today);
    } else {
        printForecastPlain(c, data, lists, today);
    }
    return kExitOk;
}

int alarmsCommand(CliContext& c, const Arguments&) {
    UserData data;
    EventLists lists;
    if (!buildLists(c, data, std::nullopt, lists)) return kExitFailure;
    if (c.json) *c.out << "{\"alarms\":[";
    for (size_t i = 0; i < lists.alarms.size(); ++i) {
        const AlarmEntry& a = lists.alarms[i];
        const std::string date = isoDate(a.date());
        if (c.json) {
            *c.out << (i > 0 ? "," : "") << "{\"slot\":" << a.slot
                   << ",\"name\":" << jsonString(a.name) << ",\"comment\":" << jsonString(a.comment)
                   << ",\"date\":" << jsonString(date) << ",\"hour\":" << a.hour
                   << ",\"minute\":" << a.minute << ",\"passed\":" << jsonBool(a.passed) << "}";
        } else {
            *c.out << date << ' ' << (a.hour < 10 ? "0" : "") << alarmTimeText(a.hour, a.minute)
                   << '\t' << plainText(a.name) << (a.passed ? "\tpassed" : "") << '\n';
        }
    }
    if (c.json) *c.out << "]}\n";
    return kExitOk;
}

std::optional<std::pair<int, int>> parseMonthArg(std::string_view text) {
    if (text.size() != 7 || text[4] != '-') return std::nullopt;
    auto y = parseIntArg(text.substr(0, 4));
    auto m = parseIntArg(text.substr(5, 2));
    if (!y || !m || *y < 100 || *m < 1 || *m > 12) return std::nullopt;
    return std::make_pair(*y, *m);
}

void printMonth(CliContext& c, const MonthEvents& m) {
    auto lineTexts = [&m](const DayCell& cell) {
        std::vector<std::string> texts;
        if (m.namesMode) {
            if (!cell.names.empty()) texts.push_back(cell.names);
        } else {
            for (const FieldLine& l : cell.lines)
                texts.push_back(l.text);
        }
        return texts;
    };
    if (c.json) *c.out << "{\"cells\":[";
    for (int k = 0; k < kDayCells; ++k) {
        const DayCell& cell = m.cells[static_cast<size_t>(k)];
        const std::vector<std::string> texts = lineTexts(cell);
        if (c.json) {
            *c.out << (k > 0 ? "," : "") << "{\"cell\":" << k << ",\"day\":" << cell.day
                   << ",\"inMonth\":" << jsonBool(cell.inMonth)
                   << ",\"userMark\":" << jsonBool(cell.userMark)
                   << ",\"holidayMark\":" << cell.holidayMark
                   << ",\"eventTotal\":" << cell.eventTotal << ",\"lines\":[";
            for (size_t i = 0; i < texts.size(); ++i) {
                *c.out << (i > 0 ? "," : "") << jsonString(texts[i]);
            }
            *c.out << "],\"tipText\":" << jsonString(cell.tipText) << "}";
        } else {
            *c.out << k << '\t' << cell.day << '\t' << cell.inMonth << '\t' << cell.userMark << '\t'
                   << cell.holidayMark << '\t' << cell.eventTotal << '\n';
            for (const std::string& t : texts)
                *c.out << '\t' << plainText(t) << '\n';
        }
    }
    if (c.json) *c.out << "],\"bands\":[";
    for (size_t i = 0; i < m.bands.size(); ++i) {
        const LongBand& b = m.bands[i];
        if (c.json) {
            *c.out << (i > 0 ? "," : "") << "{\"firstCell\":" << b.firstCell
                   << ",\"lastCell\":" << b.lastCell << ",\"startsHere\":" << jsonBool(b.startsHere)
                   << ",\"endsHere\":" << jsonBool(b.endsHere) << ",\"colour\":" << b.colour
                   << ",\"length\":" << b.length << "}";
        } else {
            *c.out << "band\t" << b.firstCell << '\t' << b.lastCell << '\t' << b.startsHere << '\t'
                   << b.endsHere << '\t' << b.colour << '\t' << b.length << '\n';
        }
    }
    if (c.json) *c.out << "]}\n";
}

int monthCommand(CliContext& c, const Arguments& a) {
    const std::optional<std::pair<int, int>> shown = parseMonthArg(a.get("YYYY-MM"));
    if (!shown) return c.usage();
    const bool names = a.has("--names");
    MonthSwitches switches;
    switches.showOneTime = !a.has("--hide-once");
    switches.showRepeating = !a.has("--hide-repeating");
    if (a.has("--next-only")) switches.repeatingNextOnly = true;

    UserData data;
    if (!loadUserData(c, data)) return kExitFailure;
    // The day fields follow the skin's own limits.
    HashTable theme;
    const std::string themePath =
        c.paths.programDir + "themes/" + read(data.settings, settings::Skin) + "/theme.cfg";
    if (fileExists(themePath)) readConfig(theme, themePath);
    // The option decides the field content, whatever the stored choice.
    write(data.settings, settings::Cal_Names, names ? "1" : "0");
    NameTable nameTable;
    if (names) nameTable.load(c.paths.programDir);

    TodayState today;
    setTodayState(today, c.clock.now(), c.strings());
    MonthContext ctx = monthContextFor(today, data.settings, c.strings(), nameTable);
    ctx.year = shown->first;
    ctx.month = shown->second;
    ctx.switches = switches;
    ctx.theme = readMonthTheme(&theme);
    MonthEvents month;
    buildMonthEvents(data.table, ctx, month);
    printMonth(c, month);
    return kExitOk;
}

void describeForecast(CommandTree& t) {
    CLI::App& forecast =
        t.add("forecast", "today's and the coming events, then the missed ones", forecastCommand);
    forecast.footer(
        "The lines of the main page's forecast in its order, then, after an empty line, the "
        "events that passed since the last run. Nothing is written back.");
    t.reads(forecast, "--today");
    t.reads(forecast, "--now");
    addOption(forecast, "--last-run",
              "count the missed events from this day instead of the last run")
        ->type_name("YYYY-MM-DD")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    t.reads(forecast, "--json");

    CLI::App& month =
        t.add("month", "the 42 day fields of a month, as its grid shows them", monthCommand);
    addOption(month, "YYYY-MM", "the month")->required();
    addFlag(month, "--names", "name days in the fields instead of events");
    addFlag(month, "--hide-once", "leave out one-off events");
    addFlag(month, "--hide-repeating", "leave out repeating events");
    addFlag(month, "--next-only", "a repeating event only on its next day");
    t.reads(month, "--json");

    CLI::App& alarms =
        t.add("alarms", "the alarms the calendar knows of now, with the ones already passed today",
              alarmsCommand);
    t.reads(alarms, "--now");
    t.reads(alarms, "--json");
}

}  // namespace

const CommandRegistration kForecast{describeForecast};

}  // namespace tv::cli
