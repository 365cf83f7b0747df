// The texts of an event record against what the event file can hold: Windows-1250 characters,
// at most 32767 bytes each. An import tells the user what would change instead of storing a
// mangled text unasked; a sync compares a server's text with our copy of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tv::ical {

inline constexpr size_t kMaxRecordTextBytes = 32767;

struct RecordText {
    std::string text;  // what the record would hold: "?" for what the code page lacks, cut
    std::string lost;  // the characters the code page lacks, each once, in order of use
    bool cut = false;  // longer than the file holds
    bool exact() const { return lost.empty() && !cut; }
};
RecordText recordText(std::string_view utf8, size_t maxBytes = kMaxRecordTextBytes);

// Whether `ours` is what the record makes of `theirs`: the same text but for the characters
// Windows-1250 lacks ("?" in our copy) and a cut at the record's limit. Such a difference is no
// change of the user's: a sync keeps the server's text.
bool sameUpToRecordLimits(std::string_view ours, std::string_view theirs);

}  // namespace tv::ical
