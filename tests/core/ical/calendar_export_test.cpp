// A file written here passes a strict parser of another program without a warning, and
// libical's own checks of the RFC's rules.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/events/holidays.h"
#include "core/ical/calendar_export.h"
#include "core/ical/content_lines.h"
#include "core/ical/ical_component.h"
#include "core/ical/random_events.h"
#include "support/temp_dir.h"

namespace tv::ical {
namespace {

EventTable variedTable() {
    test::RandomEvents random(5545);
    EventTable t;
    createBuiltinHolidays(t, 0);
    createBuiltinHolidays(t, 1);
    for (const EventRecord& e : random.table(400)) {
        if (e.kind() != EventCategory::kUser) continue;
        const int slot = t.allocateEventSlot();
        t[slot] = e;
        t[slot].slot = static_cast<int16_t>(slot);
    }
    return t;
}

std::string exportVaried() {
    ExportOptions o;
    o.holidays = true;
    o.fromYear = 2024;
    o.toYear = 2030;
    o.stampUtc = DateTime::of(Date::serial(2025, 3, 1), 9, 30, 0);
    return exportCalendar(variedTable(), o).text;
}

TEST(IcalExport, anotherProgramsStrictParserReadsItWithoutComplaint) {
    if (std::system("/usr/bin/python3 -c 'import icalendar' 2>/dev/null") != 0) {
        GTEST_SKIP() << "python3-icalendar is not installed";
    }
    test::TempDir dir;
    dir.write("out.ics", exportVaried());
    // Every component in strict mode; icalendar keeps what it could not parse in `errors`.
    const std::string script =
        "import sys, icalendar\n"
        "with open(sys.argv[1], 'rb') as f: cal = icalendar.Calendar.from_ical(f.read())\n"
        "n = 0\n"
        "for c in cal.walk():\n"
        "    if getattr(c, 'errors', None): print(c.name, c.errors); sys.exit(1)\n"
        "    if c.name == 'VEVENT':\n"
        "        n += 1\n"
        "        for key in ('UID', 'DTSTAMP', 'DTSTART', 'DTEND', 'SUMMARY'): c.decoded(key)\n"
        "        if 'RRULE' in c: c.decoded('RRULE')\n"
        "print(n)\n";
    dir.write("check.py", script);
    const std::string cmd = "/usr/bin/python3 -W error " + dir.file("check.py") + " " +
                            dir.file("out.ics") + " > " + dir.file("result.txt") + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << dir.read("result.txt");
    EXPECT_GT(std::atoi(dir.read("result.txt").c_str()), 400) << dir.read("result.txt");
}

TEST(IcalExport, libicalFindsNoBrokenRuleOfTheRfc) {
    const std::string text = exportVaried();
    ComponentPtr cal(icalparser_parse_string(text.c_str()));
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(icalrestriction_check(cal.get()), 1);
    // Neither the parser nor the check left an error note anywhere.
    std::string all = icalcomponent_as_ical_string(cal.get());
    EXPECT_EQ(all.find("X-LIC-ERROR"), std::string::npos)
        << all.substr(all.find("X-LIC-ERROR"), 300);
}

TEST(IcalExport, linesAreFoldedAndNoLineIsLongerThanTheRfcAllows) {
    const std::string text = exportVaried();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        ASSERT_LE(end - start, 75u) << text.substr(start, end - start);
        start = end + 2;
    }
}

TEST(ContentLines, foldedLinesJoinAndKeepTheNumberOfTheirFirstLine) {
    ContentLines lines(
        "\xEF\xBB\xBF"
        "BEGIN:VCALENDAR\nSUMMARY:a\xC3\r\n \xA1"
        "b\r\n\tc\r\n\r\nEND:VCALENDAR\rX:1");
    std::vector<std::pair<int, std::string>> got;
    while (lines.next())
        got.emplace_back(lines.number(), lines.text());
    EXPECT_EQ(got, (std::vector<std::pair<int, std::string>>{{1, "BEGIN:VCALENDAR"},
                                                             {2,
                                                              "SUMMARY:aáb"
                                                              "c"},
                                                             {6, "END:VCALENDAR"},
                                                             {7, "X:1"}}));
}

}  // namespace
}  // namespace tv::ical
