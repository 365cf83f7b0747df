#include "core/events/windows/event_list.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "core/app/version.h"
#include "core/calc/date_words.h"
#include "core/calc/text_format.h"
#include "core/config/settings_keys.h"
#include "core/config/string_table.h"
#include "core/events/forecast.h"
#include "core/events/occurrence.h"
#include "core/ports/message_box.h"

namespace tv {
namespace {

constexpr int kAllMonths = 0xFFF;

const SettingKey* const kRepeatFilterKeys[3] = {
    &settings::DatesRepeatFilter1, &settings::DatesRepeatFilter2, &settings::DatesRepeatFilter3};

// Whether the stored fields make a date at all. Imported or hand-edited data can hold a 31st of
// April, a 29th of February in a common year or a month 13; such rows are listed with the raw
// numbers and "dates_list_error" rather than a date the event does not have.
bool storedDateValid(const EventRecord& e) {
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            return Date::fromYmd(e.year, e.month, e.day).has_value();
        case RepeatKind::kYearly:
            if (countsYears(e) && !Date::fromYmd(e.year, e.month, e.day)) return false;
            return e.month >= 1 && e.month <= 12 && e.day >= 1 &&
                   e.day <= daysInMonth(2000, e.month);  // a leap year: 29 February is fine
        case RepeatKind::kMonthly:
            return e.day >= 1 && e.day <= 32;  // 32 stands for the last day
        case RepeatKind::kSelectedMonths:
            return (e.month & kAllMonths) != 0 && e.day >= 1 && e.day <= 32;
    }
    return false;
}

// Which check box of the recurring list an event answers to.
int repeatFilterIndex(const EventRecord& e) {
    if (countsYears(e)) return 0;
    return e.repeatKind() == RepeatKind::kYearly ? 1 : 2;
}

bool belongsToList(const EventRecord& e, const EventListFilter& f) {
    switch (f.list) {
        case EventListKind::kRecurring:
            return e.kind() == EventCategory::kUser && e.repeatKind() != RepeatKind::kOnce &&
                   f.repeatFilter[static_cast<size_t>(repeatFilterIndex(e))];
        case EventListKind::kOneTime:
            return e.kind() == EventCategory::kUser && e.repeatKind() == RepeatKind::kOnce;
        case EventListKind::kHolidays:
            if (e.kind() == EventCategory::kUser) return false;
            return f.showDisabledFeasts ? isSwitchedOffFeast(e) : e.active == 1;
    }
    return false;
}

std::string padded(int value, size_t width) {
    std::string digits = std::to_string(std::abs(value));
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// The order key of "by date": one-time events by their date; the repeating ones grouped
// (selected months, then monthly, then yearly) and ordered within the group.
std::string dateKey(const EventRecord& e, Date shown, Date today) {
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            return padded(e.year, 4) + padded(e.month, 2) + padded(e.day, 2);
        case RepeatKind::kMonthly:
            return "1000000" + padded(e.day, 2);
        case RepeatKind::kSelectedMonths:
            return "000000000" + e.name;
        case RepeatKind::kYearly:
            break;
    }
    int m = e.month;
    int d = e.day;
    if (isMovableFeast(e) && !shown.isZero()) {
        m = shown.month();
        d = shown.day();
    }
    if (d == 0 || d > 31 || m < 1 || m > 12) {
        m = today.month();
        d = today.day();
    }
    return "20000" + padded(m, 2) + padded(d, 2);
}

std::string dayWord(const EventListRow& row, const StringTable& s) {
    switch (row.daysUntil) {
        case -2:
            return s.getString("dates_list_day_m2");
        case -1:
            return s.getString("dates_list_day_m1");
        case 0:
            return s.getString(row.error ? "dates_list_error" : "dates_list_today");
        case 1:
            return s.getString("dates_list_day_p1");
        case 2:
            return s.getString("dates_list_day_p2");
        default:
            break;
    }
    if (row.daysUntil > 0)
        return s.formatString("dates_list_future", std::to_string(row.daysUntil));
    return s.formatString("dates_list_past", std::to_string(-row.daysUntil));
}

std::string nameColumn(const EventRecord& e, const StringTable& s) {
    std::string text;
    if (e.alarmOn != 0) text = "(" + alarmTimeText(e.alarmHour, e.alarmMinute) + ") ";
    text += e.name.empty() ? s.getString("dates_unnamedevent") : e.name;
    return text;
}

std::string dateColumn(const EventRecord& e, const EventListRow& row, const StringTable& s) {
    // A date that does not exist is shown as it was saved.
    if (row.error) {
        if (e.repeatKind() == RepeatKind::kYearly && !countsYears(e)) {
            return monthDayText(e.month, e.day, s);
        }
        return numericDateText(e.year, e.month, e.day);
    }
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            return longDateText(Date::serial(e.year, e.month, e.day), s);
        case RepeatKind::kYearly:
            if (countsYears(e)) return longDateText(Date::serial(e.year, e.month, e.day), s);
            if (isMovableFeast(e)) return monthDayText(row.next.month(), row.next.day(), s);
            return monthDayText(e.month, e.day, s);
        case RepeatKind::kMonthly:
        case RepeatKind::kSelectedMonths:
            break;
    }
    return monthDayText(row.next.month(), row.next.day(), s);
}

