#include "core/calc/date_words.h"

#include "core/config/string_table.h"

namespace tv {
namespace {

std::string twoDigits(int value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (digits.size() < 2) digits.insert(0, 1, '0');
    return value < 0 ? "-" + digits : digits;
}

// A month outside 1..12 (a damaged record) is shown as its number rather than as a missing key.
std::string monthWord(int month, const StringTable& strings, bool abbreviated) {
    if (month < 1 || month > 12) return std::to_string(month) + ".";
    const std::string index = std::to_string(month - 1);
    if (abbreviated) return strings.getString("main_month_short_" + index);
    return strings.getString("main_month_" + index);
}

std::string timeText(DateTime t) {
    return std::to_string(t.hour()) + ":" + twoDigits(t.minute());
}

}  // namespace

std::string longDateText(Date d, const StringTable& strings) {
    const Ymd ymd = d.ymd();
    return std::to_string(ymd.year) + ". " + monthDayText(ymd.month, ymd.day, strings);
}

std::string numericDateText(int year, int month, int day) {
    return std::to_string(year) + ". " + twoDigits(month) + ". " + twoDigits(day) + ".";
}

std::string numericDateText(Date d) {
    const Ymd ymd = d.ymd();
    return numericDateText(ymd.year, ymd.month, ymd.day);
}

std::string shortDateText(Date d, const StringTable& strings) {
    const Ymd ymd = d.ymd();
    return monthWord(ymd.month, strings, true) + " " + std::to_string(ymd.day) + ".";
}

std::string monthDayText(int month, int day, const StringTable& strings) {
    return monthWord(month, strings, false) + " " + std::to_string(day) + ".";
}

std::string dateTimeText(DateTime t, const StringTable& strings) {
    return longDateText(t.date, strings) + " " + timeText(t);
}

}  // namespace tv
