// The event list's import and export buttons with the desktop faked: what is asked, what is
// written, what the report says.
#include <gtest/gtest.h>

#include "core/config/string_table.h"
#include "core/events/windows/event_list_ical.h"
#include "core/ical/calendar_export.h"
#include "platform/fake/fake_message_box.h"
#include "platform/fake/fake_services.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

class ListIcal : public ::testing::Test {
protected:
    void SetUp() override {
        strings.loadFile(std::string(TV_TEST_SOURCE_DIR) + "/data/hun_strings.dat");
        ctx.today = Date::serial(2025, 3, 1);
        ctx.strings = &strings;
        ctx.dialogs = &dialogs;
        ctx.box = &box;
        ctx.saveDatabase = [this](const EventTable&) {
            ++saves;
            return true;
        };
    }

    void writeFile(const std::string& name, const std::string& events) {
        dir.write(name,
                  "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\n" + events + "END:VCALENDAR\r\n");
    }

    test::TempDir dir;
    StringTable strings;
    FakeDialogs dialogs;
    FakeMessageBox box;
    ListIcalContext ctx;
    EventTable table;
    int saves = 0;
};

constexpr const char* kWeekly =
    "BEGIN:VEVENT\r\nUID:w\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250303\r\n"
    "RRULE:FREQ=WEEKLY\r\nSUMMARY:Úszás\r\nEND:VEVENT\r\n";
constexpr const char* kOnce =
    "BEGIN:VEVENT\r\nUID:o\r\nDTSTAMP:20250101T000000Z\r\nDTSTART;VALUE=DATE:20250401\r\n"
    "SUMMARY:Tréfa\r\nEND:VEVENT\r\n";

TEST_F(ListIcal, theNearestFormIsOfferedAndTheReportComesLast) {
    writeFile("a.ics", std::string(kWeekly) + kOnce);
    dialogs.fileAnswers.push_back(dir.file("a.ics"));
    box.script = {MessageAnswer::kNo, MessageAnswer::kOk};
    EXPECT_TRUE(importIntoList(table, ctx));
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filters[0].pattern, "*.ics");
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, strings.formatString("ical_q_nearest", "1"));
    EXPECT_EQ(box.shown[1].title, strings.getString("ical_report_title"));
    EXPECT_NE(box.shown[1].text.find("„Úszás” (4. sor)"), std::string::npos) << box.shown[1].text;
    EXPECT_EQ(table.eventCount(), 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(ListIcal, cancellingTheQuestionOrTheDialogChangesNothing) {
    writeFile("a.ics", kWeekly);
    dialogs.fileAnswers = {dir.file("a.ics"), std::nullopt};
    box.script = {MessageAnswer::kCancel};
    EXPECT_FALSE(importIntoList(table, ctx));
    EXPECT_FALSE(importIntoList(table, ctx));
    EXPECT_EQ(table.eventCount(), 0);
    EXPECT_EQ(saves, 0);
}

TEST_F(ListIcal, aDamagedFileShowsItsLineAndNothingIsSaved) {
    dir.write("bad.ics",
              "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART:x\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    dialogs.fileAnswers.push_back(dir.file("bad.ics"));
    EXPECT_FALSE(importIntoList(table, ctx));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].icon, MessageIcon::kWarning);
    EXPECT_NE(box.shown[0].text.find("3. sora"), std::string::npos) << box.shown[0].text;
    EXPECT_EQ(saves, 0);
}

TEST_F(ListIcal, exportAsksForTheHolidaysAndAddsTheExtension) {
    table.allocateEventSlot();
    table[0].name = "Tréfa";
    table[0].year = 2025;
    table[0].month = 4;
    table[0].day = 1;
    dialogs.saveAnswers.push_back(dir.file("naptar"));
    box.script = {MessageAnswer::kNo, MessageAnswer::kOk};
    exportFromList(table, ctx);
    EXPECT_EQ(box.shown[0].text, strings.getString("ical_q_holidays"));
    EXPECT_EQ(box.shown[1].text,
              strings.formatString("ical_export_done", "1", dir.file("naptar.ics")));
    EXPECT_NE(dir.read("naptar.ics").find("SUMMARY:Tréfa"), std::string::npos);
    EXPECT_EQ(withIcsExtension("/a.b/c"), "/a.b/c.ics");
    EXPECT_EQ(withIcsExtension("/a/c.ICS"), "/a/c.ICS");
}

}  // namespace
}  // namespace tv
