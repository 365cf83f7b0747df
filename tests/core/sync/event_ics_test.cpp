#include "core/sync/event_ics.h"

#include <gtest/gtest.h>

#include "core/sync/field_merge.h"

namespace tv {
namespace {

constexpr DateTime kStamp = DateTime::of(Date::serial(2025, 1, 1), 12, 0, 0);
constexpr Date kToday = Date::serial(2025, 1, 1);

EventRecord event(RepeatKind kind, int year, int month, int day) {
    EventRecord r;
    r.inUse = -1;
    r.name = "Évforduló";
    r.comment = "két sor\nmásodik";
    r.repeat = static_cast<uint8_t>(kind);
    r.year = static_cast<int16_t>(year);
    r.month = static_cast<int16_t>(month);
    r.day = static_cast<uint8_t>(day);
    r.forecastDays = 14;
    return r;
}

TEST(EventIcs, EveryRepeatKindReadsBackAsItWasWritten) {
    std::vector<EventRecord> records = {
        event(RepeatKind::kOnce, 2025, 3, 9),
        event(RepeatKind::kYearly, 0, 12, 24),
        event(RepeatKind::kMonthly, 0, 0, 15),
        event(RepeatKind::kMonthly, 0, 0, 30),
        event(RepeatKind::kMonthly, 0, 0, 32),
        event(RepeatKind::kSelectedMonths, 0, (1 << 2) | (1 << 9), 7),
    };
    EventRecord anniversary = event(RepeatKind::kYearly, 1980, 2, 28);
    anniversary.anniversary = 1;
    records.push_back(anniversary);
    EventRecord longOne = event(RepeatKind::kOnce, 2025, 12, 30);
    longOne.extraDays = 4;  // into the next year
    longOne.alarmOn = 1;
    longOne.alarmHour = 7;
    longOne.alarmMinute = 45;
    longOne.hue = 210;
    longOne.picture = "<AppPath>/pictures/x.jpg";
    records.push_back(longOne);
    for (const EventRecord& r : records) {
        SCOPED_TRACE(int(r.repeat));
        const IcsEvent back = readIcsEvent(newIcsEvent(r, "uid-1", kStamp), kToday);
        ASSERT_EQ(back.unfit, IcsUnfit::kNone);
        EXPECT_EQ(back.uid, "uid-1");
        EXPECT_TRUE(sameContent(back.record, r));
        EXPECT_EQ(back.record.year, r.year);
    }
}

constexpr const char* kPhoneCopy =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n"
    "BEGIN:VEVENT\r\nUID:phone-1\r\nDTSTAMP:20250101T000000Z\r\n"
    "DTSTART;VALUE=DATE:20250510\r\nDTEND;VALUE=DATE:20250511\r\n"
    "RRULE:FREQ=YEARLY\r\n"
    "SUMMARY:Szülinap \xF0\x9F\x8E\x82\r\nLOCATION:Szeged\r\n"
    "ATTENDEE;CN=Anna:mailto:anna@example.org\r\nX-PHONE-COLOUR:teal\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:phone\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
    "END:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:phone-1\r\nRECURRENCE-ID;VALUE=DATE:20260510\r\n"
    "DTSTART;VALUE=DATE:20260511\r\nSUMMARY:moved\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

TEST(EventIcs, OurEditKeepsWhatThePhoneStored) {
    IcsEvent phone = readIcsEvent(kPhoneCopy, kToday);
    ASSERT_EQ(phone.unfit, IcsUnfit::kNone);
    EXPECT_EQ(phone.record.repeatKind(), RepeatKind::kYearly);
    EventRecord ours = phone.record;
    ours.name = "Szülinap ?";  // as the table keeps it
    ours.alarmOn = 1;
    ours.alarmHour = 9;
    ours.comment = "torta";
    const std::string edited = applyRecordToIcs(kPhoneCopy, ours, kStamp, kToday);
    for (const char* kept :
         {"LOCATION:Szeged", "ATTENDEE;CN=Anna", "X-PHONE-COLOUR:teal", "DESCRIPTION:phone",
          "TRIGGER:-PT1H", "RECURRENCE-ID", "SUMMARY:moved", "Szülinap \xF0\x9F\x8E\x82"}) {
        EXPECT_NE(edited.find(kept), std::string::npos) << kept;
    }
    const IcsEvent back = readIcsEvent(edited, kToday);
    EXPECT_EQ(back.record.comment, "torta");
    EXPECT_EQ(back.record.alarmHour, 9);
    // Nothing to say: the copy stays byte for byte.
    EXPECT_EQ(
        readIcsEvent(applyRecordToIcs(edited, back.record, kStamp, kToday), kToday).record.comment,
        "torta");
}

TEST(EventIcs, WhatTheTableCannotHoldIsUnfitNotGuessed) {
    const std::string weekly =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:w\r\nDTSTART;VALUE=DATE:20250106\r\n"
        "RRULE:FREQ=WEEKLY\r\nSUMMARY:Edzés\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(readIcsEvent(weekly, kToday).unfit, IcsUnfit::kRepeatRule);
    std::string everyOther = weekly;
    everyOther.replace(everyOther.find("FREQ=WEEKLY"), 11, "FREQ=YEARLY;INTERVAL=2");
    EXPECT_EQ(readIcsEvent(everyOther, kToday).unfit, IcsUnfit::kRepeatRule);
    std::string old = weekly;
    old.replace(old.find("RRULE:FREQ=WEEKLY\r\n"), 19, "");
    old.replace(old.find("20250106"), 8, "18500106");
    EXPECT_EQ(readIcsEvent(old, kToday).unfit, IcsUnfit::kDateRange);
    std::string noUid = weekly;
    noUid.replace(noUid.find("UID:w\r\n"), 7, "");
    EXPECT_EQ(readIcsEvent(noUid, kToday).unfit, IcsUnfit::kNoUid);
    for (const char* bad : {"", "BEGIN:VCALENDAR", "garbage\r\n", "BEGIN:VTODO\r\nEND:VTODO\r\n"})
        EXPECT_EQ(readIcsEvent(bad, kToday).unfit, IcsUnfit::kUnreadable) << bad;
    EXPECT_EQ(applyRecordToIcs("nonsense", EventRecord{}, kStamp, kToday), "");
}

TEST(EventIcs, TimedEventsFromOtherProgramsLandOnTheirDay) {
    const std::string timed =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:t\r\nDTSTART:20250304T093000\r\n"
        "DTEND:20250304T103000\r\nSUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const IcsEvent e = readIcsEvent(timed, kToday);
    ASSERT_EQ(e.unfit, IcsUnfit::kNone);
    EXPECT_EQ(e.record.day, 4);
    EXPECT_EQ(e.record.extraDays, 0);
}

TEST(EventIcs, DerivedUidsAreStablePerKeyAndAttempt) {
    const EventRecord a = event(RepeatKind::kOnce, 2025, 5, 3);
    EventRecord b = a;
    b.name = "Más";
    EXPECT_EQ(deriveUid(a, 0), deriveUid(a, 0));
    EXPECT_NE(deriveUid(a, 0), deriveUid(a, 1));
    EXPECT_NE(deriveUid(a, 0), deriveUid(b, 0));
    EXPECT_TRUE(deriveUid(a, 1).ends_with("@tempovirens"));
}

}  // namespace
}  // namespace tv
