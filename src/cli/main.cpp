// tempovirens-cli: the calendar's core without a window, for scripts and for the tests.
#include <iostream>
#include <span>

#include "cli/cli_context.h"
#include "core/app/folders.h"
#include "core/calc/files.h"

namespace tv::cli {
namespace {

void printHelp(std::ostream& out) {
    out << "usage: tempovirens-cli [--program-dir DIR] [--data-dir DIR] [--today YYYY-MM-DD]\n"
           "                       [--now YYYY-MM-DDTHH:MM:SS] [--json] COMMAND [ARGS]\n"
           "commands:\n";
    for (const CommandInfo& c : commandRegistry())
        out << "  " << c.usage << '\n';
}

int run(std::span<char*> argv) {
    CliContext c;
    c.out = &std::cout;
    c.err = &std::cerr;
    c.paths = resolvePaths();
    std::vector<std::string> rest;
    for (size_t i = 1; i < argv.size(); ++i) {
        std::string_view a = argv[i];
        auto value = [&](std::string_view option) -> std::optional<std::string> {
            if (i + 1 >= argv.size()) {
                c.usage(std::string(option) + " VALUE");
                return std::nullopt;
            }
            return std::string(argv[++i]);
        };
        if (a == "--json") {
            c.json = true;
        } else if (a == "--program-dir" || a == "--data-dir") {
            auto v = value(a);
            if (!v) return kExitUsage;
            (a == "--program-dir" ? c.paths.programDir : c.paths.userDataDir) =
                withSlash(normalizePath(*v));
        } else if (a == "--today") {
            auto v = value(a);
            if (!v) return kExitUsage;
            auto d = parseIsoDateArg(*v);
            if (!d) return c.usage("--today YYYY-MM-DD");
            c.clock.fixed = DateTime::of(*d, 12, 0, 0);
        } else if (a == "--now") {
            auto v = value(a);
            if (!v) return kExitUsage;
            auto t = parseIsoDateTimeArg(*v);
            if (!t) return c.usage("--now YYYY-MM-DDTHH:MM:SS");
            c.clock.fixed = *t;
        } else if (a == "-h" || a == "--help" || (rest.empty() && a == "help")) {
            printHelp(std::cout);
            return kExitOk;
        } else {
            rest.emplace_back(a);
        }
    }
    if (rest.empty()) {
        printHelp(std::cerr);
        return kExitUsage;
    }
    for (const CommandInfo& cmd : commandRegistry()) {
        if (rest[0] == cmd.name) {
            return cmd.run(c, std::vector<std::string>(rest.begin() + 1, rest.end()));
        }
    }
    std::cerr << "tempovirens-cli: unknown command '" << rest[0] << "'\n";
    printHelp(std::cerr);
    return kExitUsage;
}

}  // namespace
}  // namespace tv::cli

int main(int argc, char** argv) {
    return tv::cli::run(std::span<char*>(argv, static_cast<size_t>(argc)));
}
