#include "cli/bash_completion.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "cli/cli_help.h"

namespace tv::cli {
namespace {

// Every (sub)command with its path as the script spells it: "", "/events", "/events/add".
struct Node {
    std::string path;
    const CLI::App* app;
};

void collect(const CLI::App& app, const std::string& path, std::vector<Node>& out) {
    out.push_back({path, &app});
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        collect(*sub, path + "/" + sub->get_name(), out);
}

std::vector<std::string> namesOf(const CLI::Option& o) {
    std::vector<std::string> names;
    for (const std::string& s : o.get_snames())
        names.push_back("-" + s);
    for (const std::string& l : o.get_lnames())
        names.push_back("--" + l);
    return names;
}

std::vector<const CLI::Option*> visibleOptions(const CLI::App& app) {
    return app.get_options(
        [](const CLI::Option* o) { return !o->get_positional() && !o->get_group().empty(); });
}

bool takesValue(const CLI::Option& o) {
    return o.get_items_expected_max() > 0;
}

// What to offer for a value: the choices of a "a|b|c" value, folders, files, or nothing.
std::string valueCompletion(const std::string& typeName) {
    if (typeName.find('|') != std::string::npos && typeName.find(' ') == std::string::npos) {
        std::string words = typeName;
        for (char& ch : words) {
            if (ch == '|') ch = ' ';
        }
        return "COMPREPLY=($(compgen -W \"" + words + "\" -- \"$cur\"))";
    }
    if (typeName == "DIR") return "COMPREPLY=($(compgen -d -- \"$cur\"))";
    if (typeName.find("FILE") != std::string::npos) {
        return "COMPREPLY=($(compgen -f -- \"$cur\"))";
    }
    return "COMPREPLY=()";
}

// A command whose arguments are paths gets file names offered.
bool takesPaths(const CLI::App& app) {
    for (const CLI::Option* o :
         app.get_options([](const CLI::Option* p) { return p->get_positional(); })) {
        const std::string name = o->get_name(true);
        if (name.find("FILE") != std::string::npos || name == "OUT" || name == "DIR") return true;
    }
    return false;
}

}  // namespace

void printBashCompletion(std::ostream& out, const CLI::App& root) {
    std::vector<Node> nodes;
    collect(root, "", nodes);
    // The common options are the tool's; they are valid at every depth.
    const std::vector<const CLI::Option*> common = visibleOptions(root);
    const auto pattern = [&](const Node& n, const CLI::Option* o, const std::string& name) {
        const bool isCommon = std::find(common.begin(), common.end(), o) != common.end();
        return isCommon ? "*\":" + name + "\"" : "\"" + n.path + ":" + name + "\"";
    };

    out << "# bash completion for " << kToolName
        << ", written by the build from the tool's own command description.\n"
           "_tempovirens_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "    local path=\"\" word i skip=0\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        word=${COMP_WORDS[i]}\n"
           "        if ((skip)); then skip=0; continue; fi\n"
           "        case \"$path:$word\" in\n";
    // Options that take a value: the word after them is that value.
    std::string valued;
    for (const Node& n : nodes) {
        for (const CLI::Option* o : visibleOptions(*n.app)) {
            if (!takesValue(*o) || (n.app != &root && o->get_group() == kCommonGroup)) continue;
            for (const std::string& name : namesOf(*o))
                valued += (valued.empty() ? "" : "|") + pattern(n, o, name);
        }
    }
    out << "            " << valued << ") skip=1 ;;\n";
    for (const Node& n : nodes) {
        if (n.app == &root) continue;
        const std::string parent = n.path.substr(0, n.path.rfind('/'));
        out << "            \"" << parent << ":" << n.app->get_name() << "\") path=\"" << n.path
            << "\" ;;\n";
    }
    out << "        esac\n"
           "    done\n"
           "    case \"$path:$prev\" in\n";
    for (const Node& n : nodes) {
        for (const CLI::Option* o : visibleOptions(*n.app)) {
            if (!takesValue(*o) || (n.app != &root && o->get_group() == kCommonGroup)) continue;
            std::string alternatives;
            for (const std::string& name : namesOf(*o))
                alternatives += (alternatives.empty() ? "" : "|") + pattern(n, o, name);
            out << "        " << alternatives << ") " << valueCompletion(o->get_type_name())
                << "; return ;;\n";
        }
    }
    out << "    esac\n"
           "    local words files=0\n"
           "    case \"$path\" in\n";
    for (const Node& n : nodes) {
        std::string words;
        for (const CLI::App* sub : n.app->get_subcommands([](const CLI::App*) { return true; }))
            words += (words.empty() ? "" : " ") + sub->get_name();
        for (const CLI::Option* o : visibleOptions(*n.app)) {
            for (const std::string& name : namesOf(*o))
                words += (words.empty() ? "" : " ") + name;
        }
        if (n.app != &root) {
            for (const CLI::Option* o : common) {
                if (n.app->get_option_no_throw(namesOf(*o).back()) != nullptr) continue;
                for (const std::string& name : namesOf(*o))
                    words += " " + name;
            }
        }
        out << "        \"" << n.path << "\") words=\"" << words << "\"";
        if (takesPaths(*n.app)) out << "; files=1";
        out << " ;;\n";
    }
    out << "    esac\n"
           "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
           "    if ((files)) && [[ $cur != -* ]]; then\n"
           "        COMPREPLY+=($(compgen -f -- \"$cur\"))\n"
           "    fi\n"
           "}\n"
           "complete -o filenames -F _tempovirens_cli "
        << kToolName << '\n';
}

}  // namespace tv::cli
