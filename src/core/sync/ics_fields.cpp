#include "core/sync/ics_fields.h"

#include <cstdlib>
#include <cstring>

#include "core/sync/event_ics.h"

namespace tv::ics {

Component parse(std::string_view ics) {
    if (ics.empty() || ics.size() > kMaxIcsBytes) return nullptr;
    icalerror_set_errors_are_fatal(0);
    const std::string text(ics);
    icalcomponent* c = icalparser_parse_string(text.c_str());
    icalerror_clear_errno();
    return Component(c);
}

icalcomponent* masterEvent(icalcomponent* calendar) {
    if (calendar == nullptr) return nullptr;
    if (icalcomponent_isa(calendar) == ICAL_VEVENT_COMPONENT) return calendar;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         e != nullptr; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY) == nullptr) return e;
    }
    return nullptr;
}

std::string serialize(icalcomponent* calendar) {
    char* text = icalcomponent_as_ical_string_r(calendar);
    if (text == nullptr) return {};
    std::string out(text);
    std::free(text);
    return out;
}

std::optional<std::string> xValue(icalcomponent* c, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n == nullptr || std::strcmp(n, name) != 0) continue;
        const char* v = icalproperty_get_x(p);
        return std::string(v != nullptr ? v : "");
    }
    return std::nullopt;
}

void setX(icalcomponent* c, const char* name, const std::optional<std::string>& value) {
    icalproperty* found = nullptr;
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n != nullptr && std::strcmp(n, name) == 0) {
            found = p;
            break;
        }
    }
    if (found != nullptr) {
        icalcomponent_remove_property(c, found);
        icalproperty_free(found);
    }
    if (!value) return;
    icalproperty* p = icalproperty_new_x(value->c_str());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

std::string repeatRule(const EventRecord& r) {
    switch (r.repeatKind()) {
        case RepeatKind::kOnce:
            return {};
        case RepeatKind::kYearly:
            return "FREQ=YEARLY";
        case RepeatKind::kMonthly:
            // Day 32 is the month's last day; 29..31 fall on the last day of shorter months,
            // which other programs cannot say: they see the last day throughout.
            return r.day >= 29 ? "FREQ=MONTHLY;BYMONTHDAY=-1"
                               : "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(r.day);
        case RepeatKind::kSelectedMonths: {
            std::string months;
            for (int m = 1; m <= 12; ++m) {
                if ((r.month & (1 << (m - 1))) == 0) continue;
                if (!months.empty()) months += ',';
                months += std::to_string(m);
            }
            if (months.empty()) months = "1";
            return "FREQ=YEARLY;BYMONTH=" + months + ";BYMONTHDAY=" + std::to_string(r.day);
        }
    }
    return {};
}

icaltimetype dateOf(int year, int month, int day) {
    icaltimetype t = icaltime_null_date();
    t.year = year;
    t.month = month;
    t.day = day;
    t.is_date = 1;
    return t;
}

icaltimetype startDate(const EventRecord& r) {
    switch (r.repeatKind()) {
        case RepeatKind::kOnce:
            return dateOf(r.year, r.month, r.day);
        case RepeatKind::kYearly:
            return dateOf(r.anniversary != 0 ? r.year : kFloatingYear, r.month, r.day);
        case RepeatKind::kMonthly:
            return dateOf(kFloatingYear, 1, r.day >= 29 ? 31 : r.day);
        case RepeatKind::kSelectedMonths: {
            int first = 1;
            while (first < 12 && (r.month & (1 << (first - 1))) == 0)
                ++first;
            const int last = icaltime_days_in_month(first, kFloatingYear);
            return dateOf(kFloatingYear, first, r.day < 1 ? 1 : (r.day > last ? last : r.day));
        }
    }
    return dateOf(r.year, r.month, r.day);
}

}  // namespace tv::ics
