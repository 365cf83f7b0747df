#include "core/sync/event_ics.h"

#include <vector>

#include "core/ical/event_uid.h"
#include "core/ical/ical_component.h"
#include "core/ical/vevent_mapping.h"

namespace tv {
namespace {

ical::ComponentPtr parse(std::string_view ics) {
    if (ics.empty() || ics.size() > kMaxIcsBytes) return nullptr;
    ical::prepareLibical();
    const std::string text(ics);
    ical::ComponentPtr c(icalparser_parse_string(text.c_str()));
    icalerror_clear_errno();
    return c;
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

// Ours rings at a time of the event's own day: a trigger from the start, 0 to 24 hours on.
bool dayAlarm(icalcomponent* alarm) {
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (p == nullptr) return false;
    const icaltriggertype t = icalproperty_get_trigger(p);
    if (!icaltime_is_null_time(t.time)) return false;
    icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
    if (related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END) return false;
    const int seconds = icaldurationtype_as_int(t.duration);
    return seconds >= 0 && seconds < 86400;
}

// Other programs' alarms, taken out while the mapping works and put back after it.
class ForeignAlarms {
public:
    explicit ForeignAlarms(icalcomponent* vevent) : vevent_(vevent) {
        for (icalcomponent* a = icalcomponent_get_first_component(vevent, ICAL_VALARM_COMPONENT);
             a != nullptr; a = icalcomponent_get_next_component(vevent, ICAL_VALARM_COMPONENT)) {
            if (!dayAlarm(a)) kept_.push_back(a);
        }
        for (icalcomponent* a : kept_)
            icalcomponent_remove_component(vevent_, a);
    }
    ~ForeignAlarms() {
        for (icalcomponent* a : kept_)
            icalcomponent_add_component(vevent_, a);
    }
    ForeignAlarms(const ForeignAlarms&) = delete;
    ForeignAlarms& operator=(const ForeignAlarms&) = delete;

private:
    icalcomponent* vevent_;
    std::vector<icalcomponent*> kept_;
};

IcsUnfit unfitOf(const ical::VeventReading& r) {
    if (!r.usable) return IcsUnfit::kDateRange;
    for (const ical::IssueNote& n : r.issues) {
        switch (n.issue) {
            case ical::Issue::kRuleFrequency:
            case ical::Issue::kRuleInterval:
            case ical::Issue::kRuleEnd:
            case ical::Issue::kRuleWeekday:
            case ical::Issue::kRuleForm:
                // Shown in the nearest form, a weekly event would look like a one-time one.
                return IcsUnfit::kRepeatRule;
            default:
                if (ical::issueBlocks(n)) return IcsUnfit::kDateRange;
                break;  // texts, exceptions, alarms: shown in the nearest form
        }
    }
    if (r.record.kind() != EventCategory::kUser) return IcsUnfit::kBuiltIn;
    return IcsUnfit::kNone;
}

ical::ReadContext contextFor(Date today) {
    ical::ReadContext ctx;
    ctx.today = today;
    return ctx;
}

}  // namespace

IcsEvent readIcsEvent(std::string_view ics, Date today) {
    IcsEvent out;
    const ical::ComponentPtr calendar = parse(ics);
    icalcomponent* e = masterEvent(calendar.get());
    if (e == nullptr) {
        out.unfit = IcsUnfit::kUnreadable;
        return out;
    }
    const ForeignAlarms foreign(e);
    const ical::VeventReading r = ical::veventToEvent(e, contextFor(today));
    out.uid = r.uid;
    if (out.uid.empty()) {
        out.unfit = IcsUnfit::kNoUid;
        return out;
    }
    out.unfit = unfitOf(r);
    out.record = r.record;
    out.record.inUse = -1;
    return out;
}

std::string newIcsEvent(const EventRecord& record, std::string_view uid, DateTime stampUtc) {
    ical::prepareLibical();
    ical::ComponentPtr calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Brimcove//Tempovirens//HU"));
    ical::WriteOptions options;
    options.uid = std::string(uid);
    options.stampUtc = stampUtc;
    icalcomponent_add_component(calendar.get(), ical::eventToVevent(record, options).release());
    return ical::takeLibicalString(icalcomponent_as_ical_string_r(calendar.get()));
}

std::string applyRecordToIcs(std::string_view serverIcs, const EventRecord& record,
                             DateTime stampUtc, Date today) {
    const ical::ComponentPtr calendar = parse(serverIcs);
    icalcomponent* e = masterEvent(calendar.get());
    if (e == nullptr) return {};
    {
        const ForeignAlarms foreign(e);
        ical::WriteOptions options;
        options.stampUtc = stampUtc;
        ical::applyEventToVevent(record, e, contextFor(today), options);
    }
    return ical::takeLibicalString(icalcomponent_as_ical_string_r(calendar.get()));
}

std::string deriveUid(const EventRecord& record, int attempt) {
    std::string uid = ical::eventUid(record);
    if (attempt == 0) return uid;
    const size_t at = uid.find(ical::kUidDomain);
    return uid.insert(at == std::string::npos ? uid.size() : at, "-" + std::to_string(attempt));
}

}  // namespace tv
