// Today's sentence on the main screen: the date, optionally the day of the year and the week,
// today's and tomorrow's names. Rebuilt at start-up and at every change of day.
#pragma once

#include <string>
#include <string_view>

namespace tv {

class HashTable;
class NameTable;
class StringTable;
struct TodayState;

// The sentence for `today` (as setTodayState filled it), with "<r>".."</r>" around the parts the
// Today_*HL settings highlight. Every Today_* setting is read (and so stored with its default).
std::string buildTodayText(const TodayState& today, HashTable& settings, const StringTable& strings,
                           const NameTable& names);

// The sentence as plain text: the highlight tags removed and "|", the place where the string
// table lets a long sentence break, read as the blank it stands for.
std::string plainTodayText(std::string_view text);

}  // namespace tv
