#include "core/events/forecast.h"

#include <algorithm>
#include <utility>

#include "core/calc/files.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/occurrence.h"

namespace tv {
namespace {

constexpr int kOnceYearMin = 0;
constexpr int kOnceYearMax = 2999;

void appendAtLeast(std::string& out, int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

const StringTable& stringsOf(const EventCheckContext& ctx) {
    static const StringTable kNone;
    return ctx.strings != nullptr ? *ctx.strings : kNone;
}

// Days of notice: the user's own number, or the holiday setting for holidays announced at all.
int announcementDays(const EventRecord& e, const ForecastOptions& options) {
    int w = 0;
    if (e.kind() == EventCategory::kHoliday || e.kind() == EventCategory::kFeast) {
        w = e.forecastDays != 0 ? options.ceremForecast : 0;
    } else {
        w = e.forecastDays;
    }
    return std::max(w, 0);  // a negative window would hide even today's entry
}

std::string withAlarmPrefix(const EventRecord& e, std::string text) {
    if (e.alarmOn == 0) return text;
    return alarmTimeText(e.alarmHour, e.alarmMinute) + " - " + text;
}

ForecastEntry upcomingEntry(const EventRecord& e, Date next, int daysUntil,
                            const ForecastOptions& options, const StringTable& strings) {
    std::string timeText = forecastTimeText(daysUntil, options.suffix, strings);
    if (countsYears(e)) {
        timeText = "(" + std::to_string(next.year() - e.year) + ") " + timeText;
    }
    ForecastEntry f;
    f.text = withAlarmPrefix(
        e, strings.formatString("main_d_forecast" + options.suffix, e.name, timeText));
    const Ymd ymd = next.ymd();
    appendAtLeast(f.sortKey, ymd.year, 2);
    appendAtLeast(f.sortKey, ymd.month, 2);
    appendAtLeast(f.sortKey, ymd.day, 2);
    f.sortKey += alarmSortPrefix(e);
    f.sortKey += e.name;
    return f;
}

ForecastEntry todayEntry(const EventRecord& e, Date next) {
    ForecastEntry f;
    std::string text = e.name;
    if (e.kind() == EventCategory::kUser && countsYears(e)) {
        text += " (" + std::to_string(next.year() - e.year) + ")";
    }
    f.text = withAlarmPrefix(e, std::move(text));
    f.sortKey = alarmSortPrefix(e) + e.name;
    return f;
}

}  // namespace

ForecastOptions readForecastOptions(HashTable* settings) {
    ForecastOptions o;
    if (settings == nullptr) return o;
    o.ceremForecast = readInt(*settings, settings::CeremForecast);
    o.suffix = read(*settings, settings::ForecastMode) == "1" ? "1" : "2";
    return o;
}

std::string forecastTimeText(int daysUntil, const std::string& suffix, const StringTable& strings) {
    if (daysUntil == 1) return strings.getString("main_d_tomorrow" + suffix);
    if (daysUntil == 2) return strings.getString("main_d_a_tomorrow" + suffix);
    const int weeks = daysUntil / 7;
    const int rest = daysUntil % 7;
    std::string duration;
    if (weeks == 0) {
        duration = strings.formatString("main_d_day", std::to_string(daysUntil));
    } else if (rest != 0) {
        duration = strings.formatString("main_d_wd", std::to_string(weeks), std::to_string(rest));
    } else {
        duration = strings.formatString("main_d_week", std::to_string(weeks));
    }
    return strings.formatString("main_d_still" + suffix, duration);
}

void classifyEvent(EventTable& table, int slot, const EventCheckContext& ctx,
                   const ForecastOptions& options, EasterCache& easter, EventLists& lists) {
    if (slot < 0 || slot >= table.slotCount()) return;
    EventRecord& e = table[slot];
    if (!e.used() || isSwitchedOffFeast(e)) return;
    if (e.repeatKind() == RepeatKind::kSelectedMonths && (e.month & 0xFFF) == 0) return;

    const Date today = ctx.now.date;
    const int window = announcementDays(e, options);
    Date next;
    Date previous;
    if (isMovableFeast(e)) {
        FeastOccurrence f = feastOccurrences(e, today, easter);
        if (f.next.isZero()) return;  // an unknown rule has no date to show
        const Ymd ymd = f.next.ymd();
        e.year = static_cast<int16_t>(ymd.year);
        e.month = static_cast<int16_t>(ymd.month);
        e.day = static_cast<uint8_t>(ymd.day);
        next = f.next;
        previous = f.previous;
    } else {
        if (e.repeatKind() == RepeatKind::kOnce) {
            e.year = static_cast<int16_t>(std::clamp<int>(e.year, kOnceYearMin, kOnceYearMax));
        }
        next = nextOccurrence(e, today);
        previous = previousOccurrence(e, today);
    }

    const int daysUntil = today.daysUntil(next);
    const int daysSince = daysUntil >= 0 ? previous.daysUntil(today) : -daysUntil;

    if (daysUntil >= 0 && e.alarmOn != 0) {
        AlarmEntry a;
        a.slot = slot;
        a.name = e.name;
        a.comment = e.comment;
        const Ymd ymd = next.ymd();
        a.year = ymd.year;
        a.month = ymd.month;
        a.day = ymd.day;
        a.hour = e.alarmHour;
        a.minute = e.alarmMinute;
        a.passed =
            daysUntil == 0 && a.hour * 60 + a.minute < ctx.now.hour() * 60 + ctx.now.minute();
        lists.alarms.push_back(std::move(a));
    }

    if (daysSince >= 1 && daysSince < ctx.daysSinceLastRun) {
        MissedEntry m;
        m.slot = slot;
        m.daysSince = daysSince;
        appendAtLeast(m.sortKey, daysSince, 6);
        m.sortKey += e.name;
        lists.missed.push_back(std::move(m));
    }

    if (daysUntil < 0 || daysUntil > window) return;
    const StringTable& strings = stringsOf(ctx);
    ForecastEntry f =
        daysUntil > 0 ? upcomingEntry(e, next, daysUntil, options, strings) : todayEntry(e, next);
    f.isHoliday = e.kind() == EventCategory::kHoliday || e.kind() == EventCategory::kFeast;
    f.daysUntil = daysUntil;
    f.hasAlarm = e.alarmOn != 0;
    f.slot = slot;
    lists.forecast.push_back(std::move(f));

    if (daysUntil == 0 && !e.picture.empty()) {
        std::string path = expandAppPath(e.picture, ctx.programDir);
        bool exists = ctx.fileExists ? ctx.fileExists(path) : fileExists(path);
        if (exists) lists.dayPicture = std::move(path);
    }
}

void checkEvents(EventTable& table, const EventCheckContext& ctx, EventLists& lists) {
    lists = EventLists{};
    const ForecastOptions options = readForecastOptions(ctx.settings);
    EasterCache local;
    EasterCache& easter = ctx.easter != nullptr ? *ctx.easter : local;
    if (table.eventCount() > 0) {
        for (int slot = 0; slot < table.slotCount(); ++slot) {
            classifyEvent(table, slot, ctx, options, easter, lists);
        }
    }
    sortByFoldedKey(lists.forecast, false);
    sortByFoldedKey(lists.missed, true);  // the longest ago first
    lists.missedButtonVisible = !lists.missed.empty();
    lists.builtFor = ctx.now.date;
}

}  // namespace tv
