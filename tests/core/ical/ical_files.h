// iCalendar texts in the shapes other programs write, put together from RFC 5545 and the
// programs' public examples, for the import tests.
#pragma once

#include <string>
#include <string_view>

namespace tv::test {

// Lines joined with CR LF, wrapped in a VCALENDAR.
inline std::string calendar(std::string_view body,
                            std::string_view head = "PRODID:-//Test//EN\r\n") {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + std::string(head) + std::string(body) +
           "END:VCALENDAR\r\n";
}

// A Budapest zone as the programs write it into the file.
inline constexpr std::string_view kBudapestZone =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Budapest\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
    "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
    "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

// Google Calendar's export: a calendar name and zone, timed events in UTC and with TZID, a
// birthday as a yearly whole-day event, its default reminder.
inline std::string googleCalendar() {
    return calendar(
        std::string(kBudapestZone) +
            "BEGIN:VEVENT\r\nDTSTART:20250307T233000Z\r\nDTEND:20250308T003000Z\r\n"
            "DTSTAMP:20250101T120000Z\r\nUID:1a2b3c4d5e@google.com\r\nCREATED:20250101T120000Z\r\n"
            "DESCRIPTION:\r\nLAST-MODIFIED:20250101T120000Z\r\nLOCATION:\r\nSEQUENCE:0\r\n"
            "STATUS:CONFIRMED\r\nSUMMARY:Éjféli mozi\r\nTRANSP:OPAQUE\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Budapest:20250310T100000\r\n"
            "DTEND;TZID=Europe/Budapest:20250310T110000\r\nDTSTAMP:20250101T120000Z\r\n"
            "UID:6f7g8h@google.com\r\nSUMMARY:Fogorvos\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
            "DESCRIPTION:This is an event reminder\r\nTRIGGER:-P0DT0H15M0S\r\nEND:VALARM\r\n"
            "END:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19850307\r\nDTEND;VALUE=DATE:19850308\r\n"
            "RRULE:FREQ=YEARLY\r\nDTSTAMP:20250101T120000Z\r\nUID:bday_1985@google.com\r\n"
            "SUMMARY:Anya születésnapja\r\nTRANSP:TRANSPARENT\r\nEND:VEVENT\r\n",
        "PRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nCALSCALE:GREGORIAN\r\n"
        "METHOD:PUBLISH\r\nX-WR-CALNAME:Családi\r\nX-WR-TIMEZONE:Europe/Budapest\r\n");
}

// Outlook: a zone under a Windows name, defined after the events that use it; a weekly meeting;
// a yearly event with its month and day spelled out; all-day flags of its own.
inline std::string outlookCalendar() {
    return calendar(
        "BEGIN:VEVENT\r\nCLASS:PUBLIC\r\nCREATED:20250110T080000Z\r\n"
        "DTEND;TZID=\"Central Europe Standard Time\":20250310T093000\r\n"
        "DTSTAMP:20250110T080000Z\r\nDTSTART;TZID=\"Central Europe Standard "
        "Time\":20250310T090000\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nSUMMARY;LANGUAGE=hu-hu:Heti megbeszélés\r\n"
        "UID:040000008200E00074C5B7101A82E008000000001@outlook\r\n"
        "X-MICROSOFT-CDO-BUSYSTATUS:BUSY\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20100815\r\nDTEND;VALUE=DATE:20100816\r\n"
        "DTSTAMP:20250110T080000Z\r\nRRULE:FREQ=YEARLY;BYMONTHDAY=15;BYMONTH=8\r\n"
        "SUMMARY:Házassági évforduló\r\nUID:040000008200E00074C5B7101A82E008000000002@outlook\r\n"
        "X-MICROSOFT-CDO-ALLDAYEVENT:TRUE\r\nBEGIN:VALARM\r\nTRIGGER:-PT1080M\r\n"
        "ACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Central Europe Standard Time\r\n"
        "BEGIN:STANDARD\r\nDTSTART:16011028T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n",
        "PRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN\r\nMETHOD:PUBLISH\r\n");
}

// Apple Calendar: a placeholder alarm that never rings, the month's last day, a yearly event
// with one year left out and one occurrence moved.
inline std::string appleCalendar() {
    return calendar(
        "BEGIN:VEVENT\r\nCREATED:20250101T000000Z\r\nUID:A1B2-C3D4\r\n"
        "DTEND;VALUE=DATE:20250201\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n"
        "TRANSP:TRANSPARENT\r\nX-APPLE-TRAVEL-ADVISORY-BEHAVIOR:AUTOMATIC\r\n"
        "SUMMARY:Számlák\r\nDTSTART;VALUE=DATE:20250131\r\nDTSTAMP:20250101T000000Z\r\n"
        "SEQUENCE:0\r\nBEGIN:VALARM\r\nX-WR-ALARMUID:E5F6\r\nUID:E5F6\r\n"
        "TRIGGER;VALUE=DATE-TIME:19760401T005545Z\r\nACTION:NONE\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:G7H8\r\nDTSTART;VALUE=DATE:20200601\r\nDTEND;VALUE=DATE:20200602\r\n"
        "RRULE:FREQ=YEARLY\r\nEXDATE;VALUE=DATE:20230601\r\nSUMMARY:Kerti parti\r\n"
        "DTSTAMP:20250101T000000Z\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:G7H8\r\nRECURRENCE-ID;VALUE=DATE:20240601\r\n"
        "DTSTART;VALUE=DATE:20240602\r\nDTEND;VALUE=DATE:20240603\r\nSUMMARY:Kerti parti\r\n"
        "DTSTAMP:20250101T000000Z\r\nEND:VEVENT\r\n",
        "PRODID:-//Apple Inc.//macOS 14.0//EN\r\nCALSCALE:GREGORIAN\r\n");
}

// Thunderbird: a long folded name cut inside a two-byte letter, a three-day event by DURATION,
// a task, and an event whose zone the system does not know but the file defines.
inline std::string thunderbirdCalendar() {
    return calendar(
        "BEGIN:VTIMEZONE\r\nTZID:Pacific/Kiritimati-Custom\r\nBEGIN:STANDARD\r\n"
        "TZOFFSETFROM:+1400\r\nTZOFFSETTO:+1400\r\nDTSTART:19700101T000000\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nCREATED:20250101T000000Z\r\nUID:tb-1\r\n"
        "SUMMARY:Nagyon hosszú nevű esemény, amelyet a program több sorba tör, mert hossz\xC3\r\n"
        " \xBA ennyi\r\nDTSTART;VALUE=DATE:20250714\r\nDURATION:P3D\r\n"
        "X-MOZ-GENERATION:2\r\nDTSTAMP:20250101T000000Z\r\nEND:VEVENT\r\n"
        "BEGIN:VTODO\r\nUID:tb-2\r\nSUMMARY:Bevásárlás\r\nDTSTAMP:20250101T000000Z\r\nEND:VTODO\r\n"
        "BEGIN:VEVENT\r\nUID:tb-3\r\nSUMMARY:Távoli hívás\r\n"
        "DTSTART;TZID=Pacific/Kiritimati-Custom:20250801T050000\r\n"
        "DTEND;TZID=Pacific/Kiritimati-Custom:20250801T060000\r\nDTSTAMP:20250101T000000Z\r\n"
        "END:VEVENT\r\n",
        "PRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN\r\n");
}

}  // namespace tv::test
