// Importing what other programs write, and what a damaged file does: a clear message with the
// line, and nothing imported.
#include <gtest/gtest.h>

#include "core/config/string_table.h"
#include "core/ical/calendar_export.h"
#include "core/ical/calendar_import.h"
#include "core/ical/ical_files.h"
#include "core/ical/random_events.h"

namespace tv::ical {
namespace {

const Date kToday = Date::serial(2025, 3, 1);

class IcalImport : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        strings_ = new StringTable;
        strings_->loadFile(std::string(TV_TEST_SOURCE_DIR) + "/data/hun_strings.dat");
    }
    static void TearDownTestSuite() {
        delete strings_;
        strings_ = nullptr;
    }

    ImportReport run(const std::string& text, bool nearest = false) {
        ImportOptions o;
        o.today = kToday;
        o.localZone = "Europe/Budapest";
        o.strings = strings_;
        o.nearest = nearest;
        return importCalendar(text, table, o);
    }

    const EventRecord* find(std::string_view name) const {
        for (const EventRecord& e : table.records()) {
            if (e.used() && e.name == name) return &e;
        }
        return nullptr;
    }

    static std::vector<std::string> codes(const std::vector<ReportEntry>& list) {
        std::vector<std::string> out;
        for (const ReportEntry& e : list)
            out.push_back(e.summary + ": " + e.code);
        return out;
    }

    static StringTable* strings_;
    EventTable table;
};

StringTable* IcalImport::strings_ = nullptr;

TEST_F(IcalImport, googleTimedEventsFallOnTheirLocalDay) {
    const ImportReport r = run(test::googleCalendar());
    ASSERT_TRUE(r.errors.empty()) << r.errors[0].reason;
    EXPECT_EQ(r.imported.size(), 3u);
    const EventRecord* movie = find("Éjféli mozi");  // 23:30 UTC is 0:30 the next day here
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(std::tuple(movie->year, movie->month, int(movie->day)), std::tuple(2025, 3, 8));
    EXPECT_EQ(movie->extraDays, 0);
    const EventRecord* dentist = find("Fogorvos");
    ASSERT_NE(dentist, nullptr);
    EXPECT_EQ(std::tuple(dentist->alarmOn, dentist->alarmHour, dentist->alarmMinute),
              std::tuple(uint8_t{1}, uint8_t{9}, uint8_t{45}));
    const EventRecord* birthday = find("Anya születésnapja");
    ASSERT_NE(birthday, nullptr);
    EXPECT_EQ(
        std::tuple(int(birthday->repeat), birthday->year, birthday->month, int(birthday->day)),
        std::tuple(1, 0, 3, 7));
    EXPECT_EQ(birthday->forecastDays, 7);
}

TEST_F(IcalImport, outlookZoneDefinedAfterItsEventsAndWhatHasNoExactForm) {
    ImportReport r = run(test::outlookCalendar());
    ASSERT_TRUE(r.errors.empty());
    EXPECT_TRUE(r.imported.empty());
    EXPECT_EQ(codes(r.skipped), (std::vector<std::string>{"Heti megbeszélés: frequency",
                                                          "Házassági évforduló: alarm-time"}));
    EXPECT_EQ(r.skippedWithNearest, 2);
    EXPECT_NE(r.skipped[0].reason.find("hetente"), std::string::npos);

    r = run(test::outlookCalendar(), true);
    EXPECT_EQ(r.imported.size(), 2u);
    EXPECT_EQ(r.nearest.size(), 2u);
    const EventRecord* meeting = find("Heti megbeszélés");  // the first occurrence alone
    ASSERT_NE(meeting, nullptr);
    EXPECT_EQ(std::tuple(int(meeting->repeat), meeting->year, meeting->month, int(meeting->day)),
              std::tuple(0, 2025, 3, 10));
    const EventRecord* anniversary = find("Házassági évforduló");
    ASSERT_NE(anniversary, nullptr);
    EXPECT_EQ(std::tuple(int(anniversary->repeat), anniversary->month, int(anniversary->day)),
              std::tuple(1, 8, 15));
    // 18 hours before the day's start is 6:00 the day before: the same time on the day.
    EXPECT_EQ(std::tuple(anniversary->alarmHour, anniversary->alarmMinute),
              std::tuple(uint8_t{6}, uint8_t{0}));
}

TEST_F(IcalImport, appleLastDayPlaceholderAlarmAndChangedOccurrences) {
    const ImportReport r = run(test::appleCalendar());
    ASSERT_TRUE(r.errors.empty()) << r.errors[0].reason;
    const EventRecord* bills = find("Számlák");
    ASSERT_NE(bills, nullptr);
    EXPECT_EQ(std::tuple(int(bills->repeat), int(bills->day), bills->alarmOn),
              std::tuple(2, 32, uint8_t{0}));
    // The moved occurrence is part of its event, not an event of its own.
    EXPECT_EQ(codes(r.skipped), (std::vector<std::string>{"Kerti parti: exceptions"}));
}

