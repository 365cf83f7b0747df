// Dates as the calendar writes them for a person, by the Hungarian rules: the year and the day
// are followed by a full stop, the month is written out ("december"), abbreviated with its full
// stop ("dec.") or given in two digits ("12."), and the day takes a leading zero only beside a
// month in digits. Every window, message and page line that shows a date goes through these.
//
// Not for machines: the log, the files and settings.cfg keep their fixed ISO-like forms
// (text_format.h), which other programs and people's scripts read.
#pragma once

#include <string>

#include "core/calc/date.h"

namespace tv {

class StringTable;

// "2026. december 6."
std::string longDateText(Date d, const StringTable& strings);
// "2026. 12. 06." The parts are written as given, so a date that does not exist (an event saved
// as 30 February) still shows what was saved.
std::string numericDateText(int year, int month, int day);
std::string numericDateText(Date d);
// "dec. 6.": for places where the year is plain from what is around it.
std::string shortDateText(Date d, const StringTable& strings);
// "május 1.": a day of every year.
std::string monthDayText(int month, int day, const StringTable& strings);
// "2026. december 6. 8:05": the hour as it is said, without a leading zero.
std::string dateTimeText(DateTime t, const StringTable& strings);

}  // namespace tv
