// Which server calendar a user's name picks, for the calendar and the command-line tool alike.
#include "core/sync/sync_session.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(CalendarFits, ByDisplayNameLastPathPartOrWholePathAndNeverATaskList) {
    const DavCalendar work{"/dav/anna/work/", "Munka", "", "", true};
    EXPECT_EQ(calendarPathName(work), "work");
    EXPECT_EQ(calendarPathName(DavCalendar{"plain", "", "", "", true}), "plain");
    for (const char* name : {"", "Munka", "work", "/dav/anna/work/"})
        EXPECT_TRUE(calendarFits(work, name)) << name;
    for (const char* name : {"munka", "anna", "/dav/anna/work", "wor"})
        EXPECT_FALSE(calendarFits(work, name)) << name;
    const DavCalendar tasks{"/dav/anna/tasks/", "Teendők", "", "", false};
    EXPECT_FALSE(calendarFits(tasks, ""));
    EXPECT_FALSE(calendarFits(tasks, "tasks"));
}

}  // namespace
}  // namespace tv
