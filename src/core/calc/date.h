// Calendar dates as whole days, and date-times as days plus seconds.
//
// A date is a day number counted from 30 December 1899 (day 0, "the zero date"), the proleptic
// Gregorian calendar throughout, so years 100..9999 work without the C library's time_t limits.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace tv {

struct Ymd {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend constexpr bool operator==(const Ymd&, const Ymd&) = default;
};

class Date {
public:
    constexpr Date() = default;  // the zero date
    static constexpr Date fromSerial(int32_t serial) { return Date(serial); }

    // Checked: nullopt unless month 1..12 and the day exists in that month, year 100..9999.
    static constexpr std::optional<Date> fromYmd(int y, int m, int d);
    // Unchecked for a valid triple; months and days outside their range roll over the way a
    // date serial does (month 13 is January of the next year, day 0 the last of the month before).
    static constexpr Date serial(int y, int m, int d);

    constexpr int32_t serialNumber() const { return serial_; }
    constexpr bool isZero() const { return serial_ == 0; }
    constexpr Ymd ymd() const;
    constexpr int year() const { return ymd().year; }
    constexpr int month() const { return ymd().month; }
    constexpr int day() const { return ymd().day; }
    // 1 = Sunday ... 7 = Saturday.
    constexpr int weekday() const;
    // 1 = Monday ... 7 = Sunday.
    constexpr int isoWeekday() const { return (weekday() + 5) % 7 + 1; }

    constexpr Date addDays(int n) const { return Date(serial_ + n); }
    // Days from this date to `later` (negative when `later` is earlier).
    constexpr int daysUntil(Date later) const { return later.serial_ - serial_; }

    friend constexpr auto operator<=>(Date, Date) = default;

private:
    constexpr explicit Date(int32_t s) : serial_(s) {}
    int32_t serial_ = 0;
};

constexpr bool isLeapYearNumber(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

constexpr int daysInMonth(int y, int m) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYearNumber(y) ? 29 : kDays[m - 1];
}

namespace detail {
// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
constexpr int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;                                   // [0, 399]
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365]
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // [0, 146096]
    return era * 146097 + doe - 719468;
}
constexpr Ymd civilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;                                       // [0, 146096]
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);  // [0, 365]
    const int64_t mp = (5 * doy + 2) / 153;                       // [0, 11]
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;               // [1, 31]
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;                  // [1, 12]
    return Ymd{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}
// 1899-12-30 is day 0 of our serial numbers.
inline constexpr int64_t kEpochOffset = -25569;
}  // namespace detail

constexpr Date Date::serial(int y, int m, int d) {
    // Normalise the month first, then let the day roll over.
    int64_t months = static_cast<int64_t>(y) * 12 + (m - 1);
    int64_t yy = months >= 0 ? months / 12 : (months - 11) / 12;
    int64_t mm = months - yy * 12 + 1;
    int64_t days = detail::daysFromCivil(yy, mm, 1) + (d - 1) - detail::kEpochOffset;
    return Date(static_cast<int32_t>(days));
}

constexpr std::optional<Date> Date::fromYmd(int y, int m, int d) {
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) {
        return std::nullopt;
    }
    return serial(y, m, d);
}

constexpr Ymd Date::ymd() const {
    return detail::civilFromDays(serial_ + detail::kEpochOffset);
}

constexpr int Date::weekday() const {
    // Day 0 (1899-12-30) was a Saturday.
    int r = static_cast<int>((static_cast<int64_t>(serial_) + 6) % 7);
    if (r < 0) r += 7;
    return r + 1;
}

// A moment: a date and the seconds since its midnight.
struct DateTime {
    Date date;
    int32_t second = 0;  // [0, 86399]

    constexpr int hour() const { return second / 3600; }
    constexpr int minute() const { return second / 60 % 60; }
    constexpr int sec() const { return second % 60; }
    // Days since the zero date with the time as a fraction, as date arithmetic counts them.
    constexpr double asDays() const { return date.serialNumber() + second / 86400.0; }
    static constexpr DateTime of(Date d, int h, int mi, int s) {
        return DateTime{d, h * 3600 + mi * 60 + s};
    }
    friend constexpr auto operator<=>(const DateTime&, const DateTime&) = default;
};

}  // namespace tv
