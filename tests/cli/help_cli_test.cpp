// The command line's description seen from outside: per-command help, usage lines on bad
// arguments, the version, common options anywhere, and the bash completion written from it.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

struct Output {
    std::string out;
    std::string err;
    int status = -1;
};

class HelpCli : public ::testing::Test {
protected:
    tv::test::TempDir dir;

    Output run(const std::string& args) {
        const std::string cmd = "XDG_DATA_HOME='" + dir.file("data") + "' XDG_RUNTIME_DIR='" +
                                dir.dir() + "' " + TV_CLI + " " + args + " 2>'" + dir.file("err") +
                                "'";
        const tv::test::CommandResult r = tv::test::runShell(cmd);
        return {r.out, dir.read("err"), r.status};
    }

    // Each command's name and the options its help lists, from the tool's full help.
    std::map<std::string, std::vector<std::string>> commandsInHelp() {
        std::map<std::string, std::vector<std::string>> commands;
        std::istringstream in(run("--help-all").out);
        std::string line;
        std::string current;
        const std::regex heading("^([a-z][a-z -]*):$");
        const std::regex option("^    (-[^ ,]+)(, (--[^ ]+))?( .*)?$");
        std::smatch m;
        while (std::getline(in, line)) {
            if (std::regex_match(line, m, heading)) {
                current = m[1];
                commands[current];
            } else if (!current.empty() && std::regex_match(line, m, option)) {
                commands[current].push_back(m[1]);
                if (m[3].matched) commands[current].push_back(m[3]);
            }
        }
        return commands;
    }

    // What the completion offers after the given words (the last one being completed).
    std::vector<std::string> complete(const std::string& words) {
        dir.write("complete.bash", run("--bash-completion").out);
        const std::string script = "source '" + dir.file("complete.bash") +
                                   "'; COMP_WORDS=(tempovirens-cli " + words +
                                   "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                   "_tempovirens_cli; printf '%s\\n' \"${COMPREPLY[@]}\"";
        dir.write("run.bash", script);
        std::istringstream in(tv::test::runShell("bash '" + dir.file("run.bash") + "'").out);
        std::vector<std::string> offered;
        for (std::string w; std::getline(in, w);) {
            if (!w.empty()) offered.push_back(w);
        }
        return offered;
    }
};

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

TEST_F(HelpCli, EveryCommandExplainsItselfWithEveryOption) {
    const Output add = run("events add --help");
    EXPECT_EQ(add.status, 0);
    EXPECT_EQ(add.err, "");
    EXPECT_TRUE(add.out.starts_with("Usage: tempovirens-cli events add --name TEXT"));
    for (const char* option :
         {"--name TEXT", "--date YYYY-MM-DD", "--repeat", "--months 1,12", "--anniversary",
          "--alarm HH:MM", "--forecast DAYS", "--days N", "--comment TEXT", "--yes"}) {
        EXPECT_NE(add.out.find(std::string("\n  ") + option), std::string::npos) << option;
    }
    EXPECT_EQ(run("help events add").out, add.out);
    EXPECT_EQ(run("events add -h").out, add.out);
    // A group lists its commands; the tool lists them all.
    EXPECT_NE(run("events --help").out.find("\n  delete "), std::string::npos);
    EXPECT_NE(run("--help").out.find("\n  names search "), std::string::npos);

    // Every command of the full help has a help page of its own, on stdout, with exit 0.
    const auto commands = commandsInHelp();
    ASSERT_GE(commands.size(), 20u);
    for (const auto& [name, options] : commands) {
        const Output help = run(name + " --help");
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_TRUE(help.out.starts_with("Usage: tempovirens-cli " + name)) << name;
        EXPECT_TRUE(contains(options, "--help")) << name;
    }
}

