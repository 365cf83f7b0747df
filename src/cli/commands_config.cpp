// Configuration files and the string table from the command line.
#include <ostream>

#include "cli/cli_context.h"
#include "core/config/config_file.h"
#include "core/config/hash_table.h"

namespace tv::cli {

static int configCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.size() != 2 || args[0] != "dump") return c.usage("config dump FILE");
    HashTable table;
    bool ok = readConfig(table, args[1]);
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
    if (!ok) return c.fail("'" + args[1] + "' could not be read to the end");
    return kExitOk;
}

static int stringsCommand(CliContext& c, const std::vector<std::string>& args) {
    if (args.empty() || args.size() > 5) return c.usage("strings KEY [P1 [P2 [P3 [P4]]]]");
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

const CommandRegistration kConfig{{"config", "config dump FILE", configCommand}};
const CommandRegistration kStrings{{"strings", "strings KEY [P1 [P2 [P3 [P4]]]]", stringsCommand}};

}  // namespace tv::cli
