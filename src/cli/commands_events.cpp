// The user's events from the command line: list them as the event list window does, add one
// through the editor's checks, delete one. All three work on the user data folder's
// "events.cdb" exactly as the calendar does, so a script and the window never disagree; while a
// calendar runs, add and delete are handed to it, the only writer of the file.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <ostream>

#include "cli/calendar_handover.h"
#include "cli/cli_context.h"
#include "cli/events_session.h"
#include "core/app/change_apply.h"
#include "core/calc/files.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"
#include "core/events/event_database.h"
#include "core/events/windows/event_editor.h"
#include "core/events/windows/event_list.h"
#include "core/ports/message_box.h"

namespace tv::cli {
namespace {

bool allDigits(std::string_view s) {
    return !s.empty() && s.size() <= 9 &&
           std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// "A-B-C" or "A:B" as digit groups, kept as text: the editor's checks judge the numbers.
std::optional<std::vector<std::string>> digitGroups(std::string_view text, char sep, size_t count) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(sep, start);
        parts.emplace_back(text.substr(start, end - start));
        if (!allDigits(parts.back())) return std::nullopt;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (parts.size() != count) return std::nullopt;
    return parts;
}

std::optional<int> monthMaskArg(std::string_view text) {
    int mask = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(',', start), text.size());
        auto m = parseIntArg(text.substr(start, end - start));
        if (!m || *m < 1 || *m > 12) return std::nullopt;
        mask |= 1 << (*m - 1);
        start = end + 1;
    }
    return mask;
}

int eventsListCommand(CliContext& c, const Arguments& o) {
    const auto list = parseIntArg(o.get("--list", "0"));
    const std::string sort = o.get("--sort", "name");
    if (!list || *list < 0 || *list > 2 || (sort != "name" && sort != "date")) {
        return c.usage();
    }

    EventsSession s(c);
    if (!s.load()) return kExitFailure;
    // The filters the window was last closed with.
    EventListFilter filter = readListFilter(s.settings);
    filter.list = static_cast<EventListKind>(*list);
    filter.sort = sort == "date" ? EventSort::kByDate : EventSort::kByName;
    EventListContext ctx;
    ctx.today = c.clock.now().date;
    ctx.strings = &c.strings();
    const EventListView view = fillList(s.table, filter, ctx);

    if (c.json) {
        *c.out << '[';
        for (size_t i = 0; i < view.rows.size(); ++i) {
            const EventListRow& r = view.rows[i];
            *c.out << (i > 0 ? "," : "") << "{\"slot\":" << r.slot
                   << ",\"day\":" << jsonString(r.dayText) << ",\"name\":" << jsonString(r.nameText)
                   << ",\"age\":" << jsonString(r.ageText) << ",\"date\":" << jsonString(r.dateText)
                   << '}';
        }
        *c.out << "]\n";
    } else {
        for (const EventListRow& r : view.rows)
            *c.out << plainText(r.text) << '\n';
    }
    return kExitOk;
}

