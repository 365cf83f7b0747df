// The round-trip law: whatever the table holds leaves as iCalendar and comes back the same, one
// VEVENT at a time and as a whole file into an empty table.
#include <gtest/gtest.h>

#include "core/calc/calendar.h"
#include "core/events/holidays.h"
#include "core/ical/calendar_export.h"
#include "core/ical/calendar_import.h"
#include "core/ical/random_events.h"
#include "core/ical/vevent_mapping.h"

namespace tv::ical {
namespace {

const Date kToday = Date::serial(2025, 3, 1);

EventRecord normalised(EventRecord e) {
    e.slot = 0;
    e.inUse = -1;
    return e;
}

std::vector<EventRecord> usedRecords(const EventTable& table) {
    std::vector<EventRecord> out;
    for (const EventRecord& e : table.records()) {
        if (e.used()) out.push_back(normalised(e));
    }
    return out;
}

EventTable tableOf(const std::vector<EventRecord>& records) {
    EventTable t;
    for (const EventRecord& e : records) {
        const int slot = t.allocateEventSlot();
        t[slot] = e;
        t[slot].slot = static_cast<int16_t>(slot);
    }
    return t;
}

TEST(IcalRoundTrip, everyRecordComesBackFromItsOwnVevent) {
    test::RandomEvents random(17);
    ReadContext ctx;
    ctx.today = kToday;
    for (int i = 0; i < 3000; ++i) {
        const EventRecord e = i % 10 == 0 ? random.holiday(i) : random.user(i);
        const ComponentPtr v = eventToVevent(e, {});
        const VeventReading back = veventToEvent(v.get(), ctx);
        ASSERT_TRUE(back.usable) << icalcomponent_as_ical_string(v.get())
                                 << (back.issues.empty() ? "" : back.issues[0].editorKey);
        ASSERT_TRUE(back.exact()) << icalcomponent_as_ical_string(v.get())
                                  << issueCode(back.issues[0].issue);
        ASSERT_EQ(normalised(back.record), normalised(e)) << icalcomponent_as_ical_string(v.get());
    }
}

TEST(IcalRoundTrip, aWholeTableComesBackIntoAnEmptyOne) {
    test::RandomEvents random(2025);
    const std::vector<EventRecord> records = random.table(2000);
    const EventTable source = tableOf(records);
    ExportOptions out;
    out.stampUtc = DateTime::of(kToday, 10, 0, 0);
    out.holidays = true;
    const ExportResult file = exportCalendar(source, out);
    ASSERT_EQ(file.events + file.holidays, static_cast<int>(records.size()));

    EventTable target;
    ImportOptions in;
    in.today = kToday;
    const ImportReport report = importCalendar(file.text, target, in);
    ASSERT_TRUE(report.errors.empty()) << report.errors[0].reason << report.errors[0].line;
    EXPECT_TRUE(report.skipped.empty())
        << report.skipped[0].summary << ": " << report.skipped[0].code;
    EXPECT_TRUE(report.duplicates.empty());
    // The export writes user events first, then holidays: compare by kind.
    std::vector<EventRecord> expected;
    for (const int kind : {0, 1}) {
        for (const EventRecord& e : records) {
            if (e.category == kind) expected.push_back(normalised(e));
        }
    }
    const std::vector<EventRecord> got = usedRecords(target);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], expected[i]) << i;
}

TEST(IcalRoundTrip, importingTheSameFileTwiceAddsNothingTheSecondTime) {
    test::RandomEvents random(9);
    const EventTable source = tableOf(random.table(300));
    ExportOptions out;
    out.holidays = true;
    out.fromYear = 2025;
    out.toYear = 2027;
    const std::string text = exportCalendar(source, out).text;

    EventTable target;
    ImportOptions in;
    in.today = kToday;
    const ImportReport first = importCalendar(text, target, in);
    const std::vector<EventRecord> afterFirst = usedRecords(target);
    const ImportReport second = importCalendar(text, target, in);
    EXPECT_TRUE(second.imported.empty());
    EXPECT_EQ(second.duplicates.size(), first.imported.size());
    EXPECT_EQ(usedRecords(target), afterFirst);
}

TEST(IcalRoundTrip, movableFeastsComeBackOnceWithTheirRule) {
    EventTable source;
    createBuiltinHolidays(source, 0);
    createBuiltinHolidays(source, 1);
    source[source.slotCount() - 1].active = 0;  // advent4 switched off: not exported
    ExportOptions out;
    out.holidays = true;
    out.fromYear = 2024;
    out.toYear = 2026;
    const ExportResult file = exportCalendar(source, out);
    EXPECT_EQ(file.holidays, kFixedHolidayCount + 3 * (kMovableFeastCount - 1));

    EventTable target;
    ImportOptions in;
    in.today = kToday;
    const ImportReport report = importCalendar(file.text, target, in);
    ASSERT_TRUE(report.errors.empty());
    int feasts = 0;
    for (const EventRecord& e : usedRecords(target)) {
        if (e.kind() != EventCategory::kFeast) continue;
        ++feasts;
        const auto& rows = builtinHolidays();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const BuiltinHoliday& h) {
            return h.ruleKey == e.ruleKey;
        });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(e.name, row->name);
        EXPECT_EQ(e.picture, row->picture);
        EXPECT_EQ(e.forecastDays, row->forecastDays);
        EXPECT_EQ(e.dayOff, row->dayOff);
        EXPECT_EQ(e.repeat, 1);
    }
    EXPECT_EQ(feasts, kMovableFeastCount - 1);
    // Into the table they came from: all of them are there already.
    const ImportReport again = importCalendar(file.text, source, in);
    EXPECT_TRUE(again.imported.empty());
    EXPECT_EQ(again.duplicates.size(), size_t(kFixedHolidayCount + kMovableFeastCount - 1));
}

}  // namespace
}  // namespace tv::ical
