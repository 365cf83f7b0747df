#include "core/events/windows/event_checks.h"

#include <cstdio>

#include "core/calc/calendar.h"
#include "core/events/occurrence.h"

namespace tv {
namespace {

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

ValueProblem problem(std::string key, EditorField focus, std::vector<std::string> params = {}) {
    return ValueProblem{std::move(key), std::move(params), focus};
}

}  // namespace

EventValues valuesOf(const EventRecord& e) {
    EventValues v;
    v.user = e.kind() == EventCategory::kUser;
    v.kind = e.repeat;
    v.year = e.year;
    v.month = e.month;
    v.day = e.day;
    v.forecast = e.forecastDays;
    v.anniversary = e.anniversary != 0;
    v.alarmOn = e.alarmOn != 0;
    v.alarmHour = e.alarmHour;
    v.alarmMinute = e.alarmMinute;
    return v;
}

std::optional<ValueProblem> checkEventDate(const EventValues& v) {
    if (v.kind == 0 || v.kind == 1) {
        if (v.month < 1 || v.month > 12) return problem("dates_err_12months", EditorField::kMonth);
        const int n = daysInMonth(2000, v.month);  // February counts 29 here
        if (v.day < 1 || v.day > n) {
            return problem("dates_err_months", EditorField::kDay, {std::to_string(n)});
        }
        if (v.kind == 1) {
            if (v.month == 2 && v.day == 29) return problem("dates_err_leap1", EditorField::kDay);
            if (v.anniversary && (v.year < kBaseYearMin || v.year > kBaseYearMax)) {
                return problem("dates_err_yearlimit2", EditorField::kYear);
            }
        } else if (v.month == 2 && v.day == 29 && !isLeapYear(v.year)) {
            return problem("dates_err_leap2", EditorField::kYear);
        } else if (v.year < kOnceYearMin || v.year > kOnceYearMax) {
            return problem("dates_err_yearlimit", EditorField::kYear);
        }
        return std::nullopt;
    }
    // Selected months are chosen in the picker, which never returns none; a mask of 0 could only
    // come from outside and would have no day at all.
    if (v.kind == 3 && (v.month & kAllMonthsMask) == 0) {
        return problem("months_err01", EditorField::kNone);
    }
    // A day of 0 has no place in the month, and one beyond 32 none either: both kinds take the
    // monthly rule.
    if (v.day < 1 || v.day > kLastDayOfMonth) return problem("dates_err_noday1", EditorField::kDay);
    return std::nullopt;
}

std::optional<ValueProblem> checkEventNotice(const EventValues& v) {
    if (v.user && (v.forecast < 0 || v.forecast > kMaxForecastDays)) {
        return problem("dates_err_forecast", EditorField::kForecast);
    }
    if (v.alarmOn) {
        if (v.alarmHour < 0 || v.alarmHour >= 24) {
            return problem("dater_err_alert_h", EditorField::kAlarmHour);
        }
        if (v.alarmMinute < 0 || v.alarmMinute > 59) {
            return problem("dater_err_alert_m", EditorField::kAlarmMinute);
        }
    }
    return std::nullopt;
}

std::optional<ValueProblem> checkEventValues(const EventValues& v) {
    if (auto p = checkEventDate(v)) return p;
    return checkEventNotice(v);
}

bool dayMissingInSomeMonths(const EventValues& v) {
    return v.kind == 2 && v.day >= 29 && v.day <= 31;
}

bool sameUserEvent(const EventRecord& a, const EventRecord& b) {
    if (a.repeat != b.repeat) return false;
    bool same = false;
    switch (a.repeatKind()) {
        case RepeatKind::kOnce:
            same = a.year == b.year && a.month == b.month && a.day == b.day;
            break;
        case RepeatKind::kYearly:
            same = a.month == b.month && a.day == b.day && a.anniversary == b.anniversary &&
                   (a.anniversary == 0 || a.year == b.year);
            break;
        case RepeatKind::kMonthly:
            same = a.day == b.day;
            break;
        case RepeatKind::kSelectedMonths:
            same = a.month == b.month;
            break;
    }
    return same && foldSortKey(trimmed(a.name)) == foldSortKey(trimmed(b.name));
}

std::string userEventKey(const EventRecord& e) {
    // The date part first, fixed width; the folded name after it cannot run into it.
    int year = 0, month = 0, day = 0, anniversary = 0;
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            year = e.year, month = e.month, day = e.day;
            break;
        case RepeatKind::kYearly:
            month = e.month, day = e.day, anniversary = e.anniversary;
            year = e.anniversary != 0 ? e.year : 0;
            break;
        case RepeatKind::kMonthly:
            day = e.day;
            break;
        case RepeatKind::kSelectedMonths:
            month = e.month;
            break;
    }
    char head[48];
    std::snprintf(head, sizeof head, "%u|%d|%d|%d|%d|", static_cast<unsigned>(e.repeat), year,
                  month, day, anniversary);
    return head + foldSortKey(trimmed(e.name));
}

bool sameHolidayDay(const EventRecord& a, const EventRecord& b) {
    return a.month == b.month && a.day == b.day;
}

}  // namespace tv
