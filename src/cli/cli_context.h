// What every subcommand of tempovirens-cli gets: the folders, the fixed or real clock, the output
// mode, and helpers for plain and JSON output.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/calc/date.h"
#include "core/config/string_table.h"
#include "core/ports/clock.h"
#include "core/ports/paths.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

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
    // The (sub)command being run, as the command line described it.
    const CLI::App* command = nullptr;

    // Loads the program folder's string table once; a failed load is reported on stderr.
    const StringTable& strings();
    // Prints the usage line of the command being run to stderr, with `hint` in brackets after
    // it when there is one, and returns kExitUsage.
    int usage(std::string_view hint = {}) const;
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

// What the command line gave one command, read back from its description after parsing.
class Arguments {
public:
    explicit Arguments(const CLI::App& command) : command_(command) {}
    // Whether the option or positional was given.
    bool has(std::string_view name) const;
    // Its value (the last one, for a repeatable option), or `fallback` when it was not given.
    std::string get(std::string_view name, std::string fallback = {}) const;
    // Every value of a positional that takes several.
    std::vector<std::string> all(std::string_view name) const;

private:
    const CLI::App& command_;
};

using Command = int (*)(CliContext&, const Arguments&);

// The whole command line's description: the tool with its common options, and a subcommand for
// each command, each of which describes its own options. Help, usage lines, errors and the
// shell completion all come from it.
class CommandTree {
public:
    explicit CommandTree(CLI::App& root) : root_(root) {}

    // A command that runs `run`: at the top level, or under `group`.
    CLI::App& add(std::string_view name, std::string_view summary, Command run,
                  CLI::App* group = nullptr);
    // A command made of subcommands ("events list", "events add", ...).
    CLI::App& group(std::string_view name, std::string_view summary);
    // Names a common option (--today, --now, --json) in a command's usage and help, where the
    // command reads it; it is accepted there as everywhere else.
    void reads(CLI::App& command, std::string_view commonOption);

    CLI::App& root() { return root_; }
    // What runs a parsed command; nothing for a group.
    Command runOf(const CLI::App& command) const;

private:
    CLI::App& root_;
    std::vector<std::pair<const CLI::App*, Command>> runs_;
};

// An option (or, without leading dashes, a positional) and a switch, with their explanation for
// the help. CLI11 2.1 takes an explanation only as a named string; these take any text.
CLI::Option* addOption(CLI::App& command, std::string_view name, std::string_view text);
CLI::Option* addFlag(CLI::App& command, std::string_view name, std::string_view text);

// Every command describes itself from its own file:
//   void describeEaster(CommandTree& t) {
//       CLI::App& easter = t.add("easter", "the date of Easter Sunday", easterCommand);
//       addOption(easter, "YEAR", "a year from 100 to 9999")->required();
//   }
//   const CommandRegistration kEaster{describeEaster};
using Describe = void (*)(CommandTree&);
std::vector<Describe>& commandRegistry();
struct CommandRegistration {
    explicit CommandRegistration(Describe describe) { commandRegistry().push_back(describe); }
};

}  // namespace tv::cli
