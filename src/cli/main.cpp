// tempovirens-cli: the calendar's core without a window, for scripts and for the tests.
#include <CLI/CLI.hpp>
#include <iostream>
#include <span>

#include "cli/bash_completion.h"
#include "cli/cli_context.h"
#include "cli/cli_help.h"
#include "cli/common_options.h"
#include "core/app/folders.h"

#ifndef TV_VERSION
#define TV_VERSION "0.0.0"
#endif

namespace tv::cli {
namespace {

// The command the parser reached, however far it got.
const CLI::App& deepest(const CLI::App& root) {
    const CLI::App* app = &root;
    while (!app->get_subcommands().empty())
        app = app->get_subcommands().front();
    return *app;
}

int helpCommand(CliContext& c, const Arguments& a) {
    const CLI::App* target = c.command->get_parent();
    for (const std::string& word : {a.get("COMMAND"), a.get("SUBCOMMAND")}) {
        if (word.empty()) break;
        const std::vector<const CLI::App*> found = target->get_subcommands(
            [&word](const CLI::App* sub) { return sub->get_name() == word; });
        if (found.empty()) {
            *c.err << kToolName << ": unknown command '" << word << "'\n";
            return c.usage();
        }
        target = found.front();
    }
    printHelp(*c.out, *target);
    return kExitOk;
}

void describeHelp(CommandTree& t) {
    CLI::App& help = t.add("help", "explains the tool, or one command", helpCommand);
    addOption(help, "COMMAND", "the command to explain");
    addOption(help, "SUBCOMMAND", "its subcommand (events add, names search, ...)");
}

// Bad arguments: the usage of the command they were meant for.
int badArguments(CliContext& c, const CLI::App& root) {
    if (const std::optional<std::string> bad = applyCommonOptions(root, c)) {
        return printUsage(*c.err, *bad);
    }
    const CLI::App& command = deepest(root);
    if (&command == &root) {
        const std::vector<std::string> rest = root.remaining();
        if (!rest.empty()) *c.err << kToolName << ": unknown command '" << rest.front() << "'\n";
        printHelp(*c.err, root);
        return kExitUsage;
    }
    c.command = &command;
    return c.usage();
}

int run(std::span<char*> argv) {
    CliContext c;
    c.out = &std::cout;
    c.err = &std::cerr;
    c.paths = resolvePaths();
    CLI::App root;
    CommandTree tree(root);
    try {
        describeTool(root, TV_VERSION);
        for (Describe describe : commandRegistry())
            describe(tree);
        describeHelp(tree);
    } catch (const CLI::Error& e) {
        return c.fail(std::string("the command description is broken: ") + e.what());
    }

    // A common option at the very end has lost its value.
    if (argv.size() > 1 && takesValue(argv.back())) {
        return printUsage(std::cerr, std::string(argv.back()) + " VALUE");
    }
    try {
        root.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::CallForHelp&) {
        printHelp(std::cout, deepest(root));
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        printAllHelp(std::cout, root);
        return kExitOk;
    } catch (const CLI::CallForVersion& e) {
        std::cout << e.what() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError&) {
        return badArguments(c, root);
    }
    if (const std::optional<std::string> bad = applyCommonOptions(root, c)) {
        return printUsage(std::cerr, *bad);
    }
    if (root.get_option("--bash-completion")->count() > 0) {
        printBashCompletion(std::cout, root);
        return kExitOk;
    }
    const CLI::App& command = deepest(root);
    const Command commandRun = tree.runOf(command);
    if (commandRun == nullptr) {
        printHelp(std::cerr, root);
        return kExitUsage;
    }
    c.command = &command;
    return commandRun(c, Arguments(command));
}

}  // namespace
}  // namespace tv::cli

int main(int argc, char** argv) {
    return tv::cli::run(std::span<char*>(argv, static_cast<size_t>(argc)));
}
