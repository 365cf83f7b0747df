#include "core/names/today_text.h"

#include "core/calc/calendar.h"
#include "core/calc/today.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/names/name_table.h"

namespace tv {
namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// The user chooses per part whether its marked run is highlighted or shown plain.
void applyHighlight(std::string& text, std::string_view open, std::string_view close, bool on) {
    replaceAll(text, open, on ? "<r>" : "");
    replaceAll(text, close, on ? "</r>" : "");
}

// A name template with its line filled in. The names go in even when empty: a missing name file
// must leave an empty name, not the bare placeholder.
std::string namePart(const StringTable& strings, std::string_view key, const NameTable& names,
                     int slot) {
    std::string text = strings.formatString(key);
    replaceAll(text, "$1", names.line(slot));
    return text;
}

}  // namespace

std::string buildTodayText(const TodayState& today, HashTable& settings, const StringTable& strings,
                           const NameTable& names) {
    const int showName = readInt(settings, settings::Today_Name);
    const bool nameHL = readFlag(settings, settings::Today_NameHL);
    const int showNextName = readInt(settings, settings::Today_NextName);
    const bool nextNameHL = readFlag(settings, settings::Today_NextNameHL);
    const bool showDay = readFlag(settings, settings::Today_Day);
    const bool showWeek = readFlag(settings, settings::Today_Week);
    const bool dayHL = readFlag(settings, settings::Today_DayHL);
    const bool weekHL = readFlag(settings, settings::Today_WeekHL);

    const Date date = Date::serial(today.year, today.month, today.day);
    const int dayOfYear = Date::serial(today.year, 1, 1).daysUntil(date) + 1;

    std::string todayPart;
    if (showName == 1) {
        const int slot = nameTableIndex(today.year, today.month, today.day);
        todayPart = slot == kNameTableLeapDay ? strings.formatString("main_t_nameleak")
                                              : namePart(strings, "main_t_name", names, slot);
        applyHighlight(todayPart, "<mn>", "</mn>", nameHL);
    }

    std::string tomorrowPart;
    if (showNextName == 1) {
        // Without today's names the clause still needs its verb before tomorrow's.
        if (showName == 0) todayPart = strings.formatString("main_t_now");
        const Date tomorrow = date.addDays(1);
        const Ymd t = tomorrow.ymd();
        const int slot = nameTableIndex(t.year, t.month, t.day);
        tomorrowPart = slot == kNameTableLeapDay ? strings.formatString("main_t_nnameleak")
                                                 : namePart(strings, "main_t_nname", names, slot);
        applyHighlight(tomorrowPart, "<mnn>", "</mnn>", nextNameHL);
    }

    std::string dayWeek;
    const std::string day = std::to_string(dayOfYear);
    if (showWeek) {
        const std::string week = std::to_string(weekNumber(date));
        dayWeek = showDay ? strings.formatString("main_t_dwmix", day, week)
                          : strings.formatString("main_t_week", week);
    } else if (showDay) {
        dayWeek = strings.formatString("main_t_day", day);
    }
    applyHighlight(dayWeek, "<md>", "</md>", dayHL);
    applyHighlight(dayWeek, "<mw>", "</mw>", weekHL);

    std::string text = strings.formatString("main_t_date", today.monthName(),
                                            std::to_string(today.day), today.dayName());
    text += dayWeek;
    text += todayPart;
    text += tomorrowPart;
    if (showName == 0 && showNextName == 0) text += strings.formatString("main_t_now");
    text += '.';
    return text;
}

std::string plainTodayText(std::string_view text) {
    std::string out(text);
    replaceAll(out, "<r>", "");
    replaceAll(out, "</r>", "");
    replaceAll(out, "|", " ");
    return out;
}

}  // namespace tv
