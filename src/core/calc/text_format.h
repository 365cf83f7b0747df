// Small text functions shared across the calendar: elapsed-time phrases, ISO date texts, hex
// bytes, accent folding, "&" escaping for captions, the "<AppPath>" placeholder and clamped
// numbers, the Hungarian article. None of them keeps state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/calc/date.h"

namespace tv {

class StringTable;

// "How long since": the phrase for the time from the given date to the current day. The parts
// are texts as typed into the event editor; an empty or impossible date gives
// "time_spent_invalid".
std::string timeSpentSince(std::string_view year, std::string_view month, std::string_view day,
                           Date currentDay, const StringTable& strings);
// Years, months and days from start to end as one of the "time_spent_*" phrases.
std::string timeSpentBetween(Date start, Date end, const StringTable& strings);

// "YYYY-MM-DD"
std::string isoDate(Date d);
// "YYYY-MM-DDTHH:MM:SS"
std::string isoDateTime(DateTime t);

// Reads "YYYY-MM-DD", "YYYY.MM.DD." (the Hungarian short form, trailing "." optional), "YYYY-MM"
// or "YYYY.MM" (the first of the month), and the general forms of parseDateTime (their date
// part). The zero date when the text is not a valid date.
Date parseDate(std::string_view text);
// Reads "YYYY-MM-DDTHH:MM:SS" and, more leniently, a date as parseDate takes it ("-", "." or "/"
// between the parts) optionally followed by "T" or blanks and "H:MM" or "H:MM:SS", or a time
// alone (on the zero date). The zero date-time when the text does not convert.
DateTime parseDateTime(std::string_view text);

// One or two hex digits (either case) to their value; any other length gives 0, and a character
// that is not a hex digit counts as 0.
int hexToByte(std::string_view hex);
// Two lower-case hex digits; values outside 0..255 are clamped into it.
std::string byteToHex(int value);

// Replaces the accented Latin letters of Central and Western Europe by their base letter so that
// a search ignores accents ("Ő" -> "O", "á" -> "a"). UTF-8 in and out; everything else, broken
// bytes included, passes unchanged.
std::string foldAccents(std::string_view text);

// Captions take "&" as the access-key mark: these make every "&" show as itself.
std::string escapeAmpersands(std::string_view text);
// The first "&" becomes "&&&" (a visible "&" that also makes the character after it the access
// key), every later one "&&".
std::string escapeFirstAmpersand(std::string_view text);

inline constexpr std::string_view kAppPathMark = "<AppPath>";
// A stored path that starts with "<AppPath>" (any case) gets the program folder in its place.
// Stored paths may use "\"; the result always uses "/".
std::string expandAppPath(std::string_view stored, std::string_view programDir);
// A path inside the program folder is stored as "<AppPath>/" + the rest, so that the data
// survives moving the program. Linux folders are case-sensitive, so the folder must match
// exactly and end at a "/"; any other path comes back unchanged.
std::string compactAppPath(std::string_view path, std::string_view programDir);

// The whole number at the start of the text (leading blanks, an optional sign, digits; anything
// after them is ignored, no digits read as 0). Digits past 2^40 stop counting: a longer number
// reads as some value of at least 2^40, far outside the int range, and never wraps.
int64_t leadingInteger(std::string_view text);
// leadingInteger limited to low..high.
int clampInt(std::string_view text, int low, int high);

// The Hungarian definite article for the word that follows it: "az" before a vowel sound, "a"
// before a consonant ("A"/"Az" with `capital`). A number written in digits goes by how it is
// read: "az 1." (egy), "az 5." (öt), "az 50." (ötven), "az 1000." (ezer), but "a 2.", "a 11."
// (tizenegy), "a 100." (száz). Capitals without a vowel are read letter by letter ("az F1", "az
// SMS", "a HTML"). Quotation marks, tags and other punctuation in front are skipped; an empty or
// unreadable word takes "a".
std::string_view hungarianArticle(std::string_view nextWord, bool capital = false);

}  // namespace tv