TEST_F(HelpCli, BadArgumentsPrintTheCommandsUsageAndExitWithTwo) {
    const Output missing = run("events add --name X");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(
        missing.err.starts_with("usage: tempovirens-cli events add --name TEXT --date "
                                "YYYY-MM-DD [--repeat once|year|month|months]"));
    EXPECT_EQ(run("events add --name X --date 2026-05-01 --name Y").status, 2);
    EXPECT_EQ(run("names day 03-07 --yr 2020").err,
              "usage: tempovirens-cli names day MM-DD [--year Y]\n");
    EXPECT_EQ(run("easter 20x4").err, "usage: tempovirens-cli easter YEAR (100..9999)\n");
    EXPECT_EQ(run("strings a b c d e f").err,
              "usage: tempovirens-cli strings KEY [P1 [P2 [P3 [P4]]]]\n");
    EXPECT_EQ(run("render").err,
              "usage: tempovirens-cli render [--page main|month|alarm] [--month YYYY-MM] "
              "[--skin NAME] [--today YYYY-MM-DD] [--now YYYY-MM-DDTHH:MM:SS] -o FILE.png\n");
    EXPECT_EQ(run("--today 2024-13-01 easter 2024").err,
              "usage: tempovirens-cli --today YYYY-MM-DD\n");
    EXPECT_EQ(run("easter 2024 --now").err, "usage: tempovirens-cli --now VALUE\n");

    const Output unknown = run("nosuch");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.starts_with("tempovirens-cli: unknown command 'nosuch'\nUsage:"));
    EXPECT_EQ(run("help nosuch").status, 2);
    EXPECT_EQ(run("").status, 2);
}

TEST_F(HelpCli, CommonOptionsStandAnywhereAndTheLastOneWins) {
    const std::string before = run("--today 2026-03-07 names today").out;
    EXPECT_NE(before.find("március 7."), std::string::npos) << before;
    EXPECT_EQ(run("names today --today 2026-03-07").out, before);
    EXPECT_EQ(run("names --today 2026-03-07 today").out, before);
    EXPECT_EQ(run("--today 2025-01-01 names today --today 2026-03-07").out, before);
    EXPECT_EQ(run("--now 2026-03-07T08:00:00 names today").out, before);
    EXPECT_EQ(run("easter 2024 --json").out, "{\"year\":2024,\"date\":\"2024-03-31\"}\n");
    // A value that starts like a number is a value, not an option.
    EXPECT_EQ(run("easter -5").status, 2);
}

TEST_F(HelpCli, VersionNamesTheTool) {
    const Output v = run("--version");
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, std::string("tempovirens-cli ") + TV_VERSION + "\n");
}

TEST_F(HelpCli, CompletionOffersEveryCommandAndOptionOfTheHelp) {
    const auto commands = commandsInHelp();
    for (const auto& [name, options] : commands) {
        const std::vector<std::string> offered = complete(name + " -");
        for (const std::string& option : options)
            EXPECT_TRUE(contains(offered, option)) << name << ' ' << option;
        EXPECT_TRUE(contains(offered, "--today")) << name;  // common options everywhere
        // Its first word is offered at the top, the second under the first.
        const size_t space = name.find(' ');
        const std::string first = name.substr(0, space);
        EXPECT_TRUE(contains(complete(first.substr(0, 2)), first)) << name;
        if (space != std::string::npos) {
            EXPECT_TRUE(contains(complete(first + " \"\""), name.substr(space + 1))) << name;
        }
    }
    EXPECT_EQ(complete("events add --repeat \"\""),
              (std::vector<std::string>{"once", "year", "month", "months"}));
    EXPECT_EQ(complete("--today 2026-01-01 render --page m"),
              (std::vector<std::string>{"main", "month"}));
    // The value of an option is never taken for a command.
    EXPECT_EQ(complete("--today names t"), std::vector<std::string>{});
    dir.write("backup.one", "");
    EXPECT_TRUE(
        contains(complete("restore '" + dir.file("backup.") + "'"), dir.file("backup.one")));
}

}  // namespace
