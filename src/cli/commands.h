// The subcommands, one function each.
#pragma once

#include "cli/cli_context.h"

namespace tv::cli {

int cmdEaster(CliContext&, const std::vector<std::string>&);
int cmdFeast(CliContext&, const std::vector<std::string>&);
int cmdWeek(CliContext&, const std::vector<std::string>&);
int cmdSince(CliContext&, const std::vector<std::string>&);
int cmdConfig(CliContext&, const std::vector<std::string>&);
int cmdStrings(CliContext&, const std::vector<std::string>&);

}  // namespace tv::cli
