// Hungarian alphabetical order for the lists the user reads: Á sorts with A and É with E, Ö and
// Ő come after O, Ü and Ű after U, CS after C, SZ after S, and so on; letter case does not
// count. ICU's collator for Hungarian knows the rules; this is the calendar's only door to it.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// A key that compares bytewise (std::string's <) in Hungarian order; equal keys for texts that
// differ only in letter case. UTF-8 in; broken bytes count as a replacement character.
std::string collationKey(std::string_view utf8);
// The same key appended to `out`, for keys that share one buffer.
void appendCollationKey(std::string& out, std::string_view utf8);

// Whether `a` comes before `b` in Hungarian order.
bool collatesBefore(std::string_view a, std::string_view b);

}  // namespace tv
