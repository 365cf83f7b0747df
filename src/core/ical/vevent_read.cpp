// VEVENT -> record: the exact form where the record has one, else the nearest with the reasons.
#include <strings.h>
#include <algorithm>

#include <climits>

#include "core/calc/calendar.h"
#include "core/calc/text_format.h"
#include "core/events/occurrence.h"
#include "core/events/windows/event_checks.h"
#include "core/ical/css_colour.h"
#include "core/ical/record_text.h"
#include "core/ical/rule_mapping.h"
#include "core/ical/vevent_parts.h"

namespace tv::ical {
namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kMaxExtraDays = 9998;  // the editor's longest event is 9999 days

IssueNote note(Issue issue, std::string detail = {}) {
    IssueNote n;
    n.issue = issue;
    if (!detail.empty()) n.params.push_back(std::move(detail));
    return n;
}

// When the event begins and ends, in minutes from the midnight of its first day.
struct Span {
    Date first;
    long startMinute = 0;
    long endMinute = kMinutesPerDay;  // exclusive
    bool timed = false;
};

long minutesBetween(Date from, const LocalMoment& m) {
    return static_cast<long>(from.daysUntil(m.date)) * kMinutesPerDay + m.minute;
}

bool readSpan(icalcomponent* v, const ReadContext& ctx, Span& span) {
    icalproperty* start = icalcomponent_get_first_property(v, ICAL_DTSTART_PROPERTY);
    if (start == nullptr) return false;
    const icaltimetype s = icalproperty_get_dtstart(start);
    if (icaltime_is_null_time(s)) return false;
    const std::string tzid = tzidOf(start);
    const LocalMoment first = localMoment(s, tzid, ctx);
    span.first = first.date;
    span.startMinute = first.minute;
    span.timed = !s.is_date;

    icalproperty* end = icalcomponent_get_first_property(v, ICAL_DTEND_PROPERTY);
    icalproperty* duration = icalcomponent_get_first_property(v, ICAL_DURATION_PROPERTY);
    if (end != nullptr) {
        const icaltimetype e = icalproperty_get_dtend(end);
        if (!icaltime_is_null_time(e)) {
            span.endMinute = minutesBetween(span.first, localMoment(e, tzidOf(end), ctx));
        }
    } else if (duration != nullptr) {
        const icaltimetype e = icaltime_add(s, icalproperty_get_duration(duration));
        span.endMinute = minutesBetween(span.first, localMoment(e, tzid, ctx));
    } else if (span.timed) {
        span.endMinute = span.startMinute;  // a moment
    }
    return true;
}

// Days after the first that the event still covers: an end at midnight belongs to the day before.
long extraDaysOf(const Span& span) {
    const long last = std::max(span.endMinute - 1, span.startMinute);
    return std::max(0L, last / kMinutesPerDay);
}

// Alarms that ring: Apple writes ACTION:NONE for "no alarm".
bool rings(icalcomponent* alarm) {
    icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
    if (action == nullptr) return true;
    const char* text = icalproperty_get_value_as_string(action);
    return text == nullptr || strcasecmp(text, "NONE") != 0;
}

// When an alarm rings, in minutes from the midnight of the event's first day.
std::optional<long> alarmMinute(icalcomponent* alarm, const Span& span, const ReadContext& ctx) {
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (p == nullptr) return std::nullopt;
    const icaltriggertype t = icalproperty_get_trigger(p);
    if (!icaltime_is_null_time(t.time))
        return minutesBetween(span.first, localMoment(t.time, "", ctx));
    icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
    const bool fromEnd =
        related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END;
    const long seconds = icaldurationtype_as_int(t.duration);
    // Toward minus infinity: an alarm 30 seconds before midnight rings in the day before.
    const long minutes = seconds >= 0 ? seconds / 60 : -((-seconds + 59) / 60);
    return (fromEnd ? span.endMinute : span.startMinute) + minutes;
}

struct AlarmChoice {
    icalcomponent* alarm = nullptr;
    long minute = 0;
    int count = 0;  // alarms that ring
};

AlarmChoice chooseAlarm(icalcomponent* v, const Span& span, const ReadContext& ctx) {
    AlarmChoice choice;
    bool onTheDay = false;
    for (icalcomponent* a = icalcomponent_get_first_component(v, ICAL_VALARM_COMPONENT);
         a != nullptr; a = icalcomponent_get_next_component(v, ICAL_VALARM_COMPONENT)) {
        if (!rings(a)) continue;
        const std::optional<long> minute = alarmMinute(a, span, ctx);
        if (!minute) continue;
        ++choice.count;
        const bool inDay = *minute >= 0 && *minute < kMinutesPerDay;
        // The first alarm on the event's day, else the first alarm at all.
        if (choice.alarm == nullptr || (inDay && !onTheDay)) {
            choice.alarm = a;
            choice.minute = *minute;
            onTheDay = inDay;
        }
    }
    return choice;
}

void readAlarm(icalcomponent* v, const Span& span, const ReadContext& ctx, bool repeats,
               VeventReading& out) {
    const AlarmChoice a = chooseAlarm(v, span, ctx);
    if (a.alarm == nullptr) return;
    EventRecord& r = out.record;
    r.alarmOn = 1;
    const long inDay = ((a.minute % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    r.alarmHour = static_cast<uint8_t>(inDay / 60);
    r.alarmMinute = static_cast<uint8_t>(inDay % 60);
    icalproperty* trigger = icalcomponent_get_first_property(a.alarm, ICAL_TRIGGER_PROPERTY);
    const bool absolute = !icaltime_is_null_time(icalproperty_get_trigger(trigger).time);
    if (a.minute != inDay || (absolute && repeats)) out.issues.push_back(note(Issue::kAlarmTime));
    if (a.count > 1) out.issues.push_back(note(Issue::kSeveralAlarms, std::to_string(a.count)));
}

void readText(const char* text, std::string& into, VeventReading& out) {
    const RecordText t = recordText(text != nullptr ? text : "");
    into = t.text;
    if (!t.lost.empty()) out.issues.push_back(note(Issue::kTextCharacters, t.lost));
    if (t.cut) out.issues.push_back(note(Issue::kTextLength));
}

bool hasProperty(icalcomponent* v, icalproperty_kind kind) {
    return icalcomponent_get_first_property(v, kind) != nullptr;
}

void readOwnProperties(icalcomponent* v, EventRecord& r) {
    if (const auto hue = xNumber(v, kPropHue); hue && *hue >= 0 && *hue < 360) {
        r.hue = static_cast<int16_t>(*hue);
    } else if (icalproperty* colour = icalcomponent_get_first_property(v, ICAL_COLOR_PROPERTY)) {
        const char* name = icalproperty_get_color(colour);
        r.hue = static_cast<int16_t>(hueOfCssColour(name != nullptr ? name : "").value_or(0));
    }
    const int category = xNumber(v, kPropCategory).value_or(0);
    if (category == 1 || category == 2) r.category = static_cast<uint8_t>(category);
    const bool user = r.kind() == EventCategory::kUser;
    const auto forecast = xNumber(v, kPropForecast);
    r.forecastDays =
        static_cast<int16_t>(forecast && *forecast >= 0 && *forecast <= kMaxForecastDays ? *forecast
                             : user ? kDefaultForecastDays
                                    : 1);
    r.picture = xText(v, kPropPicture).value_or("");
    r.dayOff = !user && xNumber(v, kPropDayOff).value_or(0) == 1 ? 1 : 0;
    if (r.kind() == EventCategory::kFeast) r.ruleKey = xText(v, kPropRule).value_or("");
    r.active = r.kind() == EventCategory::kFeast && xNumber(v, kPropActive) == 0 ? 0 : 1;
}

// What the editor would refuse, and how near the import can come to it.
void checkLikeTheEditor(VeventReading& out) {
    EventRecord& r = out.record;
    if (r.kind() == EventCategory::kFeast) return;  // only name and texts are the user's
    const auto p = checkEventValues(valuesOf(r));
    if (!p) return;
    IssueNote n;
    n.issue = Issue::kEditorRule;
    n.editorKey = p->key;
    n.params = p->params;
    out.issues.push_back(std::move(n));
    if (p->key == "dates_err_leap1") r.day = 28;
    if (issueBlocks(out.issues.back())) out.usable = false;
}

}  // namespace

icalcomponent* eventAlarmOf(icalcomponent* v, const ReadContext& ctx) {
    Span span;
    if (!readSpan(v, ctx, span)) return nullptr;
    return chooseAlarm(v, span, ctx).alarm;
}

VeventReading veventToEvent(icalcomponent* v, const ReadContext& ctx) {
    prepareLibical();
    VeventReading out;
    const char* uid = icalcomponent_get_uid(v);
    out.uid = uid != nullptr ? uid : "";
    const char* summary = icalcomponent_get_summary(v);
    out.summary = summary != nullptr ? summary : "";
    out.changesOccurrence = hasProperty(v, ICAL_RECURRENCEID_PROPERTY);
    EventRecord& r = out.record;
    r.inUse = -1;
    r.active = 1;

    Span span;
    if (!readSpan(v, ctx, span)) {
        out.issues.push_back(note(Issue::kNoStart));
        return out;
    }
    out.usable = true;
    readOwnProperties(v, r);

    // The rule: exactly one RRULE is ours to read.
    int rules = 0;
    icalrecurrencetype rule;
    for (icalproperty* p = icalcomponent_get_first_property(v, ICAL_RRULE_PROPERTY); p != nullptr;
         p = icalcomponent_get_next_property(v, ICAL_RRULE_PROPERTY)) {
        if (rules++ == 0) rule = icalproperty_get_rrule(p);
    }
    const Ymd start = span.first.ymd();
    const std::optional<int> dayNote = xNumber(v, kPropDay);
    const bool monthsNote = xText(v, kPropRepeat).value_or("") == kRepeatMonths;
    RuleReading reading =
        readRule(rules > 0 ? &rule : nullptr, start, dayNote.value_or(0), monthsNote);
    if (rules > 1) reading.issues.push_back(note(Issue::kRuleForm));
    out.issues.insert(out.issues.end(), reading.issues.begin(), reading.issues.end());
    r.repeat = static_cast<uint8_t>(reading.kind);
    r.month = static_cast<int16_t>(reading.month);
    r.day = static_cast<uint8_t>(reading.day);
    const bool repeats = reading.kind != 0;
    const int anniversaryNote = xNumber(v, kPropAnniversary).value_or(0);
    const bool anniversary =
        reading.kind == 1 && r.kind() == EventCategory::kUser && anniversaryNote >= 1;
    r.anniversary = anniversary ? 1 : 0;
    int year = reading.kind == 0 || anniversary ? start.year : 0;
    if (anniversary && anniversaryNote > kLastWritableYear && start.year == kLastWritableYear) {
        year = anniversaryNote;  // a base year past what the file could hold
    }
    r.year = static_cast<int16_t>(std::clamp(year, -1, 9999));

    if (repeats) {
        if (hasProperty(v, ICAL_EXDATE_PROPERTY) || hasProperty(v, ICAL_EXRULE_PROPERTY)) {
            out.issues.push_back(note(Issue::kExceptions));
        }
        if (hasProperty(v, ICAL_RDATE_PROPERTY)) out.issues.push_back(note(Issue::kExtraDates));
        if (!anniversary && r.kind() == EventCategory::kUser && span.first > ctx.today &&
            !ctx.today.isZero()) {
            out.issues.push_back(note(Issue::kStartsLater, isoDate(span.first)));
        }
    }
    if (r.kind() == EventCategory::kFeast) {
        // One year's date of a feast whose dates come from its rule: the record repeats yearly.
        r.repeat = static_cast<uint8_t>(RepeatKind::kYearly);
        r.year = 0;
        out.issues.clear();
        readText(summary, r.name, out);
        readText(icalcomponent_get_description(v), r.comment, out);
        return out;
    }
    const long extra = extraDaysOf(span);
    if (extra > 0 && repeats) {
        out.issues.push_back(note(Issue::kRepeatingLong, std::to_string(extra + 1)));
    } else if (extra > kMaxExtraDays) {
        out.issues.push_back(note(Issue::kLongEvent, std::to_string(extra + 1)));
        r.extraDays = kMaxExtraDays;
    } else if (r.kind() == EventCategory::kUser) {
        r.extraDays = static_cast<int16_t>(extra);
    }

    readText(summary, r.name, out);
    if (r.name.find_first_not_of(" \t") == std::string::npos)
        out.issues.push_back(note(Issue::kNoName));
    readText(icalcomponent_get_description(v), r.comment, out);
    readAlarm(v, span, ctx, repeats, out);
    checkLikeTheEditor(out);
    return out;
}

}  // namespace tv::ical