template <typename Key>
void stableSortBy(std::vector<EventListRow>& rows, Key key) {
    std::vector<std::pair<decltype(key(rows[0])), size_t>> keys;
    keys.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        keys.emplace_back(key(rows[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<EventListRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& k : keys)
        sorted.push_back(std::move(rows[k.second]));
    rows = std::move(sorted);
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

}  // namespace

EventListFilter readListFilter(HashTable& settings) {
    EventListFilter f;
    for (size_t i = 0; i < 3; ++i)
        f.repeatFilter[i] = readFlag(settings, *kRepeatFilterKeys[i]);
    f.pastWindow = std::clamp(readInt(settings, settings::DatesEventFilter), 0, kNoPastLimit);
    return f;
}

void writeListFilter(HashTable& settings, const EventListFilter& filter) {
    for (size_t i = 0; i < 3; ++i)
        write(settings, *kRepeatFilterKeys[i], filter.repeatFilter[i] ? "1" : "0");
    write(settings, settings::DatesEventFilter, std::to_string(filter.pastWindow));
}

std::string anniversaryAgeText(int baseYear, int nextYear, int daysUntil, bool leapYearNow) {
    const double yearDays = leapYearNow ? 366.0 : 365.0;
    // The tenths gone of the year before the next birthday; truncated, as the age only ever
    // shows what is complete.
    const int tenths = static_cast<int>(10.0 - 10.0 * daysUntil / yearDays);
    const long total = (static_cast<long>(nextYear) - baseYear - 1) * 10 + tenths;
    const long whole = std::labs(total);
    return (total < 0 ? "-" : "") + std::to_string(whole / 10) + "," + std::to_string(whole % 10);
}

EventListView fillList(const EventTable& table, EventListFilter& filter,
                       const EventListContext& ctx) {
    static const StringTable kNoStrings;
    const StringTable& s = ctx.strings != nullptr ? *ctx.strings : kNoStrings;
    EasterCache localEaster;
    EasterCache& easter = ctx.easter != nullptr ? *ctx.easter : localEaster;

    EventListView view;
    if (ctx.developer) view.entriesCaption = "DEV: entries = " + std::to_string(table.eventCount());

    const bool anyFeastOff =
        std::any_of(table.records().begin(), table.records().end(),
                    [](const EventRecord& e) { return e.used() && isSwitchedOffFeast(e); });
    if (!anyFeastOff) filter.showDisabledFeasts = false;
    view.repeatFilterVisible = filter.list == EventListKind::kRecurring;
    view.pastWindowVisible = filter.list == EventListKind::kOneTime;
    view.disabledFeastsVisible = filter.list == EventListKind::kHolidays && anyFeastOff;
    view.tabStops = filter.list == EventListKind::kRecurring ? std::vector<int>{64, 255, 280}
                                                             : std::vector<int>{64, 280};

    const int window =
        kPastEventWindows[static_cast<size_t>(std::clamp(filter.pastWindow, 0, kNoPastLimit))];
    const bool leapNow = isLeapYear(ctx.today.year());

    for (int slot = 0; slot < table.slotCount(); ++slot) {
        const EventRecord& e = table[slot];
        if (!e.used() || !belongsToList(e, filter)) continue;
        EventListRow row;
        row.slot = slot;
        row.error = !storedDateValid(e);
        if (!row.error) {
            row.next = nextOccurrenceOf(e, ctx.today, easter);
            row.error = row.next.isZero();  // an unknown feast rule
        }
        row.daysUntil = row.error ? 0 : ctx.today.daysUntil(row.next);
        if (window >= 0 && row.daysUntil < -window) continue;

        if (filter.list == EventListKind::kRecurring && countsYears(e) && !row.error) {
            row.ageText = anniversaryAgeText(e.year, row.next.year(), row.daysUntil, leapNow);
        }
        row.dayText = dayWord(row, s);
        row.nameText = nameColumn(e, s);
        row.dateText = dateColumn(e, row, s);
        row.text = row.dayText + '\t' + row.nameText + '\t';
        if (filter.list == EventListKind::kRecurring) row.text += row.ageText + '\t';
        row.text += row.dateText;
        view.rows.push_back(std::move(row));
    }

    if (view.rows.empty()) return view;
    auto recordOf = [&table](const EventListRow& r) -> const EventRecord& { return table[r.slot]; };
    if (filter.sort == EventSort::kByName) {
        stableSortBy(view.rows,
                     [&](const EventListRow& r) { return foldSortKey(recordOf(r).name); });
    } else {
        stableSortBy(view.rows, [&](const EventListRow& r) {
            return foldSortKey(dateKey(recordOf(r), r.next, ctx.today));
        });
        // Repeating events: the soonest first, whatever their date key says.
        if (filter.list != EventListKind::kOneTime) {
            stableSortBy(view.rows, [](const EventListRow& r) { return r.daysUntil; });
        }
    }
    return view;
}

int findListRow(const EventListView& view, const EventTable& table, std::string_view search) {
    const std::string wanted = foldSortKey(trimmed(search));
    for (size_t i = 0; i < view.rows.size(); ++i) {
        const std::string name = foldSortKey(table[view.rows[i].slot].name);
        if (name.compare(0, wanted.size(), wanted) == 0) return static_cast<int>(i);
    }
    return -1;
}

int rowOfSlot(const EventListView& view, int slot) {
    for (size_t i = 0; i < view.rows.size(); ++i) {
        if (view.rows[i].slot == slot) return static_cast<int>(i);
    }
    return -1;
}

bool deleteListedEvent(EventTable& table, int slot, MessageBox& box, const StringTable& strings,
                       const std::function<bool(const EventTable&)>& save) {
    if (slot < 0 || slot >= table.slotCount() || !table[slot].used()) return false;
    const EventRecord& e = table[slot];
    MessageRequest ask;
    ask.text = strings.formatString(
        "dates_q_delete", e.name.empty() ? strings.getString("dates_unnamedevent") : e.name);
    ask.title = std::string(kProgramName);
    ask.buttons = MessageButtons::kYesNo;
    ask.icon = MessageIcon::kQuestion;
    if (box.show(ask) != MessageAnswer::kYes) return false;
    table.deleteEvent(slot);
    if (save) save(table);
    return true;
}

}  // namespace tv
