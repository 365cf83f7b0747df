// The bash completion script of the tool, written from the command line's description so that
// it offers exactly the commands and options the parser knows.
#pragma once

#include <iosfwd>

namespace CLI {
class App;
}

namespace tv::cli {

void printBashCompletion(std::ostream& out, const CLI::App& root);

}  // namespace tv::cli
