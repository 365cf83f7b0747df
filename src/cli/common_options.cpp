#include "cli/common_options.h"

#include <CLI/CLI.hpp>
#include <array>

#include "cli/cli_help.h"
#include "core/app/folders.h"
#include "core/calc/files.h"

namespace tv::cli {
namespace {

struct CommonOption {
    std::string_view name;
    std::string_view value;  // empty for a switch
    std::string_view text;
};

constexpr std::array<CommonOption, 5> kCommonOptions{{
    {"--program-dir", "DIR",
     "the program folder (string table, name days, skins, pictures); by default the one "
     "installed with the tool, or $TEMPOVIRENS_PROGRAM_DIR"},
    {"--data-dir", "DIR",
     "your data folder (settings.cfg, events.cdb); by default "
     "$XDG_DATA_HOME/Brimcove Tempovirens"},
    {"--today", "YYYY-MM-DD", "take this day as today, at noon"},
    {"--now", "YYYY-MM-DDTHH:MM:SS", "take this moment as now"},
    {"--json", "", "print JSON instead of plain text"},
}};

std::string usageOf(const CommonOption& o) {
    return std::string(o.name) + " " + std::string(o.value);
}

}  // namespace

void describeTool(CLI::App& root, std::string_view version) {
    root.name(std::string(kToolName));
    root.description(
        "The calendar's core without a window: dates and feasts, name days, your events and "
        "alarms, the saying and picture of the day, today's page as a picture, backups.");
    root.footer(
        "While the calendar runs it is the only writer of your files: commands that change them "
        "hand the change to it. Exit status: 0 done, 1 the work failed, 2 bad arguments.");
    // Options are looked for in the command first, then in the tool: they stand anywhere.
    root.fallthrough();
    root.require_subcommand(0, 1);
    root.set_help_flag("-h,--help", "this help; COMMAND --help explains one command");
    root.set_help_all_flag("--help-all", "this help and every command's");
    root.set_version_flag("--version", std::string(kToolName) + " " + std::string(version),
                          "the version");
    for (const CommonOption& o : kCommonOptions) {
        const std::string name(o.name);
        CLI::Option* option =
            o.value.empty()
                ? addFlag(root, name, std::string(o.text))
                : addOption(root, name, std::string(o.text))->type_name(std::string(o.value));
        option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
    // For the build, which writes the installed completion script from it.
    addFlag(root, "--bash-completion", "the bash completion script")->group("");
}

bool takesValue(std::string_view argument) {
    for (const CommonOption& o : kCommonOptions) {
        if (o.name == argument && !o.value.empty()) return true;
    }
    return false;
}

std::optional<std::string> applyCommonOptions(const CLI::App& root, CliContext& c) {
    std::vector<const CLI::App*> chain{&root};
    while (!chain.back()->get_subcommands().empty())
        chain.push_back(chain.back()->get_subcommands().front());
    for (const CLI::App* app : chain) {
        // Each option's values, in the order they were given.
        std::vector<std::pair<const CLI::Option*, size_t>> seen;
        for (const CLI::Option* option : app->parse_order()) {
            size_t n = 0;
            for (const auto& [o, count] : seen) {
                if (o == option) n = count;
            }
            std::erase_if(seen, [option](const auto& s) { return s.first == option; });
            seen.emplace_back(option, n + 1);
            if (n >= option->results().size()) continue;
            const std::string& value = option->results()[n];
            if (option->check_lname("json")) {
                c.json = true;
            } else if (option->check_lname("program-dir") || option->check_lname("data-dir")) {
                (option->check_lname("program-dir") ? c.paths.programDir : c.paths.userDataDir) =
                    withSlash(normalizePath(value));
            } else if (option->check_lname("today")) {
                const std::optional<Date> d = parseIsoDateArg(value);
                if (!d) return usageOf(kCommonOptions[2]);
                c.clock.fixed = DateTime::of(*d, 12, 0, 0);
            } else if (option->check_lname("now")) {
                const std::optional<DateTime> t = parseIsoDateTimeArg(value);
                if (!t) return usageOf(kCommonOptions[3]);
                c.clock.fixed = *t;
            }
        }
    }
    return std::nullopt;
}

}  // namespace tv::cli