TEST_F(IcalImport, thunderbirdFoldsDurationsTasksAndItsOwnZone) {
    const ImportReport r = run(test::thunderbirdCalendar());
    ASSERT_TRUE(r.errors.empty());
    const EventRecord* long3 =
        find("Nagyon hosszú nevű esemény, amelyet a program több sorba tör, mert hosszú ennyi");
    ASSERT_NE(long3, nullptr);
    EXPECT_EQ(long3->extraDays, 2);
    // 5:00 at +14:00 is 17:00 of the day before in Budapest.
    const EventRecord* call = find("Távoli hívás");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(std::tuple(call->month, int(call->day)), std::tuple(7, 31));
    EXPECT_EQ(codes(r.skipped), (std::vector<std::string>{"Bevásárlás: not-event"}));
}

TEST_F(IcalImport, duplicatesOfTheEditorsRuleAreReportedNotAdded) {
    run(test::googleCalendar());
    EventTable before = table;
    // The same birthday typed differently, and the same day off twice in one file.
    const std::string text = test::calendar(
        "BEGIN:VEVENT\r\nUID:x1\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20000307\r\n"
        "RRULE:FREQ=YEARLY\r\nSUMMARY:  ANYA születésnapja \r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:x2\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250505\r\n"
        "SUMMARY:Szabadnap\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:x3\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250505\r\n"
        "SUMMARY:szabadnap\r\nEND:VEVENT\r\n");
    const ImportReport r = run(text);
    EXPECT_EQ(codes(r.duplicates),
              (std::vector<std::string>{"ANYA születésnapja: duplicate", "szabadnap: duplicate"}));
    EXPECT_EQ(r.imported.size(), 1u);
}

TEST_F(IcalImport, textsTheEventFileCannotHoldAreReportedNotMangled) {
    const std::string text = test::calendar(
        "BEGIN:VEVENT\r\nUID:e1\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250601\r\n"
        "SUMMARY:🎂 Torta 😀\r\nEND:VEVENT\r\n");
    ImportReport r = run(text);
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0].code, "characters");
    EXPECT_NE(r.skipped[0].reason.find("🎂😀"), std::string::npos);
    EXPECT_EQ(table.eventCount(), 0);
    r = run(text, true);
    ASSERT_NE(find("? Torta ?"), nullptr);
}

TEST_F(IcalImport, whatTheEditorRefusesIsNeverImported) {
    const std::string text = test::calendar(
        "BEGIN:VEVENT\r\nUID:o1\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:18500101\r\n"
        "SUMMARY:Régi\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:o2\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20000229\r\n"
        "RRULE:FREQ=YEARLY\r\nSUMMARY:Szökőnap\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:o3\r\nDTSTAMP:20250101T000000Z\r\nSUMMARY:Dátum nélkül\r\n"
        "END:VEVENT\r\n");
    const ImportReport r = run(text, true);
    EXPECT_EQ(codes(r.skipped),
              (std::vector<std::string>{"Régi: editor-rule", "Dátum nélkül: no-start"}));
    EXPECT_EQ(r.skipped[0].reason, strings_->getString("dates_err_yearlimit"));
    const EventRecord* leap = find("Szökőnap");  // the nearest: 28 February
    ASSERT_NE(leap, nullptr);
    EXPECT_EQ(std::tuple(leap->month, int(leap->day)), std::tuple(2, 28));
}

struct BrokenFile {
    std::string name;
    std::string text;
    int line;
    bool numbered = true;  // the message names the line
};

std::string deepNesting() {
    std::string body;
    for (int i = 0; i < 20; ++i)
        body += "BEGIN:X-A\r\n";
    return test::calendar(body);
}

TEST_F(IcalImport, damagedFilesNameTheirLineAndImportNothing) {
    // Lines 4..9 of the calendar below; a second event starts on line 10.
    const std::string good =
        "BEGIN:VEVENT\r\nUID:g\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250601\r\n"
        "SUMMARY:Jó\r\nEND:VEVENT\r\n";
    const auto second = [&](std::string_view lines) {
        return test::calendar(good + "BEGIN:VEVENT\r\n" + std::string(lines) + "END:VEVENT\r\n");
    };
    const std::vector<BrokenFile> files = {
        {"empty", "", 1, false},
        {"not a calendar", "Kedves Naptár!\r\n", 1, false},
        {"cut short", test::calendar(good).substr(0, 120), 4},
        {"bad date", second("DTSTART;VALUE=DATE:2025023X\r\n"), 11},
        {"no colon", second("FOO BAR\r\n"), 11},
        {"bad rule", second("RRULE:FREQ=BOGUS\r\n"), 11},
        {"wrong end", test::calendar(good + "BEGIN:VEVENT\r\nEND:VTODO\r\n"), 11},
        {"not utf-8", second("SUMMARY:\xF5r\r\n"), 11},
        {"after the end", test::calendar(good) + "SUMMARY:x\r\n", 11},
        {"too deep", deepNesting(), 19},
        {"bad calendar property", test::calendar(good, "VERSION\r\n"), 3},
    };
    for (const BrokenFile& f : files) {
        table = EventTable();
        const ImportReport r = run(f.text);
        ASSERT_EQ(r.errors.size(), 1u) << f.name;
        EXPECT_EQ(r.errors[0].line, f.line) << f.name << ": " << r.errors[0].reason;
        if (f.numbered) {
            EXPECT_NE(r.errors[0].reason.find(std::to_string(f.line) + ". sor"), std::string::npos)
                << f.name << ": " << r.errors[0].reason;
        }
        EXPECT_TRUE(r.imported.empty()) << f.name;
        EXPECT_EQ(table.eventCount(), 0) << f.name;
    }
}