int eventsAddCommand(CliContext& c, const Arguments& o) {
    static constexpr std::string_view kKinds[] = {"once", "year", "month", "months"};
    const std::string repeat = o.get("--repeat", "once");
    const auto kindIt = std::find(std::begin(kKinds), std::end(kKinds), repeat);
    const auto date = digitGroups(o.get("--date"), '-', 3);
    const auto alarm = o.has("--alarm") ? digitGroups(o.get("--alarm"), ':', 2)
                                        : std::optional<std::vector<std::string>>();
    const auto mask = o.has("--months") ? monthMaskArg(o.get("--months")) : std::optional<int>();
    const int kind = static_cast<int>(kindIt - std::begin(kKinds));
    if (kindIt == std::end(kKinds) || !date || (o.has("--alarm") && !alarm) ||
        (o.has("--forecast") && !allDigits(o.get("--forecast"))) ||
        (o.has("--days") && (!allDigits(o.get("--days")) || kind != 0)) ||
        (o.has("--anniversary") && kind != 1) || (kind == 3) != o.has("--months") ||
        (o.has("--months") && !mask)) {
        return c.usage();
    }

    ChangeRequest request;
    request.kind = ChangeKind::kAddEvent;
    request.yes = o.has("--yes");
    NewEventFields& f = request.event;
    f.name = o.get("--name");
    f.comment = o.get("--comment");
    f.year = (*date)[0];
    f.month = (*date)[1];
    f.day = (*date)[2];
    f.repeatIndex = kind;
    f.anniversary = o.has("--anniversary");
    f.monthMask = mask.value_or(0);
    f.alarmOn = alarm.has_value();
    if (alarm) {
        f.alarmHour = (*alarm)[0];
        f.alarmMinute = (*alarm)[1];
    }
    if (o.has("--forecast")) f.forecast = o.get("--forecast");
    if (o.has("--days")) f.length = o.get("--days");

    const auto print = [&c](int slot, int list) {
        if (c.json) {
            *c.out << "{\"slot\":" << slot << ",\"list\":" << list << "}\n";
        } else {
            *c.out << slot << '\n';
        }
        return kExitOk;
    };
    const auto local = [&] {
        EventsSession s(c);
        if (!s.load()) return kExitFailure;
        const ChangeOutcome out = addEventChange(s.table, request, s.environment());
        printNotes(c, out.notes);
        if (!out.done) return kExitFailure;
        if (out.alarmsSwitchedOn && !writeConfig(s.settings, s.settingsPath())) {
            return c.fail("settings.cfg could not be written");
        }
        return print(out.slot, out.list);
    };
    return runChange(c, request, local, [&](const ChangeReply& reply) {
        int slot = -1;
        int list = -1;
        if (std::sscanf(reply.result.c_str(), "%d %d", &slot, &list) != 2) {
            return c.fail("the running calendar's answer names no event");
        }
        return print(slot, list);
    });
}

int eventsDeleteCommand(CliContext& c, const Arguments& o) {
    const auto slot = parseIntArg(o.get("SLOT"));
    if (!slot) return c.usage();

    ChangeRequest request;
    request.kind = ChangeKind::kDeleteEvent;
    request.yes = o.has("--yes");
    request.slot = *slot;
    const auto print = [&c, slot = *slot] {
        if (c.json) *c.out << "{\"slot\":" << slot << "}\n";
        return kExitOk;
    };
    const auto local = [&] {
        EventsSession s(c);
        if (!s.load()) return kExitFailure;
        const ChangeOutcome out = deleteEventChange(s.table, request, s.environment());
        printNotes(c, out.notes);
        return out.done ? print() : kExitFailure;
    };
    return runChange(c, request, local, [&](const ChangeReply&) { return print(); });
}

void describeEvents(CommandTree& t) {
    CLI::App& events = t.group("events", "your events, in the user data folder's events.cdb");
    events.footer(
        "While the calendar runs, add and delete hand the change to it; it saves and redraws at "
        "once, or says why not.");

    CLI::App& list = t.add("list", "your events as the event list window shows them",
                           eventsListCommand, &events);
    addOption(list, "--list", "0 repeating events (the default), 1 one-off events, 2 holidays")
        ->type_name("0|1|2");
    addOption(list, "--sort", "by name (the default) or by the next date")->type_name("name|date");
    t.reads(list, "--json");

    CLI::App& add = t.add("add", "adds an event, with the event editor's checks; prints its slot",
                          eventsAddCommand, &events);
    addOption(add, "--name", "the event's name")->required()->type_name("TEXT");
    addOption(add, "--date", "its (first) day")->required()->type_name("YYYY-MM-DD");
    addOption(add, "--repeat", "once (the default), every year, every month, in chosen months")
        ->type_name("once|year|month|months");
    addOption(add, "--months", "the months of --repeat months, as numbers 1 to 12")
        ->type_name("1,12");
    addFlag(add, "--anniversary", "a yearly event that counts the years (birthdays)");
    addOption(add, "--alarm", "rings an alarm at this time of the day")->type_name("HH:MM");
    addOption(add, "--forecast", "announces it this many days ahead")->type_name("DAYS");
    addOption(add, "--days", "a one-off event that lasts this many days")->type_name("N");
    addOption(add, "--comment", "a comment shown with it")->type_name("TEXT");
    addFlag(add, "--yes",
            "saves a day in the past as it is and switches the alarms on when they are off");

    CLI::App& remove = t.add("delete", "deletes an event", eventsDeleteCommand, &events);
    addOption(remove, "SLOT", "its slot, as events list --json shows it")->required();
    addFlag(remove, "--yes", "deletes without asking, as the list's confirmation would");
}

}  // namespace

const CommandRegistration kEvents{describeEvents};

}  // namespace tv::cli
