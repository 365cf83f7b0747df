#include "core/ical/rule_mapping.h"

#include <algorithm>
#include <cstring>

#include "core/events/occurrence.h"
#include "core/events/windows/event_checks.h"

namespace tv::ical {
namespace {

constexpr short kEnd = ICAL_RECURRENCE_ARRAY_MAX;
constexpr int kShortestMonth = 28;

Date clampedDay(int y, int m, int d) {
    m = std::clamp(m, 1, 12);
    return Date::serial(y, m, std::clamp(d, 1, daysInMonth(y, m)));
}

int shortestLength(int month) {
    return month == 2 ? kShortestMonth : daysInMonth(2001, month);
}

int longestLength(int month) {
    return daysInMonth(2000, month);
}

icalrecurrencetype emptyRule(icalrecurrencetype_frequency freq) {
    icalrecurrencetype r;
    icalrecurrencetype_clear(&r);
    r.freq = freq;
    return r;
}

template <size_t N>
void setList(short (&list)[N], const std::vector<short>& values) {
    size_t i = 0;
    for (; i < values.size() && i < N; ++i)
        list[i] = values[i];
    if (i < N) list[i] = kEnd;
}

template <size_t N>
std::vector<int> listOf(const short (&list)[N]) {
    std::vector<int> out;
    for (size_t i = 0; i < N && list[i] != kEnd; ++i)
        out.push_back(list[i]);
    return out;
}

// Day d of the month (1..32) in BYMONTHDAY/BYSETPOS terms.
void setMonthDay(icalrecurrencetype& r, int d, int& dayNote) {
    if (d >= 31) {
        setList(r.by_month_day, {-1});
        dayNote = d;
    } else if (d > kShortestMonth) {
        std::vector<short> days;
        for (int i = kShortestMonth; i <= d; ++i)
            days.push_back(static_cast<short>(i));
        setList(r.by_month_day, days);
        setList(r.by_set_pos, {-1});
    } else {
        setList(r.by_month_day, {static_cast<short>(std::max(d, 1))});
    }
}

IssueNote note(Issue issue, std::string detail = {}) {
    IssueNote n;
    n.issue = issue;
    if (!detail.empty()) n.params.push_back(std::move(detail));
    return n;
}

bool hasAny(const short* list) {
    return list[0] != kEnd;
}

}  // namespace

RuleForm ruleOfEvent(const EventRecord& e) {
    RuleForm f;
    const Date fromYear = Date::serial(kRuleStartYear, 1, 1);
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            f.start = clampedDay(e.year, e.month, e.day);
            return f;
        case RepeatKind::kYearly: {
            const int year =
                countsYears(e) ? std::min<int>(e.year, kLastWritableYear) : kRuleStartYear;
            f.repeats = true;
            f.rule = emptyRule(ICAL_YEARLY_RECURRENCE);
            f.start = clampedDay(year, e.month, e.day);
            if (e.day > shortestLength(std::clamp<int>(e.month, 1, 12))) {
                setList(f.rule.by_month, {static_cast<short>(f.start.month())});
                setList(f.rule.by_month_day, {-1});
                f.dayNote = e.day;
            }
            return f;
        }
        case RepeatKind::kMonthly:
            f.repeats = true;
            f.rule = emptyRule(ICAL_MONTHLY_RECURRENCE);
            f.start = nextOccurrence(e, fromYear);
            setMonthDay(f.rule, e.day, f.dayNote);
            return f;
        case RepeatKind::kSelectedMonths: {
            const int mask = e.month & kAllMonthsMask;
            f.start = nextOccurrence(e, fromYear);
            if (mask == 0) return f;  // no month, no date: nothing to write
            f.repeats = true;
            const bool february = (mask & 2) != 0;
            const bool lastOfDays = e.day > kShortestMonth && e.day < 31 && february;
            f.rule = emptyRule(lastOfDays ? ICAL_MONTHLY_RECURRENCE : ICAL_YEARLY_RECURRENCE);
            std::vector<short> months;
            for (int m = 1; m <= 12; ++m) {
                if ((mask & (1 << (m - 1))) != 0) months.push_back(static_cast<short>(m));
            }
            setList(f.rule.by_month, months);
            if (lastOfDays || e.day >= 31) {
                setMonthDay(f.rule, e.day, f.dayNote);
            } else {
                setList(f.rule.by_month_day, {static_cast<short>(std::max<int>(e.day, 1))});
            }
            f.monthsNote = months.size() == 1;
            return f;
        }
    }
    f.start = clampedDay(e.year, e.month, e.day);  // an unknown kind counts as once
    return f;
}

