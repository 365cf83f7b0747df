// The options every command takes: the two folders, a fixed clock and JSON output. They stand
// anywhere on the command line, before or after the command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_context.h"

namespace tv::cli {

// The tool itself: what it is, its common options and its help, version and completion switches.
void describeTool(CLI::App& root, std::string_view version);

// Whether `argument` is a common option that needs a value after it.
bool takesValue(std::string_view argument);

// Reads the common options back into `c`, from the tool and from the parsed commands (the last
// one given wins, as the clock options replace each other). A value that is no date or time
// gives the usage line to print.
std::optional<std::string> applyCommonOptions(const CLI::App& root, CliContext& c);

}  // namespace tv::cli
