// The repeat kinds of the event record as iCalendar rules, both ways.
//
// Written forms (the start date DTSTART in brackets):
//   once            no rule                                        [the date]
//   every year      FREQ=YEARLY                                    [base year or 1900, m-d]
//   every month     FREQ=MONTHLY;BYMONTHDAY=d                      [first one from 1900]
//   selected months FREQ=YEARLY;BYMONTH=list;BYMONTHDAY=d          [first one from 1900]
// Our rule puts a day the month lacks on its last day; RFC 5545 skips such a month. Day 31 and
// 32 ("the last day") are written BYMONTHDAY=-1, exact in every month, with the day kept in
// X-TEMPOVIRENS-DAY. Days 29 and 30 are written "the last of the days 28..d":
// BYMONTHDAY=28,29,30;BYSETPOS=-1 is the 30th, or the 28th or 29th in February. It is exact under
// RFC 5545 alone, which every calendar on a phone implements; RFC 7529's SKIP=BACKWARD says the
// same more plainly but needs RSCALE, which common phone calendars ignore or refuse, so they would
// show the event on the wrong days or not at all. BYSETPOS counts within the rule's period, so
// selected months that include February take FREQ=MONTHLY;BYMONTH=list for these two days. A
// yearly event past the shortest length of its month (29 February, from old data) is the
// month's last day: BYMONTH=m;BYMONTHDAY=-1.
//
// Read back are these forms, the same rules with BYMONTHDAY=-1, the BYSETPOS form and
// RSCALE=GREGORIAN;SKIP=BACKWARD, and whatever else comes as near as the record allows, with the
// reason it is not exact.
#pragma once

#include <libical/ical.h>

#include <vector>

#include "core/calc/date.h"
#include "core/events/event_record.h"
#include "core/ical/import_issue.h"

namespace tv::ical {

// Repeating events without a year of their own start in this year in the file.
inline constexpr int kRuleStartYear = 1900;
// libical writes no date after this year; an anniversary counted from a later base year starts
// here in the file and keeps its year in X-TEMPOVIRENS-ANNIVERSARY.
inline constexpr int kLastWritableYear = 3000;

struct RuleForm {
    Date start;  // DTSTART
    bool repeats = false;
    icalrecurrencetype rule{};  // when repeats
    int dayNote = 0;            // X-TEMPOVIRENS-DAY: the day BYMONTHDAY=-1 stands for; 0: none
    bool monthsNote = false;    // X-TEMPOVIRENS-REPEAT: selected months that name a single month
};
// The zero start date for a record no date can be made of (selected months without a month).
RuleForm ruleOfEvent(const EventRecord& e);

struct RuleReading {
    int kind = 0;   // repeat kind 0..3
    int month = 0;  // or the month mask
    int day = 0;
    std::vector<IssueNote> issues;  // the nearest form was taken for each
};
// `rule` null: no rule. `start` is the first date.
RuleReading readRule(const icalrecurrencetype* rule, Ymd start, int dayNote, bool monthsNote);

}  // namespace tv::ical