TEST_F(IcalImport, unknownPropertiesAndBlankLinesAreNoDamage) {
    const std::string text = test::calendar(
        "X-CUSTOM;FOO=bar:baz\r\nFOOBAR:1\r\n\r\nBEGIN:VEVENT\r\nUID:u\r\n"
        "DTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250601\r\nFOOBAR:1\r\n"
        "CONFERENCE;VALUE=URI:https://example.org\r\nSUMMARY:Ismeretlen\r\n"
        "BEGIN:X-THING\r\nX-A:1\r\nEND:X-THING\r\nEND:VEVENT\r\n");
    const ImportReport r = run("\xEF\xBB\xBF" + text);
    EXPECT_TRUE(r.errors.empty()) << (r.errors.empty() ? "" : r.errors[0].reason);
    EXPECT_EQ(r.imported.size(), 1u);
}

TEST_F(IcalImport, aFailedSaveLeavesTheTableAsItWas) {
    run(test::googleCalendar());
    const EventTable before = table;
    ImportOptions o;
    o.today = kToday;
    o.strings = strings_;
    int saves = 0;
    o.save = [&](const EventTable& t) {
        ++saves;
        EXPECT_EQ(t.eventCount(), before.eventCount() + 1);
        return false;
    };
    const ImportReport r = importCalendar(test::appleCalendar(), table, o);
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].code, "save-failed");
    EXPECT_EQ(table.records(), before.records());
    EXPECT_EQ(table.eventCount(), before.eventCount());
}

TEST_F(IcalImport, aDryRunReportsWithoutTouchingTheTable) {
    ImportOptions o;
    o.today = kToday;
    o.dryRun = true;
    o.save = [](const EventTable&) {
        ADD_FAILURE() << "a dry run saved";
        return true;
    };
    const ImportReport r = importCalendar(test::googleCalendar(), table, o);
    EXPECT_EQ(r.imported.size(), 3u);
    EXPECT_EQ(table.eventCount(), 0);
}

TEST_F(IcalImport, aFileThatDoesNotFitTheTableImportsNothing) {
    EventTable big;
    for (int i = 0; i < EventTable::kMaxSlots - 1; ++i) {
        big.appendEventSlot();
        const int slot = big.slotCount() - 1;
        big[slot].inUse = -1;
        big[slot].name = "e" + std::to_string(i);
        big[slot].year = 2000;
        big[slot].month = 1;
        big[slot].day = 1;
    }
    table = big;
    const ImportReport r = run(test::googleCalendar());
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].code, "table-full");
    EXPECT_EQ(table.eventCount(), EventTable::kMaxSlots - 1);
}

TEST_F(IcalImport, reportTextCountsThenListsTheSkippedWithReasons) {
    const ImportReport r = run(test::outlookCalendar());
    const std::string text = importReportText(r, *strings_);
    EXPECT_EQ(text.find(strings_->formatString("ical_rep_imported", "0")), 0u);
    EXPECT_NE(text.find("„Heti megbeszélés” (5. sor): "), std::string::npos) << text;
    const std::optional<ImportReport> back = decodeImportReport(encodeImportReport(r));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(importReportText(*back, *strings_), text);
    EXPECT_EQ(importReportJson(*back), importReportJson(r));
    EXPECT_FALSE(decodeImportReport(encodeImportReport(r).substr(0, 40)).has_value());
}

TEST_F(IcalImport, aHugeFileImportsWholeOrNotAtAll) {
    // One more event than the table can hold, then as many as it holds.
    std::string body;
    for (int i = 0; i <= EventTable::kMaxSlots; ++i) {
        body += "BEGIN:VEVENT\r\nUID:h" + std::to_string(i) +
                "\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250601\r\nSUMMARY:Esemény " +
                std::to_string(i) + "\r\nEND:VEVENT\r\n";
    }
    ImportReport r = run(test::calendar(body));
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].code, "table-full");
    EXPECT_EQ(table.eventCount(), 0);

    body.resize(body.rfind("BEGIN:VEVENT"));
    r = run(test::calendar(body));
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(table.eventCount(), EventTable::kMaxSlots);
}

}  // namespace
}  // namespace tv::ical
