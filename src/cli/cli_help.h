// Usage lines and help texts, all written from the command line's description, so that what
// the help promises is what the parser accepts.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace tv::cli {

inline constexpr std::string_view kToolName = "tempovirens-cli";
// Options of the tool that a command names in its own usage because it reads them.
inline constexpr std::string_view kCommonGroup = "Common options";

// "events add": the words that select a command.
std::string commandPath(const CLI::App& command);
// "easter YEAR": a command's path and what it takes, optional parts in brackets; for a command
// made of subcommands, theirs joined with " | ".
std::string usageLine(const CLI::App& command);
// Writes "usage: tempovirens-cli LINE" and returns kExitUsage.
int printUsage(std::ostream& out, std::string_view line);

// The help of the tool or of one command: usage, what it does, every option.
void printHelp(std::ostream& out, const CLI::App& command);
// The tool's help followed by every command's, for reading in one piece (and for the manual).
void printAllHelp(std::ostream& out, const CLI::App& root);

}  // namespace tv::cli
