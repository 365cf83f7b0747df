#include "core/ical/import_issue.h"

namespace tv::ical {
namespace {

struct IssueInfo {
    std::string_view code;
    std::string_view key;
};

IssueInfo infoOf(Issue issue) {
    switch (issue) {
        case Issue::kNoStart:
            return {"no-start", "ical_issue_nostart"};
        case Issue::kRuleFrequency:
            return {"frequency", "ical_issue_frequency"};
        case Issue::kRuleInterval:
            return {"interval", "ical_issue_interval"};
        case Issue::kRuleEnd:
            return {"rule-end", "ical_issue_ruleend"};
        case Issue::kRuleWeekday:
            return {"weekday-rule", "ical_issue_weekday"};
        case Issue::kRuleForm:
            return {"rule-form", "ical_issue_ruleform"};
        case Issue::kMonthEnd:
            return {"month-end", "ical_issue_monthend"};
        case Issue::kExceptions:
            return {"exceptions", "ical_issue_exceptions"};
        case Issue::kExtraDates:
            return {"extra-dates", "ical_issue_extradates"};
        case Issue::kRepeatingLong:
            return {"repeating-multi-day", "ical_issue_replong"};
        case Issue::kStartsLater:
            return {"starts-later", "ical_issue_later"};
        case Issue::kAlarmTime:
            return {"alarm-time", "ical_issue_alarmtime"};
        case Issue::kSeveralAlarms:
            return {"several-alarms", "ical_issue_alarms"};
        case Issue::kTextCharacters:
            return {"characters", "ical_issue_chars"};
        case Issue::kTextLength:
            return {"text-length", "ical_issue_length"};
        case Issue::kNoName:
            return {"no-name", "ical_issue_noname"};
        case Issue::kLongEvent:
            return {"too-long", "ical_issue_toolong"};
        case Issue::kEditorRule:
            return {"editor-rule", ""};
    }
    return {"unknown", ""};
}

}  // namespace

std::string_view issueCode(Issue issue) {
    return infoOf(issue).code;
}

std::string_view issueKey(Issue issue) {
    return infoOf(issue).key;
}

bool issueBlocks(const IssueNote& note) {
    if (note.issue == Issue::kNoStart) return true;
    if (note.issue != Issue::kEditorRule) return false;
    // The editor's refusals the import can mend: the leap day of a yearly event moves to
    // 28 February. A year outside the editor's limits has no nearest form.
    return note.editorKey != "dates_err_leap1";
}

}  // namespace tv::ical
