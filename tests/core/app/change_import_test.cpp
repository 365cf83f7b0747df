// An import handed over as a change: the file is read here, saved once, and the report lands
// where the request asked, readable by the user alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/app/change_import.h"
#include "core/ical/ical_files.h"
#include "support/temp_dir.h"

namespace tv {
namespace {

class ChangeImport : public ::testing::Test {
protected:
    ChangeImport() {
        request_.kind = ChangeKind::kImportCalendar;
        request_.calendarFile = dir_.file("in.ics");
        request_.reportFile = dir_.file("report");
        env_.today = Date::serial(2025, 3, 1);
        env_.saveDatabase = [this](const EventTable&) {
            ++saves_;
            return true;
        };
    }

    test::TempDir dir_;
    EventTable table_;
    ChangeRequest request_;
    ChangeEnvironment env_;
    int saves_ = 0;
};

TEST_F(ChangeImport, aReadableFileIsImportedSavedOnceAndReported) {
    dir_.write("in.ics", test::googleCalendar());
    const ImportChangeOutcome o = importCalendarChange(table_, request_, env_);
    EXPECT_TRUE(o.done);
    EXPECT_TRUE(o.report.errors.empty());
    EXPECT_EQ(o.report.imported.size(), 3u);
    EXPECT_EQ(table_.eventCount(), 3);
    EXPECT_EQ(saves_, 1);
    const auto written = ical::decodeImportReport(dir_.read("report"));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->imported.size(), 3u);
    struct stat st {};
    ASSERT_EQ(::stat(request_.reportFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(ChangeImport, aMissingFileImportsNothingAndNamesItselfInTheReport) {
    const ImportChangeOutcome o = importCalendarChange(table_, request_, env_);
    EXPECT_FALSE(o.done);
    ASSERT_EQ(o.report.errors.size(), 1u);
    EXPECT_EQ(o.report.errors[0].code, "unreadable");
    EXPECT_EQ(o.report.errors[0].reason, request_.calendarFile);
    EXPECT_EQ(table_.eventCount(), 0);
    EXPECT_EQ(saves_, 0);
    const auto written = ical::decodeImportReport(dir_.read("report"));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->errors.size(), 1u);
}

}  // namespace
}  // namespace tv
