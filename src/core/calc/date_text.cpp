// The date parts of text_format.h: elapsed-time phrases, ISO texts and date parsing.
#include <array>
#include <optional>
#include <string>

#include "core/calc/calendar.h"
#include "core/calc/text_format.h"
#include "core/config/string_table.h"

namespace tv {
namespace {

constexpr std::array<int, 12> kDaysPerMonth = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r' || s.front() == '\n')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r' || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return s;
}

void appendPadded(std::string& out, int value, size_t width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) out += '-';
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

// A field of 1..5 digits (after trimming blanks), else nullopt.
std::optional<int> numberField(std::string_view s) {
    s = trim(s);
    if (s.empty() || s.size() > 5) return std::nullopt;
    int v = 0;
    for (char c : s) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<int32_t> secondsOf(int h, int m, int s) {
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return std::nullopt;
    return h * 3600 + m * 60 + s;
}

// Reads digits at `pos` (at most `maxDigits`), advancing it.
std::optional<int> readNumber(std::string_view s, size_t& pos, size_t maxDigits) {
    size_t start = pos;
    int v = 0;
    while (pos < s.size() && isDigit(s[pos]) && pos - start < maxDigits) {
        v = v * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == start) return std::nullopt;
    return v;
}

void skipBlanks(std::string_view s, size_t& pos) {
    while (pos < s.size() && isBlank(s[pos]))
        ++pos;
}

// "H:MM" or "H:MM:SS" from `pos` to the end of the text.
std::optional<int32_t> readTime(std::string_view s, size_t pos) {
    auto h = readNumber(s, pos, 2);
    if (!h || pos >= s.size() || s[pos] != ':') return std::nullopt;
    ++pos;
    auto m = readNumber(s, pos, 2);
    if (!m) return std::nullopt;
    int sec = 0;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        auto sv = readNumber(s, pos, 2);
        if (!sv) return std::nullopt;
        sec = *sv;
    }
    if (pos != s.size()) return std::nullopt;
    return secondsOf(*h, *m, sec);
}

// What we accept where a general date conversion is wanted: year, month and day joined by "-",
// "." or "/" (blanks allowed after a "."; one trailing "." allowed), optionally followed by "T"
// or blanks and a time; or a time alone.
std::optional<DateTime> parseGeneral(std::string_view s) {
    s = trim(s);
    if (s.empty()) return std::nullopt;
    if (auto t = readTime(s, 0)) return DateTime{Date{}, *t};

    size_t pos = 0;
    auto y = readNumber(s, pos, 4);
    if (!y || pos >= s.size()) return std::nullopt;
    const char sep = s[pos];
    if (sep != '-' && sep != '.' && sep != '/') return std::nullopt;
    int parts[2] = {0, 0};
    for (int& part : parts) {
        if (pos >= s.size() || s[pos] != sep) return std::nullopt;
        ++pos;
        if (sep == '.') skipBlanks(s, pos);
        auto v = readNumber(s, pos, 2);
        if (!v) return std::nullopt;
        part = *v;
    }
    if (sep == '.' && pos < s.size() && s[pos] == '.') ++pos;
    auto date = Date::fromYmd(*y, parts[0], parts[1]);
    if (!date) return std::nullopt;
    if (pos == s.size()) return DateTime{*date, 0};

    if (s[pos] == 'T') {
        ++pos;
    } else if (isBlank(s[pos])) {
        skipBlanks(s, pos);
    } else {
        return std::nullopt;
    }
    auto t = readTime(s, pos);
    if (!t) return std::nullopt;
    return DateTime{*date, *t};
}

}  // namespace

