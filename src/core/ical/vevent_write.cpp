// Record -> VEVENT.
#include <cstring>

#include "core/events/occurrence.h"
#include "core/ical/css_colour.h"
#include "core/ical/event_uid.h"
#include "core/ical/rule_mapping.h"
#include "core/ical/vevent_parts.h"

namespace tv::ical {
namespace {

bool isLongEvent(const EventRecord& e) {
    return e.repeatKind() == RepeatKind::kOnce && e.extraDays > 0;
}

}  // namespace

icalproperty* findX(icalcomponent* c, std::string_view name) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n != nullptr && std::strlen(n) == name.size() &&
            strncasecmp(n, name.data(), name.size()) == 0) {
            return p;
        }
    }
    return nullptr;
}

std::optional<std::string> xText(icalcomponent* c, std::string_view name) {
    icalproperty* p = findX(c, name);
    if (p == nullptr) return std::nullopt;
    const char* v = icalproperty_get_x(p);
    return std::string(v != nullptr ? v : "");
}

std::optional<int> xNumber(icalcomponent* c, std::string_view name) {
    const std::optional<std::string> text = xText(c, name);
    if (!text || text->empty() || text->size() > 6) return std::nullopt;
    int value = 0;
    size_t i = (*text)[0] == '-' ? 1 : 0;
    if (i == text->size()) return std::nullopt;
    for (; i < text->size(); ++i) {
        const char ch = (*text)[i];
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return (*text)[0] == '-' ? -value : value;
}

void setX(icalcomponent* c, const char* name, const std::string& value) {
    while (icalproperty* old = findX(c, name)) {
        icalcomponent_remove_property(c, old);
        icalproperty_free(old);
    }
    if (value.empty()) return;
    icalproperty* p = icalproperty_new_x(value.c_str());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

void removeAll(icalcomponent* c, icalproperty_kind kind) {
    while (icalproperty* p = icalcomponent_get_first_property(c, kind)) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
}

icaltimetype dateValue(Date d) {
    // icaltime_null_date() leaves the time at -1, which libical's own iterator then counts as
    // a moment before midnight: a clean date has them 0.
    icaltimetype t = icaltime_null_date();
    t.hour = t.minute = t.second = 0;
    const Ymd ymd = d.ymd();
    t.year = ymd.year;
    t.month = ymd.month;
    t.day = ymd.day;
    return t;
}

void writeTexts(icalcomponent* vevent, const EventRecord& e) {
    removeAll(vevent, ICAL_SUMMARY_PROPERTY);
    removeAll(vevent, ICAL_DESCRIPTION_PROPERTY);
    icalcomponent_add_property(vevent, icalproperty_new_summary(e.name.c_str()));
    if (!e.comment.empty()) {
        icalcomponent_add_property(vevent, icalproperty_new_description(e.comment.c_str()));
    }
}

void writeDates(icalcomponent* vevent, const EventRecord& e) {
    for (const icalproperty_kind k :
         {ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY, ICAL_RRULE_PROPERTY})
        removeAll(vevent, k);
    const RuleForm form = ruleOfEvent(e);
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(dateValue(form.start)));
    const int days = isLongEvent(e) ? e.extraDays + 1 : 1;
    icalcomponent_add_property(vevent, icalproperty_new_dtend(dateValue(form.start.addDays(days))));
    if (form.repeats) icalcomponent_add_property(vevent, icalproperty_new_rrule(form.rule));
    removeAll(vevent, ICAL_TRANSP_PROPERTY);
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    setX(vevent, kPropDay, form.dayNote != 0 ? std::to_string(form.dayNote) : "");
    setX(vevent, kPropRepeat, form.monthsNote ? std::string(kRepeatMonths) : "");
}

void writeAlarm(icalcomponent* vevent, const EventRecord& e) {
    if (e.alarmOn == 0) return;
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    // DISPLAY needs a text; an unnamed event still rings with the program's name.
    icalcomponent_add_property(
        alarm, icalproperty_new_description(e.name.empty() ? "Tempovirens" : e.name.c_str()));
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.hours = e.alarmHour;
    trigger.duration.minutes = e.alarmMinute;
    icalproperty* p = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(p, icalparameter_new_related(ICAL_RELATED_START));
    icalcomponent_add_property(alarm, p);
    icalcomponent_add_component(vevent, alarm);
}

void writeOwnProperties(icalcomponent* vevent, const EventRecord& e) {
    // The band is the only place the colour shows; other programs colour the whole event.
    if (isLongEvent(e)) {
        removeAll(vevent, ICAL_COLOR_PROPERTY);
        icalcomponent_add_property(
            vevent, icalproperty_new_color(std::string(nearestCssColour(e.hue)).c_str()));
    }
    const bool user = e.kind() == EventCategory::kUser;
    const auto number = [](int v) { return std::to_string(v); };
    setX(vevent, kPropHue, e.hue != 0 ? number(e.hue) : "");
    setX(vevent, kPropForecast,
         !user || e.forecastDays != kDefaultForecastDays ? number(e.forecastDays) : "");
    setX(vevent, kPropPicture, e.picture);
    setX(vevent, kPropAnniversary,
         !countsYears(e)              ? ""
         : e.year > kLastWritableYear ? number(e.year)
                                      : "1");
    setX(vevent, kPropCategory, user ? "" : number(e.category));
    setX(vevent, kPropDayOff, e.dayOff != 0 ? "1" : "");
    setX(vevent, kPropRule, e.ruleKey);
    setX(vevent, kPropActive, e.active == 1 ? "" : "0");
}

void writeStamp(icalcomponent* vevent, const WriteOptions& options) {
    removeAll(vevent, ICAL_DTSTAMP_PROPERTY);
    icaltimetype t = icaltime_null_time();
    const Ymd d = options.stampUtc.date.ymd();
    t.year = d.year;
    t.month = d.month;
    t.day = d.day;
    t.hour = options.stampUtc.hour();
    t.minute = options.stampUtc.minute();
    t.second = options.stampUtc.sec();
    t.zone = icaltimezone_get_utc_timezone();
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(t));
}

ComponentPtr eventToVevent(const EventRecord& e, const WriteOptions& options) {
    prepareLibical();
    ComponentPtr v(icalcomponent_new_vevent());
    icalcomponent_add_property(
        v.get(),
        icalproperty_new_uid(options.uid.empty() ? eventUid(e).c_str() : options.uid.c_str()));
    writeStamp(v.get(), options);
    writeDates(v.get(), e);
    writeTexts(v.get(), e);
    writeOwnProperties(v.get(), e);
    writeAlarm(v.get(), e);
    return v;
}

}  // namespace tv::ical
