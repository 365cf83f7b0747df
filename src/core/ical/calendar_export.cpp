#include "core/ical/calendar_export.h"

#include <string_view>
#include <unordered_map>

#include "core/app/version.h"
#include "core/calc/calendar.h"
#include "core/events/occurrence.h"
#include "core/ical/event_uid.h"
#include "core/ical/ical_component.h"
#include "core/ical/vevent_mapping.h"
#include "core/ical/vevent_parts.h"

namespace tv::ical {
namespace {

constexpr std::string_view kCalendarEnd = "END:VCALENDAR\r\n";

// The calendar's own lines, written by libical like everything else: the events go in before
// its END line, one by one, so the whole table never stands as components at once.
std::string calendarFrame() {
    ComponentPtr cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    const std::string prodid = "-//Brimcove//" + std::string(kProgramName) + " " +
                               std::to_string(TV_VERSION_MAJOR) + "." +
                               std::to_string(TV_VERSION_MINOR) + "//HU";
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    setX(cal.get(), "X-WR-CALNAME", std::string(kProgramName));
    return takeLibicalString(icalcomponent_as_ical_string_r(cal.get()));
}

class Writer {
public:
    explicit Writer(const ExportOptions& options) : options_(options) {
        text_ = calendarFrame();
        const size_t end = text_.rfind(kCalendarEnd);
        tail_ = text_.substr(end);
        text_.resize(end);
    }

    void add(const EventRecord& e, std::string uid) {
        // Two events the duplicate rule calls the same (old data) still need two UIDs.
        const int seen = ++uids_[uid];
        if (seen > 1) uid.insert(uid.find('@'), "-" + std::to_string(seen));
        WriteOptions w;
        w.uid = std::move(uid);
        w.stampUtc = options_.stampUtc;
        ComponentPtr v = eventToVevent(e, w);
        text_ += takeLibicalString(icalcomponent_as_ical_string_r(v.get()));
    }

    std::string finish() {
        text_ += tail_;
        return std::move(text_);
    }

private:
    const ExportOptions& options_;
    std::string text_;
    std::string tail_;
    std::unordered_map<std::string, int> uids_;
};

bool hasDate(const EventRecord& e) {
    return e.repeatKind() != RepeatKind::kSelectedMonths || (e.month & 0xFFF) != 0;
}

}  // namespace

ExportResult exportCalendar(const EventTable& table, const ExportOptions& options) {
    prepareLibical();
    ExportResult out;
    Writer w(options);
    for (int slot = 0; slot < table.slotCount(); ++slot) {
        const EventRecord& e = table[slot];
        if (!e.used() || e.kind() != EventCategory::kUser || !hasDate(e)) continue;
        w.add(e, eventUid(e));
        ++out.events;
    }
    if (options.holidays) {
        EasterCache easter;
        for (int slot = 0; slot < table.slotCount(); ++slot) {
            const EventRecord& e = table[slot];
            if (!e.used() || isSwitchedOffFeast(e)) continue;
            if (e.kind() == EventCategory::kHoliday && hasDate(e)) {
                w.add(e, eventUid(e));
                ++out.holidays;
            } else if (e.kind() == EventCategory::kFeast) {
                // A feast's date follows no rule iCalendar knows: one event for each year.
                for (int year = options.fromYear; year <= options.toYear; ++year) {
                    const Date d = feastDate(e.ruleKey, year, easter);
                    if (d.isZero()) continue;
                    EventRecord day = e;
                    day.repeat = static_cast<uint8_t>(RepeatKind::kOnce);
                    day.year = static_cast<int16_t>(year);
                    day.month = static_cast<int16_t>(d.month());
                    day.day = static_cast<uint8_t>(d.day());
                    w.add(day, feastUid(e.ruleKey, year));
                    ++out.holidays;
                }
            }
        }
    }
    out.text = w.finish();
    return out;
}

}  // namespace tv::ical
