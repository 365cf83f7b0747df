// When an event happens: its next and previous occurrence seen from today. The forecast, the
// month grid, the alarms and the event list all go by these rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calc/calendar.h"
#include "core/calc/collation.h"
#include "core/calc/date.h"
#include "core/events/event_record.h"

namespace tv {

// The first occurrence on or after today. Movable feasts go by the date stored in the record
// (see FeastOccurrence for their own rule). A selected-months event without any month gives the
// zero date.
Date nextOccurrence(const EventRecord& e, Date today);
// The last occurrence on or before today, with the same caveats.
Date previousOccurrence(const EventRecord& e, Date today);

// A movable feast's next and previous date: this year's (or next year's, once this year's is
// past), and the one of the year before that. Both are zero for an unknown rule.
struct FeastOccurrence {
    Date next;
    Date previous;
};
FeastOccurrence feastOccurrences(const EventRecord& e, Date today, EasterCache& easter);

// The next occurrence by the event's own rule, feasts included.
Date nextOccurrenceOf(const EventRecord& e, Date today, EasterCache& easter);

// Whether years are counted for the event (birthdays, anniversaries).
inline bool countsYears(const EventRecord& e) {
    return e.anniversary == 1 && e.repeatKind() == RepeatKind::kYearly;
}
inline bool isMovableFeast(const EventRecord& e) {
    return e.kind() == EventCategory::kFeast;
}
// Feasts the user switched off take part in nothing.
inline bool isSwitchedOffFeast(const EventRecord& e) {
    return isMovableFeast(e) && e.active != 1;
}

// "7:05": the alarm time as the lists write it, the hour without a leading zero.
std::string alarmTimeText(int hour, int minute);
// "0705": the alarm time as the first part of an order key; "9999" without an alarm, so that
// events with an alarm come first, in order of time.
std::string alarmSortPrefix(const EventRecord& e);

// Names compared without regard to case (duplicates, the list's incremental search): letters
// folded to lower case, accented ones included, so equal names give equal keys.
std::string foldSortKey(std::string_view key);
void appendFoldedSortKey(std::string& out, std::string_view key);

// Sorts entries by their sortKey in Hungarian alphabetical order, without regard to case; equal
// keys keep their order. The collation keys share one buffer: the month grid sorts thousands of
// entries on every page.
template <typename Entry>
void sortByCollationKey(std::vector<Entry>& entries, bool descending) {
    const size_t n = entries.size();
    if (n < 2) return;
    size_t total = 0;
    for (const Entry& e : entries)
        total += e.sortKey.size();
    std::string arena;
    arena.reserve(total + total / 4);
    std::vector<std::pair<size_t, size_t>> spans(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t start = arena.size();
        appendCollationKey(arena, entries[i].sortKey);
        spans[i] = {start, arena.size() - start};
    }
    const std::string_view keys = arena;
    auto key = [&](size_t i) { return keys.substr(spans[i].first, spans[i].second); };
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return descending ? key(b) < key(a) : key(a) < key(b);
    });
    std::vector<Entry> sorted;
    sorted.reserve(n);
    for (size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries.swap(sorted);
}

}  // namespace tv
