// What an event of an iCalendar file may hold that the event record cannot express. An import
// reports each such event with its reason and stores nothing for it, unless the user asks for
// the nearest form the record has.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::ical {

enum class Issue {
    kNoStart,         // no start date: nothing to import
    kRuleFrequency,   // daily, weekly, hourly ...; nearest: the first occurrence alone
    kRuleInterval,    // every n-th year or month; nearest: every one
    kRuleEnd,         // a number of occurrences or an end date; nearest: no end
    kRuleWeekday,     // weekdays in the rule (second Tuesday ...); nearest: the start's day
    kRuleForm,        // any other rule part; nearest: the first occurrence alone
    kMonthEnd,        // a 29th..31st the file skips in shorter months; nearest: their last day
    kExceptions,      // left-out or changed occurrences; nearest: the rule without them
    kExtraDates,      // extra dates beside the rule; nearest: the rule alone
    kRepeatingLong,   // a repeating event of several days; nearest: its first day
    kStartsLater,     // a repeating event that begins after today; nearest: from now on
    kAlarmTime,       // an alarm not on the event's day; nearest: its clock time on the day
    kSeveralAlarms,   // nearest: the first one
    kTextCharacters,  // characters Windows-1250 lacks; nearest: "?" for them
    kTextLength,      // a text longer than the event file holds; nearest: cut
    kNoName,          // nearest: the list's name for unnamed events
    kLongEvent,       // more days than an event may last; nearest: the longest
    kEditorRule,      // a date or value the editor refuses (its own message)
};

struct IssueNote {
    Issue issue = Issue::kRuleForm;
    // kEditorRule: the editor's string-table key and its parameters; otherwise params[0] is a
    // detail for the text (the rule's frequency, the characters, ...), when there is one.
    std::string editorKey;
    std::vector<std::string> params;
};

// A stable word for scripts ("weekly-rule", ...) and the string-table key of the reason.
std::string_view issueCode(Issue issue);
std::string_view issueKey(Issue issue);
// Whether the issue leaves no form to import at all.
bool issueBlocks(const IssueNote& note);

}  // namespace tv::ical
