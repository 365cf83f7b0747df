// The event list window's logic: which events each of the three lists shows, the filters, both
// sort orders, the row texts, the incremental search and deleting. The window only shows the
// rows built here.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/calendar.h"
#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

class HashTable;
class MessageBox;
class StringTable;

// The list selector `OptDB`.
enum class EventListKind : int {
    kRecurring = 0,  // user events that repeat
    kOneTime = 1,    // user events that happen once
    kHolidays = 2,   // fixed holidays and movable feasts
};

enum class EventSort { kByName, kByDate };

// Days a one-time event may lie in the past and still be listed, per `eventFilter` item;
// the last item has no limit.
inline constexpr std::array<int, 12> kPastEventWindows = {0,   7,   14,  30,  61,  122,
                                                          183, 243, 304, 365, 730, -1};
inline constexpr int kNoPastLimit = 11;

// The state of the window's list controls.
struct EventListFilter {
    EventListKind list = EventListKind::kRecurring;
    EventSort sort = EventSort::kByName;
    // `repeatFilters`: anniversaries, other yearly events, monthly and selected-months events.
    std::array<bool, 3> repeatFilter = {true, true, true};
    int pastWindow = kNoPastLimit;    // `eventFilter` index 0..11
    bool showDisabledFeasts = false;  // `disabledHolidays`
};

// The filters are remembered between sessions.
EventListFilter readListFilter(HashTable& settings);
void writeListFilter(HashTable& settings, const EventListFilter& filter);

struct EventListRow {
    int slot = -1;
    int daysUntil = 0;    // to the next occurrence; negative for a past one-time event
    std::string ageText;  // anniversaries in the recurring list: "44,6"
    Date next;
    bool error = false;  // the stored date does not make a date
    // The four columns; `age` only exists in the recurring list.
    std::string dayText;
    std::string nameText;
    std::string dateText;
    // The row as the list box shows it: columns joined by tabs.
    std::string text;
};

struct EventListView {
    std::vector<EventListRow> rows;
    bool repeatFilterVisible = false;    // the `repeatFilters` boxes: recurring list only
    bool pastWindowVisible = false;      // `eventFilter` and its label: one-time list only
    bool disabledFeastsVisible = false;  // holiday list, and only while a feast is switched off
    std::vector<int> tabStops;           // of `RecordList`
    // The columns' titles: when, name, the age in the recurring list, date.
    std::vector<std::string> columnTitles;
    std::string entriesCaption;  // "DEV: entries = N" for the developer, else empty
};

struct EventListContext {
    Date today;
    const StringTable* strings = nullptr;
    EasterCache* easter = nullptr;  // null: a cache of this call only
    bool developer = false;
};

// Rebuilds the rows of the selected list. `filter.showDisabledFeasts` is cleared when no
// movable feast is switched off, as the box then disappears.
EventListView fillList(const EventTable& table, EventListFilter& filter,
                       const EventListContext& ctx);

// The first row, in list order, whose name starts with the trimmed search text ignoring case;
// -1 when none does.
int findListRow(const EventListView& view, const EventTable& table, std::string_view search);
// The row that shows the event of `slot`; -1 when the list does not hold it.
int rowOfSlot(const EventListView& view, int slot);

// The anniversary age with one decimal: whole years to the last birthday plus the tenth of the
// year gone since. `daysUntil` counts to the next birthday, in `nextYear`.
std::string anniversaryAgeText(int baseYear, int nextYear, int daysUntil, bool leapYearNow);

// Asks "dates_q_delete" for the event and, on Yes, removes it (a movable feast is switched off
// instead) and saves through `save`. True when the event was deleted.
bool deleteListedEvent(EventTable& table, int slot, MessageBox& box, const StringTable& strings,
                       const std::function<bool(const EventTable&)>& save);

}  // namespace tv