std::string timeSpentBetween(Date start, Date end, const StringTable& strings) {
    if (end == start) return strings.getString("time_spent_today");
    if (end < start) return strings.getString("time_spent_no");

    const Ymd s = start.ymd();
    const Ymd e = end.ymd();
    int months = (e.year - s.year) * 12 + (e.month - s.month);
    int days = 0;
    if (e.day >= s.day) {
        days = e.day - s.day;
    } else {
        // Borrow the month before the end month. Note: a start day past that month's length
        // (31 January to 1 March) leaves a negative day count; the phrase shows it as it is.
        int borrowed = 0;
        if (e.month == 1) {
            borrowed = 31;
        } else if (e.month == 3 && !isLeapYear(e.year)) {
            borrowed = 28;
        } else {
            borrowed = kDaysPerMonth[static_cast<size_t>(e.month - 2)];
        }
        days = e.day + borrowed - s.day;
        --months;
    }
    int years = 0;
    if (months >= 12) {
        years = months / 12;
        months %= 12;
    }

    const std::string y = std::to_string(years);
    const std::string m = std::to_string(months);
    const std::string d = std::to_string(days);
    if (years == 0) {
        if (months == 0) return strings.formatString("time_spent_d", d);
        if (days != 0) return strings.formatString("time_spent_md", m, d);
        return strings.formatString("time_spent_m", m);
    }
    if (months != 0) {
        if (days != 0) return strings.formatString("time_spent_ymd", y, m, d);
        return strings.formatString("time_spent_ym", y, m);
    }
    if (days != 0) return strings.formatString("time_spent_yd", y, d);
    return strings.formatString("time_spent_y", y);
}

std::string timeSpentSince(std::string_view year, std::string_view month, std::string_view day,
                           Date currentDay, const StringTable& strings) {
    if (year.empty() || month.empty() || day.empty()) {
        return strings.getString("time_spent_invalid");
    }
    const int64_t y = leadingInteger(year);
    const int64_t m = leadingInteger(month);
    const int64_t d = leadingInteger(day);
    bool valid = y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1;
    if (valid) {
        const int yi = static_cast<int>(y);
        const int mi = static_cast<int>(m);
        const int limit =
            mi == 2 ? (isLeapYear(yi) ? 29 : 28) : kDaysPerMonth[static_cast<size_t>(mi - 1)];
        valid = d <= limit;
    }
    if (!valid) return strings.getString("time_spent_invalid");
    const Date start = Date::serial(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
    return timeSpentBetween(start, currentDay, strings);
}

std::string isoDate(Date d) {
    const Ymd ymd = d.ymd();
    std::string out;
    out.reserve(10);
    appendPadded(out, ymd.year, 4);
    out += '-';
    appendPadded(out, ymd.month, 2);
    out += '-';
    appendPadded(out, ymd.day, 2);
    return out;
}

std::string isoDateTime(DateTime t) {
    std::string out = isoDate(t.date);
    out += 'T';
    appendPadded(out, t.hour(), 2);
    out += ':';
    appendPadded(out, t.minute(), 2);
    out += ':';
    appendPadded(out, t.sec(), 2);
    return out;
}

Date parseDate(std::string_view text) {
    std::string_view s = trim(text);
    char sep = '-';
    if (s.find('-') == std::string_view::npos) {
        sep = '.';
        if (!s.empty() && s.back() == '.') s.remove_suffix(1);
    }
    const size_t p1 = s.find(sep);
    if (p1 != std::string_view::npos) {
        const size_t p2 = s.find(sep, p1 + 1);
        const auto y = numberField(s.substr(0, p1));
        const auto m =
            numberField(s.substr(p1 + 1, p2 == std::string_view::npos ? s.npos : p2 - p1 - 1));
        const auto d =
            p2 == std::string_view::npos ? std::optional<int>(1) : numberField(s.substr(p2 + 1));
        if (y && m && d) {
            auto date = Date::fromYmd(*y, *m, *d);
            return date ? *date : Date{};
        }
    }
    // Anything else, a date-time among them, goes through the general reading.
    const auto general = parseGeneral(text);
    return general ? general->date : Date{};
}

DateTime parseDateTime(std::string_view text) {
    const std::string_view s = trim(text);
    if (s.size() == 19 && s[4] == '-' && s[7] == '-' && s[10] == 'T' && s[13] == ':' &&
        s[16] == ':') {
        const auto y = numberField(s.substr(0, 4));
        const auto mo = numberField(s.substr(5, 2));
        const auto d = numberField(s.substr(8, 2));
        const auto h = numberField(s.substr(11, 2));
        const auto mi = numberField(s.substr(14, 2));
        const auto se = numberField(s.substr(17, 2));
        if (!y || !mo || !d || !h || !mi || !se) return DateTime{};
        const auto date = Date::fromYmd(*y, *mo, *d);
        const auto secs = secondsOf(*h, *mi, *se);
        if (!date || !secs) return DateTime{};
        return DateTime{*date, *secs};
    }
    const auto general = parseGeneral(s);
    return general ? *general : DateTime{};
}

}  // namespace tv