RuleReading readRule(const icalrecurrencetype* rule, Ymd start, int dayNote, bool monthsNote) {
    RuleReading out;
    out.month = start.month;
    out.day = start.day;
    if (rule == nullptr || rule->count == 1) return out;  // once
    const icalrecurrencetype& r = *rule;

    // Shapes the record has nothing near to: the first occurrence alone.
    if (r.freq != ICAL_YEARLY_RECURRENCE && r.freq != ICAL_MONTHLY_RECURRENCE) {
        out.issues.push_back(note(Issue::kRuleFrequency, icalrecur_freq_to_string(r.freq)));
        return out;
    }
    const bool otherCalendar = r.rscale != nullptr && strcasecmp(r.rscale, "GREGORIAN") != 0;
    if (otherCalendar || hasAny(r.by_second) || hasAny(r.by_minute) || hasAny(r.by_hour) ||
        hasAny(r.by_year_day) || hasAny(r.by_week_no)) {
        out.issues.push_back(note(Issue::kRuleForm));
        return out;
    }

    if (r.interval > 1)
        out.issues.push_back(note(Issue::kRuleInterval, std::to_string(r.interval)));
    if (r.count > 1 || !icaltime_is_null_time(r.until)) out.issues.push_back(note(Issue::kRuleEnd));
    const bool weekdays = hasAny(r.by_day);
    if (weekdays) out.issues.push_back(note(Issue::kRuleWeekday));

    std::vector<int> months;
    for (const int m : listOf(r.by_month)) {
        if (m < 1 || m > 12) {  // a leap month of another calendar
            out.issues.push_back(note(Issue::kRuleForm));
            return out;
        }
        months.push_back(m);
    }
    const std::vector<int> days = listOf(r.by_month_day);
    const std::vector<int> positions = listOf(r.by_set_pos);

    int day = start.day;
    bool lastDay = false;
    bool exactAtMonthEnd = false;  // the form already says what a short month does
    if (days.empty()) {
        if (!positions.empty() && !weekdays) out.issues.push_back(note(Issue::kRuleForm));
    } else if (positions.empty() && days.size() == 1 && days[0] == -1) {
        lastDay = true;
    } else if (positions.empty() && days.size() == 1 && days[0] > 0) {
        day = days[0];
    } else if (positions.size() == 1 && positions[0] == -1 && days.front() >= 1 &&
               days.front() <= kShortestMonth && days.back() >= kShortestMonth &&
               static_cast<int>(days.size()) == days.back() - days.front() + 1 &&
               std::is_sorted(days.begin(), days.end())) {
        day = days.back();  // the last of the days a..d: d, or the month's last day
        exactAtMonthEnd = true;
    } else if (!weekdays) {
        out.issues.push_back(note(Issue::kRuleForm));
        const auto first = std::find_if(days.begin(), days.end(), [](int d) { return d > 0; });
        if (first != days.end()) day = *first;
    }
    if (lastDay) exactAtMonthEnd = true;
    if (r.rscale != nullptr && r.skip == ICAL_SKIP_BACKWARD) exactAtMonthEnd = true;

    const bool yearly = r.freq == ICAL_YEARLY_RECURRENCE && months.empty() && days.empty();
    const bool singleMonthYearly = r.freq == ICAL_YEARLY_RECURRENCE && months.size() == 1 &&
                                   months[0] == start.month && !monthsNote &&
                                   (days.empty() || day == start.day || lastDay);
    if (yearly || singleMonthYearly) {
        out.kind = 1;
        out.month = start.month;
        out.day =
            lastDay ? (dayNote >= longestLength(start.month) ? dayNote : longestLength(start.month))
                    : day;
        return out;
    }

    if (lastDay) day = dayNote == 31 || dayNote == 32 ? dayNote : kLastDayOfMonth;
    out.day = day;
    int shortest = 31;  // the shortest month the rule runs through
    if (months.empty()) {
        out.kind = 2;
        out.month = 0;  // the editor stores no month for monthly events
        shortest = kShortestMonth;
    } else {
        out.kind = 3;
        out.month = 0;
        for (const int m : months) {
            out.month |= 1 << (m - 1);
            shortest = std::min(shortest, shortestLength(m));
        }
    }
    if (day > shortest && !exactAtMonthEnd) out.issues.push_back(note(Issue::kMonthEnd));
    return out;
}

}  // namespace tv::ical
