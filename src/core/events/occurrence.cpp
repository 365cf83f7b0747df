#include "core/events/occurrence.h"

#include <algorithm>

#include "core/config/cp1250.h"

namespace tv {
namespace {

// A date from stored parts. Stored data may be off (a 31st in a 30-day month, a yearly event on
// 29 February in a common year): the day is held to the month, as the month grid shows it, so
// that the next and the previous occurrence always agree on the day.
Date dayIn(int y, int m, int d) {
    m = std::clamp(m, 1, 12);
    d = std::clamp(d, 1, daysInMonth(y, m));
    return Date::serial(y, m, d);
}

bool monthInMask(int mask, int month) {
    return isBitSet(mask, month - 1);
}

constexpr int kAllMonths = 0xFFF;

// Forward (step 1) or backward (step -1) from the month after/before (ty, tm) to the first month
// of the mask; the zero date when the mask names no month.
Date stepToMaskMonth(int mask, int ty, int tm, int d, int step) {
    int y = ty;
    int m = tm;
    for (int i = 0; i < 12; ++i) {
        m += step;
        if (m > 12) {
            m = 1;
            ++y;
        } else if (m < 1) {
            m = 12;
            --y;
        }
        if (monthInMask(mask, m)) return dayIn(y, m, d);
    }
    return Date();
}

}  // namespace

Date nextOccurrence(const EventRecord& e, Date today) {
    const Ymd t = today.ymd();
    const int y = e.year;
    const int m = e.month;
    const int d = e.day;
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            return dayIn(y, m, d);
        case RepeatKind::kYearly:
            if (countsYears(e) && (y > t.year || (y == t.year && m > t.month))) {
                return dayIn(y, m, d);  // not born yet: the base date itself
            }
            return dayIn(m > t.month || (m == t.month && d >= t.day) ? t.year : t.year + 1, m, d);
        case RepeatKind::kMonthly:
            if (d >= t.day) return dayIn(t.year, t.month, d);
            return t.month == 12 ? dayIn(t.year + 1, 1, d) : dayIn(t.year, t.month + 1, d);
        case RepeatKind::kSelectedMonths:
            if ((m & kAllMonths) == 0) return Date();
            if (monthInMask(m, t.month) && d >= t.day) return dayIn(t.year, t.month, d);
            return stepToMaskMonth(m, t.year, t.month, d, 1);
    }
    return dayIn(y, m, d);  // an unknown repeat kind counts as once
}

Date previousOccurrence(const EventRecord& e, Date today) {
    const Ymd t = today.ymd();
    const int y = e.year;
    const int m = e.month;
    const int d = e.day;
    switch (e.repeatKind()) {
        case RepeatKind::kOnce:
            return dayIn(y, m, d);
        case RepeatKind::kYearly:
            if (countsYears(e) && (y > t.year || (y == t.year && m > t.month))) {
                return dayIn(y, m, d);
            }
            return dayIn(m < t.month || (m == t.month && d <= t.day) ? t.year : t.year - 1, m, d);
        case RepeatKind::kMonthly:
            if (d <= t.day) return dayIn(t.year, t.month, d);
            return t.month == 1 ? dayIn(t.year - 1, 12, d) : dayIn(t.year, t.month - 1, d);
        case RepeatKind::kSelectedMonths:
            if ((m & kAllMonths) == 0) return Date();
            if (monthInMask(m, t.month) && d <= t.day) return dayIn(t.year, t.month, d);
            return stepToMaskMonth(m, t.year, t.month, d, -1);
    }
    return dayIn(y, m, d);
}

FeastOccurrence feastOccurrences(const EventRecord& e, Date today, EasterCache& easter) {
    FeastOccurrence f;
    f.next = feastDateFrom(e.ruleKey, today, easter);
    if (f.next.isZero()) return f;
    f.previous = feastDate(e.ruleKey, f.next.year() - 1, easter);
    if (f.previous.isZero()) f.next = Date();  // year 100: no year before it to ask about
    return f;
}

Date nextOccurrenceOf(const EventRecord& e, Date today, EasterCache& easter) {
    if (isMovableFeast(e)) return feastOccurrences(e, today, easter).next;
    return nextOccurrence(e, today);
}

std::string alarmTimeText(int hour, int minute) {
    std::string s = std::to_string(hour);
    s += ':';
    if (minute < 10) s += '0';
    s += std::to_string(minute);
    return s;
}

std::string alarmSortPrefix(const EventRecord& e) {
    if (e.alarmOn == 0) return "9999";
    std::string s;
    if (e.alarmHour < 10) s += '0';
    s += std::to_string(e.alarmHour);
    if (e.alarmMinute < 10) s += '0';
    s += std::to_string(e.alarmMinute);
    return s;
}

namespace {

// Lower case for the Latin letters our names use (ASCII, Latin-1, Latin Extended-A).
char32_t lowerLatin(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;
    if (c < 0x100 || c > 0x17E) return c;
    if (c == 0x178) return 0xFF;
    if ((c >= 0x139 && c <= 0x148) || c >= 0x179) return (c & 1) != 0 ? c + 1 : c;
    if (c == 0x130 || c == 0x138 || c == 0x149) return c;
    return (c & 1) == 0 ? c + 1 : c;
}

}  // namespace

std::string foldSortKey(std::string_view key) {
    std::string out;
    out.reserve(key.size());
    appendFoldedSortKey(out, key);
    return out;
}

void appendFoldedSortKey(std::string& out, std::string_view key) {
    // Lower and upper case of every letter we fold take the same number of UTF-8 bytes, so the
    // key can be written in place.
    const size_t base = out.size();
    out.resize(base + key.size());
    char* o = out.data() + base;
    size_t pos = 0;
    while (pos < key.size()) {
        const auto b = static_cast<unsigned char>(key[pos]);
        if (b < 0x80) {
            o[pos] = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
            ++pos;
            continue;
        }
        const size_t start = pos;
        const char32_t c = nextCodePoint(key, pos);
        const char32_t lower = lowerLatin(c);
        if (lower != c && pos - start == 2 && lower < 0x800) {
            o[start] = static_cast<char>(0xC0 | (lower >> 6));
            o[start + 1] = static_cast<char>(0x80 | (lower & 0x3F));
        } else {
            key.copy(o + start, pos - start, start);  // broken bytes stay as they were
        }
    }
}

}  // namespace tv
