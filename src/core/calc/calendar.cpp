#include "core/calc/calendar.h"

#include <cctype>
#include <string>

namespace tv {
namespace {

// Remainder in 0..m-1 whatever the sign of a.
int floorMod(int a, int m) {
    int r = a % m;
    return r < 0 ? r + m : r;
}

// Days from 1 January to the first of each month in a common year.
constexpr int kMonthStart[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int kCommonDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

Date sundayOnOrBefore(Date d) {
    return d.addDays(-(d.weekday() - 1));
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

bool isLeapYear(int year) {
    return isLeapYearNumber(year);
}

int weekNumber(Date d) {
    const Date jan1 = Date::serial(d.year(), 1, 1);
    const int w = jan1.isoWeekday();               // 1 = Monday .. 7 = Sunday
    const Date firstMonday = jan1.addDays(8 - w);  // after 1 January, never on it
    const int startsEarly = w < 5 ? 1 : 0;         // 1 January in Monday..Thursday
    if (d < firstMonday) return startsEarly;
    return firstMonday.daysUntil(d) / 7 + 1 + startsEarly;
}

Date computeEasterSunday(int y) {
    const int g = floorMod(y, 19) + 1;  // golden number
    int d = 0;
    int p = 0;
    if (y > 1752) {
        d = floorMod(y + y / 4 - y / 100 + y / 400, 7);
        const int s = (y - 1600) / 100 - (y - 1600) / 400;
        const int l = (((y - 1400) / 100) * 8) / 25;
        p = floorMod(3 - 11 * g + s - l, 30);
    } else {
        d = floorMod(y + y / 4 + 5, 7);
        p = floorMod(3 - 11 * g - 7, 30);
    }
    if (p == 29 || (p == 28 && g > 11)) --p;
    const int t = floorMod(4 - p - d, 7);
    const int e = p + t + 1;
    return e >= 11 ? Date::serial(y, 4, e - 10) : Date::serial(y, 3, e + 21);
}

Date EasterCache::easterSunday(int year) {
    for (const auto& [y, date] : entries_) {
        if (y == year) return date;
    }
    const Date easter = computeEasterSunday(year);
    entries_.emplace_back(year, easter);
    return easter;
}

Date feastDate(std::string_view name, int year, EasterCache& easter) {
    if (year < 100 || year > 9999) return Date{};
    const std::string n = lowerAscii(name);
    if (n.starts_with("advent") && n.size() == 7 && n[6] >= '1' && n[6] <= '4') {
        const Date advent4 = sundayOnOrBefore(Date::serial(year, 12, 24));
        return advent4.addDays(-7 * ('4' - n[6]));
    }
    if (n == "motherday") return sundayOnOrBefore(Date::serial(year, 5, 7));
    if (n == "kidsday") return sundayOnOrBefore(Date::serial(year, 5, 31));
    if (n == "goodfriday") return easter.easterSunday(year).addDays(-2);
    if (n == "easter") return easter.easterSunday(year);
    if (n == "eastermonday") return easter.easterSunday(year).addDays(1);
    if (n == "whitsun") return easter.easterSunday(year).addDays(49);
    if (n == "whitsunmonday") return easter.easterSunday(year).addDays(50);
    return Date{};
}

Date feastDateFrom(std::string_view name, Date currentDay, EasterCache& easter) {
    const Date thisYear = feastDate(name, currentDay.year(), easter);
    if (thisYear.isZero() || daysBetween(currentDay, thisYear) >= 0) return thisYear;
    return feastDate(name, currentDay.year() + 1, easter);
}

bool isBitSet(int value, int bit) {
    if (bit < 0 || bit > 31) return false;
    return ((static_cast<unsigned>(value) >> bit) & 1U) != 0;
}

int daysBetween(Date a, Date b) {
    return a.daysUntil(b);
}

int dayOfYearCommon(int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > kCommonDays[month - 1]) return 0;
    return kMonthStart[month - 1] + day;
}

int nameTableIndex(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return kNameTableInvalid;
    }
    if (isLeapYear(year) && month == 2 && day >= 24) {
        // 24 February is the inserted day; 25..29 February show the names of 24..28 February.
        return day == 24 ? kNameTableLeapDay : kMonthStart[1] + day - 2;
    }
    return dayOfYearCommon(month, day) - 1;
}

}  // namespace tv
