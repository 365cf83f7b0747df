// Times of a file in the calendar's own zone: our events are whole days, so a timed event falls
// on the day it has where the user is.
#include <ctime>

#include "core/ical/vevent_parts.h"

namespace tv::ical {

std::string tzidOf(icalproperty* p) {
    icalparameter* param = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    const char* tzid = param != nullptr ? icalparameter_get_tzid(param) : nullptr;
    return tzid != nullptr ? tzid : "";
}

LocalMoment localMoment(icaltimetype t, std::string_view tzid, const ReadContext& ctx) {
    LocalMoment m;
    if (t.is_date) {
        m.date = Date::serial(t.year, t.month, t.day);
        return m;
    }
    icaltimezone* zone = nullptr;
    if (icaltime_is_utc(t)) {
        zone = icaltimezone_get_utc_timezone();
    } else if (!tzid.empty() && ctx.zone) {
        zone = ctx.zone(tzid);
    }
    if (zone == nullptr) {  // floating, or a zone nobody knows: as written
        m.date = Date::serial(t.year, t.month, t.day);
        m.minute = t.hour * 60 + t.minute;
        return m;
    }
    const time_t instant = icaltime_as_timet_with_zone(t, zone);
    if (ctx.localZone != nullptr) {
        const icaltimetype local = icaltime_from_timet_with_zone(instant, 0, ctx.localZone);
        m.date = Date::serial(local.year, local.month, local.day);
        m.minute = local.hour * 60 + local.minute;
        return m;
    }
    std::tm tm{};
    if (localtime_r(&instant, &tm) == nullptr) {
        m.date = Date::serial(t.year, t.month, t.day);
        return m;
    }
    m.date = Date::serial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    m.minute = tm.tm_hour * 60 + tm.tm_min;
    return m;
}

}  // namespace tv::ical
