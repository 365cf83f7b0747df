// What a second start says to the calendar that already runs. Kept apart from the rest of the
// start-up so the small launcher can hand over without loading the calendar.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv {

// The request of a second start, by its (trimmed, lower-case) command line.
std::string launchMessage(std::string_view line);

// The command line trimmed of white space and in lower case, as the start-up compares it.
std::string trimLower(std::string_view text);

// What a second start hands to the calendar that runs. The settings are not read then, so the
// tray flag's default decides: nothing when it would not hand over but say that one runs.
std::optional<std::string> handOverMessage(std::string_view commandLine);

}  // namespace tv
