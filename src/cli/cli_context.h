// What every subcommand of tempovirens-cli gets: the folders, the fixed or real clock, the output
// mode, and helpers for plain and JSON output.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc/date.h"
#include "core/config/string_table.h"
#include "core/ports/clock.h"
#include "core/ports/paths.h"

namespace tv::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The clock of the command line: the system's, unless --today or --now fixed it.
class CliClock : public Clock {
public:
    DateTime now() const override;
    double secondsSinceMidnight() const override;
    std::optional<DateTime> fixed;
};

struct CliContext {
    Paths paths;
    CliClock clock;
    bool json = false;
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;

    // Loads the program folder's string table once; a failed load is reported on stderr.
    const StringTable& strings();
    // Prints the usage line of a command to stderr and returns kExitUsage.
    int usage(std::string_view line) const;
    // Prints a failure to stderr and returns kExitFailure.
    int fail(std::string_view message) const;

private:
    std::optional<StringTable> strings_;
};

// "YYYY-MM-DD", checked.
std::optional<Date> parseIsoDateArg(std::string_view text);
// "YYYY-MM-DDTHH:MM:SS", checked.
std::optional<DateTime> parseIsoDateTimeArg(std::string_view text);
// A whole decimal number, nothing else.
std::optional<int> parseIntArg(std::string_view text);

// JSON string literal of UTF-8 text.
std::string jsonString(std::string_view text);
// Text for a terminal: CR LF becomes LF.
std::string plainText(std::string_view text);

using Command = int (*)(CliContext&, const std::vector<std::string>&);
struct CommandInfo {
    std::string_view name;
    std::string_view usage;
    Command run;
};

// Every subcommand registers itself from its own file:
//   const CommandRegistration kEaster{{"easter", "easter YEAR", easterCommand}};
std::vector<CommandInfo>& commandRegistry();
struct CommandRegistration {
    explicit CommandRegistration(CommandInfo info) { commandRegistry().push_back(info); }
};

}  // namespace tv::cli
