// The command line's description, and what the commands read back from it after parsing.
#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/cli_help.h"

namespace tv::cli {
namespace {

const CLI::Option* optionOf(const CLI::App& command, std::string_view name) {
    return command.get_option_no_throw(std::string(name));
}

// A subcommand starts as a copy of its parent's settings; the footer and the tool's help switches
// are the parent's own.
void ownSwitches(CLI::App& command) {
    command.footer("");
    command.set_help_all_flag();
    command.set_help_flag("-h,--help", "this help");
}

}  // namespace

bool Arguments::has(std::string_view name) const {
    const CLI::Option* o = optionOf(command_, name);
    return o != nullptr && o->count() > 0;
}

std::string Arguments::get(std::string_view name, std::string fallback) const {
    const CLI::Option* o = optionOf(command_, name);
    if (o == nullptr || o->results().empty()) return fallback;
    return o->results().back();
}

std::vector<std::string> Arguments::all(std::string_view name) const {
    const CLI::Option* o = optionOf(command_, name);
    return o == nullptr ? std::vector<std::string>() : o->results();
}

CLI::Option* addOption(CLI::App& command, std::string_view name, std::string_view text) {
    const std::string explanation(text);
    return command.add_option(std::string(name), explanation);
}

CLI::Option* addFlag(CLI::App& command, std::string_view name, std::string_view text) {
    const std::string explanation(text);
    return command.add_flag(std::string(name), explanation);
}

CLI::App& CommandTree::add(std::string_view name, std::string_view summary, Command run,
                           CLI::App* group) {
    CLI::App* parent = group != nullptr ? group : &root_;
    CLI::App* command = parent->add_subcommand(std::string(name), std::string(summary));
    ownSwitches(*command);
    runs_.emplace_back(command, run);
    return *command;
}

CLI::App& CommandTree::group(std::string_view name, std::string_view summary) {
    CLI::App* command = root_.add_subcommand(std::string(name), std::string(summary));
    ownSwitches(*command);
    command->require_subcommand(1);
    return *command;
}

void CommandTree::reads(CLI::App& command, std::string_view commonOption) {
    const CLI::Option* common = optionOf(root_, commonOption);
    if (common == nullptr) return;
    const std::string name(commonOption);
    CLI::Option* o = common->get_items_expected_max() == 0
                         ? addFlag(command, name, common->get_description())
                         : addOption(command, name, common->get_description())
                               ->type_name(common->get_type_name());
    o->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    o->group(std::string(kCommonGroup));
}

Command CommandTree::runOf(const CLI::App& command) const {
    for (const auto& [app, run] : runs_) {
        if (app == &command) return run;
    }
    return nullptr;
}

std::vector<Describe>& commandRegistry() {
    static std::vector<Describe> registry;
    return registry;
}

}  // namespace tv::cli
