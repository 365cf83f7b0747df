// The oracle law: the calendar's own occurrence rule and libical's expansion of the rule we
// write agree on every date from 1900 to 2100. The written forms are exact for every record the
// editor accepts; where a file from elsewhere says something the record cannot, the import
// names the difference, and the test pins what that difference is.
#include <gtest/gtest.h>

#include <vector>

#include "core/events/occurrence.h"
#include "core/ical/calendar_import.h"
#include "core/ical/random_events.h"
#include "core/ical/vevent_mapping.h"

namespace tv::ical {
namespace {

const Date kFirst = Date::serial(1900, 1, 1);
const Date kLast = Date::serial(2100, 12, 31);

std::vector<Date> ourOccurrences(const EventRecord& e) {
    std::vector<Date> out;
    Date cursor = kFirst;
    while (cursor <= kLast) {
        const Date next = nextOccurrence(e, cursor);
        if (next.isZero() || next < cursor || next > kLast) break;
        out.push_back(next);
        cursor = next.addDays(1);
    }
    return out;
}

Date dateOf(const icaltimetype& t) {
    return Date::serial(t.year, t.month, t.day);
}

std::vector<Date> libicalOccurrences(icalcomponent* v) {
    const icaltimetype start =
        icalproperty_get_dtstart(icalcomponent_get_first_property(v, ICAL_DTSTART_PROPERTY));
    icalproperty* rrule = icalcomponent_get_first_property(v, ICAL_RRULE_PROPERTY);
    std::vector<Date> out;
    if (rrule == nullptr) {
        if (dateOf(start) >= kFirst && dateOf(start) <= kLast) out.push_back(dateOf(start));
        return out;
    }
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
    if (it == nullptr) return out;
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(it)) {
        const Date d = dateOf(t);
        if (d > kLast) break;
        if (d >= kFirst) out.push_back(d);
    }
    icalrecur_iterator_free(it);
    return out;
}

TEST(IcalRuleOracle, ourRuleAndLibicalsExpansionAgreeFrom1900To2100) {
    test::RandomEvents random(7529);
    for (int i = 0; i < 150; ++i) {
        const EventRecord e = random.user(i);
        const ComponentPtr v = eventToVevent(e, {});
        ASSERT_EQ(ourOccurrences(e), libicalOccurrences(v.get()))
            << icalcomponent_as_ical_string(v.get());
    }
}

TEST(IcalRuleOracle, everyMonthDayOfEveryKindAgrees) {
    EventRecord e;
    e.inUse = -1;
    e.name = "x";
    for (const int kind : {2, 3}) {
        for (int day = 1; day <= 32; ++day) {
            // February alone, February among others, only short months, January alone.
            for (const int mask : {0x002, 0x00A, 0x0A50, 0x001}) {
                if (kind == 2 && mask != 0x002) continue;  // the mask is not read
                e.repeat = static_cast<uint8_t>(kind);
                e.month = static_cast<int16_t>(kind == 3 ? mask : 0);
                e.day = static_cast<uint8_t>(day);
                const ComponentPtr v = eventToVevent(e, {});
                ASSERT_EQ(ourOccurrences(e), libicalOccurrences(v.get()))
                    << icalcomponent_as_ical_string(v.get());
            }
        }
    }
}

// The documented difference: a monthly rule on the 31st from elsewhere skips the shorter
// months; the record cannot skip, so the import names it and the nearest form takes their last
// day instead. Both agree on every 31-day month and differ on every other one.
TEST(IcalRuleOracle, aForeignMonthEndRuleDiffersExactlyInShorterMonths) {
    const std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VEVENT\r\nUID:a\r\n"
        "DTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:19000131\r\n"
        "RRULE:FREQ=MONTHLY;BYMONTHDAY=31\r\nSUMMARY:Havi zárás\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    EventTable table;
    ImportOptions options;
    options.today = Date::serial(2025, 1, 1);
    ImportReport report = importCalendar(text, table, options);
    ASSERT_EQ(report.skipped.size(), 1u);
    EXPECT_EQ(report.skipped[0].code, "month-end");

    options.nearest = true;
    report = importCalendar(text, table, options);
    ASSERT_EQ(report.imported.size(), 1u);
    const EventRecord& e = table[0];
    EXPECT_EQ(e.day, 31);

    icalcomponent* cal = icalparser_parse_string(text.c_str());
    icalcomponent* v = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT);
    const std::vector<Date> theirs = libicalOccurrences(v);
    const std::vector<Date> ours = ourOccurrences(e);
    icalcomponent_free(cal);
    std::vector<Date> shortMonths;
    for (const Date d : ours) {
        if (d.day() == 31) {
            EXPECT_TRUE(std::binary_search(theirs.begin(), theirs.end(), d));
        } else {
            shortMonths.push_back(d);
        }
    }
    EXPECT_EQ(ours.size(), 201u * 12);
    EXPECT_EQ(theirs.size(), 201u * 7);
    EXPECT_EQ(shortMonths.size(), 201u * 5);
}

}  // namespace
}  // namespace tv::ical
