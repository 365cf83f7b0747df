// Configuration files and the string table from the command line.
#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_context.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"

namespace tv::cli {
namespace {

int configDumpCommand(CliContext& c, const Arguments& a) {
    const std::string file = a.get("FILE");
    HashTable table;
    bool ok = readConfig(table, file);
    if (c.json) {
        *c.out << "{\"complete\":" << (ok ? "true" : "false") << ",\"entries\":[";
        for (int32_t i = 1; i <= table.count(); ++i) {
            *c.out << (i > 1 ? "," : "") << "{\"key\":" << jsonString(table.keyByIndex(i))
                   << ",\"value\":" << jsonString(table.itemByIndex(i)) << "}";
        }
        *c.out << "]}\n";
    } else {
        for (int32_t i = 1; i <= table.count(); ++i) {
            *c.out << table.keyByIndex(i) << '\t' << table.itemByIndex(i) << '\n';
        }
    }
    if (!ok) return c.fail("'" + file + "' could not be read to the end");
    return kExitOk;
}

int stringsCommand(CliContext& c, const Arguments& a) {
    std::vector<std::string> args{a.get("KEY")};
    for (std::string_view p : {"P1", "P2", "P3", "P4"}) {
        if (a.has(p)) args.push_back(a.get(p));
    }
    const StringTable& s = c.strings();
    std::string text;
    if (args.size() == 1) {
        text = s.getString(args[0]);
    } else {
        std::string_view p[4];
        for (size_t i = 1; i < args.size(); ++i)
            p[i - 1] = args[i];
        text = s.formatString(args[0], p[0], p[1], p[2], p[3]);
    }
    if (c.json) {
        *c.out << "{\"key\":" << jsonString(args[0])
               << ",\"exists\":" << (s.has(args[0]) ? "true" : "false")
               << ",\"text\":" << jsonString(text) << "}\n";
    } else {
        *c.out << plainText(text) << '\n';
    }
    return kExitOk;
}

void describeConfig(CommandTree& t) {
    CLI::App& config = t.group("config", "configuration files");
    addOption(t.add("dump", "every key and value of a configuration file, in file order",
                    configDumpCommand, &config),
              "FILE", "settings.cfg, a skin's theme.cfg, or any file of that format")
        ->required();
    CLI::App& strings = t.add("strings", "a text of the string table, filled in", stringsCommand);
    addOption(strings, "KEY", "the text's key")->required();
    for (std::string_view p : {"P1", "P2", "P3", "P4"}) {
        addOption(strings, std::string(p), "what replaces $" + std::string(p.substr(1)));
    }
}

}  // namespace

const CommandRegistration kConfig{describeConfig};

}  // namespace tv::cli
