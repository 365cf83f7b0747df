// Reading a server object into an event record.
#include <charconv>
#include <cstring>

#include "core/sync/event_ics.h"
#include "core/sync/ics_fields.h"

namespace tv {
namespace {

std::optional<int> number(const std::optional<std::string>& text, int low, int high) {
    if (!text) return std::nullopt;
    int v = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, ec] = std::from_chars(text->data(), end, v);
    if (ec != std::errc() || ptr != end || v < low || v > high) return std::nullopt;
    return v;
}

std::string textOf(const char* value) {
    return value != nullptr ? std::string(value) : std::string();
}

// Ints of a BY list up to its end mark.
template <size_t N>
std::vector<int> byList(const short (&list)[N]) {
    std::vector<int> out;
    for (size_t i = 0; i < N && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
        out.push_back(list[i]);
    return out;
}

// The repeat kind the rule means, or false when the calendar has none for it.
bool readRule(icalcomponent* e, EventRecord& r, icaltimetype start) {
    icalproperty* p = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY);
    if (p == nullptr) {
        r.repeat = static_cast<uint8_t>(RepeatKind::kOnce);
        return true;
    }
    if (icalcomponent_get_next_property(e, ICAL_RRULE_PROPERTY) != nullptr) return false;
    const icalrecurrencetype rule = icalproperty_get_rrule(p);
    if (rule.interval > 1 || rule.count != 0 || !icaltime_is_null_time(rule.until)) return false;
    if (rule.by_day[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        rule.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        rule.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX ||
        rule.by_set_pos[0] != ICAL_RECURRENCE_ARRAY_MAX) {
        return false;
    }
    const std::vector<int> months = byList(rule.by_month);
    const std::vector<int> days = byList(rule.by_month_day);
    if (days.size() > 1) return false;
    const int day = days.empty() ? start.day : days[0];
    if (rule.freq == ICAL_MONTHLY_RECURRENCE) {
        if (!months.empty()) return false;
        r.repeat = static_cast<uint8_t>(RepeatKind::kMonthly);
        r.day = static_cast<uint8_t>(day == -1 ? 32 : day);
        return day == -1 || (day >= 1 && day <= 31);
    }
    if (rule.freq != ICAL_YEARLY_RECURRENCE || day < 1 || day > 31) return false;
    if (months.empty() || (months.size() == 1 && months[0] == start.month)) {
        r.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
        r.month = static_cast<int16_t>(months.empty() ? start.month : months[0]);
        r.day = static_cast<uint8_t>(day);
        return true;
    }
    int mask = 0;
    for (int m : months) {
        if (m < 1 || m > 12) return false;
        mask |= 1 << (m - 1);
    }
    r.repeat = static_cast<uint8_t>(RepeatKind::kSelectedMonths);
    r.month = static_cast<int16_t>(mask);
    r.day = static_cast<uint8_t>(day);
    return true;
}

// The record's own alarm: our marked VALARM's time of day.
void readAlarm(icalcomponent* e, EventRecord& r) {
    const std::optional<std::string> at = ics::xValue(e, ics::kAlarm);
    if (!at || at->size() != 5 || (*at)[2] != ':') return;
    const std::optional<int> h = number(at->substr(0, 2), 0, 23);
    const std::optional<int> m = number(at->substr(3, 2), 0, 59);
    if (!h || !m) return;
    r.alarmOn = 1;
    r.alarmHour = static_cast<uint8_t>(*h);
    r.alarmMinute = static_cast<uint8_t>(*m);
}

}  // namespace

IcsEvent readIcsEvent(std::string_view ics) {
    IcsEvent out;
    const ics::Component calendar = ics::parse(ics);
    icalcomponent* e = ics::masterEvent(calendar.get());
    if (e == nullptr) {
        out.unfit = IcsUnfit::kUnreadable;
        return out;
    }
    out.uid = textOf(icalcomponent_get_uid(e));
    if (out.uid.empty()) {
        out.unfit = IcsUnfit::kNoUid;
        return out;
    }
    const icaltimetype start = icalcomponent_get_dtstart(e);
    if (icaltime_is_null_time(start) || start.year < 100 || start.year > 9999 || start.month < 1 ||
        start.month > 12 || start.day < 1 || start.day > 31) {
        out.unfit = IcsUnfit::kDateRange;
        return out;
    }
    EventRecord& r = out.record;
    r.inUse = -1;
    r.category = static_cast<uint8_t>(EventCategory::kUser);
    r.name = textOf(icalcomponent_get_summary(e));
    r.comment = textOf(icalcomponent_get_description(e));
    r.year = static_cast<int16_t>(start.year);
    r.month = static_cast<int16_t>(start.month);
    r.day = static_cast<uint8_t>(start.day);
    if (!readRule(e, r, start)) {
        out.unfit = IcsUnfit::kRepeatRule;
        return out;
    }
    switch (r.repeatKind()) {
        case RepeatKind::kOnce: {
            if (start.year < 1900 || start.year >= 3000) out.unfit = IcsUnfit::kDateRange;
            const icaltimetype end = icalcomponent_get_dtend(e);
            if (!icaltime_is_null_time(end)) {
                // An all-day end is exclusive; a timed one ends on its own day.
                const icaltimetype s = ics::dateOf(start.year, start.month, start.day);
                const icaltimetype en = ics::dateOf(end.year, end.month, end.day);
                int days = static_cast<int>((icaltime_as_timet(en) - icaltime_as_timet(s)) / 86400);
                if (end.is_date != 0) --days;
                r.extraDays = static_cast<int16_t>(days < 0 ? 0 : (days > 9998 ? 9998 : days));
            }
            break;
        }
        case RepeatKind::kYearly:
            r.anniversary = ics::xValue(e, ics::kAnniversary) == "1" ? 1 : 0;
            if (r.anniversary == 0) r.year = 0;
            break;
        case RepeatKind::kMonthly:
            if (const auto d = number(ics::xValue(e, ics::kMonthDay), 29, 32); d && r.day == 32) {
                r.day = static_cast<uint8_t>(*d);
            }
            r.year = 0;
            r.month = 0;
            break;
        case RepeatKind::kSelectedMonths:
            r.year = 0;
            break;
    }
    r.forecastDays =
        static_cast<int16_t>(number(ics::xValue(e, ics::kForecast), 0, 365).value_or(7));
    r.hue = static_cast<int16_t>(number(ics::xValue(e, ics::kHue), 0, 359).value_or(0));
    r.picture = ics::xValue(e, ics::kPicture).value_or("");
    readAlarm(e, r);
    return out;
}

}  // namespace tv
