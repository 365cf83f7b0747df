// Writing an event record into a server object: a new one, or onto the server's copy.
#include <cstdio>
#include <vector>

#include "core/sync/event_ics.h"
#include "core/sync/ics_fields.h"
#include "core/sync/sync_record.h"

namespace tv {
namespace {

void removeAll(icalcomponent* e, icalproperty_kind kind) {
    std::vector<icalproperty*> found;
    for (icalproperty* p = icalcomponent_get_first_property(e, kind); p != nullptr;
         p = icalcomponent_get_next_property(e, kind)) {
        found.push_back(p);
    }
    for (icalproperty* p : found) {
        icalcomponent_remove_property(e, p);
        icalproperty_free(p);
    }
}

void setText(icalcomponent* e, icalproperty_kind kind, const std::string& value) {
    removeAll(e, kind);
    if (kind == ICAL_SUMMARY_PROPERTY) {
        icalcomponent_add_property(e, icalproperty_new_summary(value.c_str()));
    } else if (!value.empty()) {
        icalcomponent_add_property(e, icalproperty_new_description(value.c_str()));
    }
}

bool sameDates(const EventRecord& a, const EventRecord& b) {
    return a.repeat == b.repeat && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.anniversary == b.anniversary && a.extraDays == b.extraDays;
}

void writeDates(icalcomponent* e, const EventRecord& r) {
    removeAll(e, ICAL_DTSTART_PROPERTY);
    removeAll(e, ICAL_DTEND_PROPERTY);
    removeAll(e, ICAL_DURATION_PROPERTY);
    removeAll(e, ICAL_RRULE_PROPERTY);
    const icaltimetype start = ics::startDate(r);
    icalcomponent_add_property(e, icalproperty_new_dtstart(start));
    if (r.repeatKind() == RepeatKind::kOnce) {
        icaltimetype end = start;
        icaltime_adjust(&end, r.extraDays + 1, 0, 0, 0);
        icalcomponent_add_property(e, icalproperty_new_dtend(end));
    }
    const std::string rule = ics::repeatRule(r);
    if (!rule.empty()) {
        icalcomponent_add_property(
            e, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
    }
    const bool anniversary = r.repeatKind() == RepeatKind::kYearly && r.anniversary != 0;
    ics::setX(e, ics::kAnniversary, anniversary ? std::optional<std::string>("1") : std::nullopt);
    const bool lateDay = r.repeatKind() == RepeatKind::kMonthly && r.day >= 29;
    ics::setX(e, ics::kMonthDay,
              lateDay ? std::optional<std::string>(std::to_string(r.day)) : std::nullopt);
}

bool ourAlarm(icalcomponent* alarm) {
    return ics::xValue(alarm, ics::kAlarm).has_value();
}

void writeAlarm(icalcomponent* e, const EventRecord& r) {
    std::vector<icalcomponent*> ours;
    for (icalcomponent* a = icalcomponent_get_first_component(e, ICAL_VALARM_COMPONENT);
         a != nullptr; a = icalcomponent_get_next_component(e, ICAL_VALARM_COMPONENT)) {
        if (ourAlarm(a)) ours.push_back(a);
    }
    for (icalcomponent* a : ours) {
        icalcomponent_remove_component(e, a);
        icalcomponent_free(a);
    }
    if (r.alarmOn == 0) {
        ics::setX(e, ics::kAlarm, std::nullopt);
        return;
    }
    char at[8];
    std::snprintf(at, sizeof at, "%02d:%02d", r.alarmHour % 24, r.alarmMinute % 60);
    ics::setX(e, ics::kAlarm, std::string(at));
    // The alarm rings at that time of the event's day; other programs ring it too.
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(r.name.c_str()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration =
        icaldurationtype_from_int((r.alarmHour % 24) * 3600 + (r.alarmMinute % 60) * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    ics::setX(alarm, ics::kAlarm, std::string(at));
    icalcomponent_add_component(e, alarm);
}

std::optional<std::string> numberText(int value, int absent) {
    return value == absent ? std::nullopt : std::optional<std::string>(std::to_string(value));
}

// Writes the groups of fields in which `r` differs from `current` (all of them when `all`).
bool writeFields(icalcomponent* e, const EventRecord& r, const EventRecord& current, bool all) {
    bool changed = false;
    if (all || !sameBeyondCp1250(r.name, current.name)) {
        setText(e, ICAL_SUMMARY_PROPERTY, r.name);
        changed = true;
    }
    if (all || !sameBeyondCp1250(r.comment, current.comment)) {
        setText(e, ICAL_DESCRIPTION_PROPERTY, r.comment);
        changed = true;
    }
    if (all || !sameDates(r, current)) {
        writeDates(e, r);
        changed = true;
    }
    if (all || r.forecastDays != current.forecastDays) {
        ics::setX(e, ics::kForecast, std::to_string(r.forecastDays));
        changed = true;
    }
    if (all || r.hue != current.hue) {
        ics::setX(e, ics::kHue, numberText(r.hue, 0));
        changed = true;
    }
    if (all || !sameBeyondCp1250(r.picture, current.picture)) {
        ics::setX(e, ics::kPicture,
                  r.picture.empty() ? std::nullopt : std::optional<std::string>(r.picture));
        changed = true;
    }
    if (all || r.alarmOn != current.alarmOn ||
        (r.alarmOn != 0 &&
         (r.alarmHour != current.alarmHour || r.alarmMinute != current.alarmMinute))) {
        writeAlarm(e, r);
        changed = true;
    }
    return changed;
}

void stamp(icalcomponent* e, std::string_view stampUtc) {
    const icaltimetype t = icaltime_from_string(std::string(stampUtc).c_str());
    if (icaltime_is_null_time(t)) return;
    removeAll(e, ICAL_DTSTAMP_PROPERTY);
    removeAll(e, ICAL_LASTMODIFIED_PROPERTY);
    icalcomponent_add_property(e, icalproperty_new_dtstamp(t));
    icalcomponent_add_property(e, icalproperty_new_lastmodified(t));
}

}  // namespace

std::string newIcsEvent(const EventRecord& record, std::string_view uid,
                        std::string_view stampUtc) {
    const std::string skeleton =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Brimcove//Tempovirens//HU\r\n"
        "BEGIN:VEVENT\r\nUID:" +
        std::string(uid) + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const ics::Component calendar = ics::parse(skeleton);
    icalcomponent* e = ics::masterEvent(calendar.get());
    if (e == nullptr) return {};
    writeFields(e, record, EventRecord{}, true);
    stamp(e, stampUtc);
    return ics::serialize(calendar.get());
}

std::string applyRecordToIcs(std::string_view serverIcs, const EventRecord& record,
                             std::string_view stampUtc) {
    const ics::Component calendar = ics::parse(serverIcs);
    icalcomponent* e = ics::masterEvent(calendar.get());
    if (e == nullptr) return {};
    const IcsEvent current = readIcsEvent(serverIcs);
    const bool all = current.unfit != IcsUnfit::kNone;
    if (writeFields(e, record, current.record, all)) {
        stamp(e, stampUtc);
        const int sequence = icalcomponent_get_sequence(e);
        icalcomponent_set_sequence(e, sequence < 0 ? 1 : sequence + 1);
    }
    return ics::serialize(calendar.get());
}

std::string deriveUid(std::string_view duplicateKey, int attempt) {
    std::string uid = "tv-" + textHash(duplicateKey);
    if (attempt > 0) uid += '-' + std::to_string(attempt);
    return uid + "@tempovirens";
}

}  // namespace tv
