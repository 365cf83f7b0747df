#include "cli/cli_help.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <ostream>

#include "cli/cli_context.h"

namespace tv::cli {
namespace {

constexpr size_t kWidth = 80;
constexpr size_t kLabelWidth = 24;  // option names, then their explanation

// The tool's own switches: in the help, never in a command's usage line.
bool isHelpSwitch(const CLI::Option& o) {
    return o.check_lname("help") || o.check_lname("help-all") || o.check_lname("version");
}

bool isFlag(const CLI::Option& o) {
    return o.get_items_expected_max() == 0;
}

std::vector<const CLI::App*> subcommandsOf(const CLI::App& command) {
    return command.get_subcommands([](const CLI::App*) { return true; });
}

// In the order they were described, the help switches last.
std::vector<const CLI::Option*> optionsOf(const CLI::App& command, bool positional) {
    std::vector<const CLI::Option*> list = command.get_options([positional](const CLI::Option* o) {
        return o->get_positional() == positional && !o->get_group().empty();
    });
    std::stable_partition(list.begin(), list.end(),
                          [](const CLI::Option* o) { return !isHelpSwitch(*o); });
    return list;
}

// "-o" when there is a short name, else "--name".
std::string shortestName(const CLI::Option& o) {
    if (!o.get_snames().empty()) return "-" + o.get_snames().front();
    if (!o.get_lnames().empty()) return "--" + o.get_lnames().front();
    return o.get_name();
}

std::string label(const CLI::Option& o) {
    if (o.get_positional()) return o.get_name(true);
    std::string names;
    for (const std::string& s : o.get_snames())
        names += (names.empty() ? "-" : ", -") + s;
    for (const std::string& l : o.get_lnames())
        names += (names.empty() ? "--" : ", --") + l;
    return isFlag(o) ? names : names + " " + o.get_type_name();
}

// The words of `text` from `column` on, in lines of at most kWidth columns; every further line
// starts at `indent`.
std::string wrap(std::string_view text, size_t column, size_t indent) {
    std::string out;
    bool lineHasWord = false;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find(' ', pos), text.size());
        const std::string_view word = text.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty()) continue;
        if (lineHasWord && column + 1 + word.size() > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
        } else if (lineHasWord) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineHasWord = true;
    }
    return out;
}

// A summary as the first sentence of a help page.
std::string sentence(std::string text) {
    if (text.empty()) return text;
    if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    if (text.back() != '.') text += '.';
    return text;
}

void paragraph(std::ostream& out, std::string_view text, size_t indent) {
    if (text.empty()) return;
    out << std::string(indent, ' ') << wrap(text, indent, indent) << '\n';
}

// One line of an option table: the name at `indent`, the explanation in a column of its own.
void row(std::ostream& out, const std::string& name, std::string_view text, size_t indent) {
    const size_t column = indent + kLabelWidth + 2;
    out << std::string(indent, ' ') << name;
    if (name.size() + 2 > kLabelWidth + 2) {
        out << '\n' << std::string(column, ' ');
    } else {
        out << std::string(kLabelWidth + 2 - name.size(), ' ');
    }
    out << wrap(text, column, column) << '\n';
}

void table(std::ostream& out, std::string_view title, const std::vector<const CLI::Option*>& list,
           size_t indent) {
    if (list.empty()) return;
    out << '\n' << std::string(indent, ' ') << title << ":\n";
    for (const CLI::Option* o : list)
        row(out, label(*o), o->get_description(), indent + 2);
}

std::vector<const CLI::Option*> inGroup(const std::vector<const CLI::Option*>& list, bool common) {
    std::vector<const CLI::Option*> out;
    for (const CLI::Option* o : list) {
        if ((o->get_group() == kCommonGroup) == common) out.push_back(o);
    }
    return out;
}

// What one command does and takes, every line indented by `indent`.
void commandBody(std::ostream& out, const CLI::App& command, size_t indent) {
    paragraph(out, sentence(command.get_description()), indent);
    if (!command.get_footer().empty()) {
        out << '\n';
        paragraph(out, command.get_footer(), indent);
    }
    table(out, "Arguments", optionsOf(command, true), indent);
    const std::vector<const CLI::Option*> options = optionsOf(command, false);
    table(out, "Options", inGroup(options, false), indent);
    table(out, kCommonGroup, inGroup(options, true), indent);
}

// A usage line broken between its parts, never inside a bracket nor between an option and its
// value.
std::string wrapUsage(std::string_view line, size_t column, size_t indent) {
    std::vector<std::string> parts(1);
    int depth = 0;
    for (char ch : line) {
        if (ch == ' ' && depth == 0) {
            parts.emplace_back();
            continue;
        }
        depth += ch == '[' ? 1 : ch == ']' ? -1 : 0;
        parts.back() += ch;
    }
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string part = parts[i];
        if (part.starts_with('-') && i + 1 < parts.size() && !parts[i + 1].starts_with('-') &&
            !parts[i + 1].starts_with('[')) {
            part += ' ' + parts[++i];
        }
        if (!out.empty() && column + 1 + part.size() > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
        } else if (!out.empty()) {
            out += ' ';
            ++column;
        }
        out += part;
        column += part.size();
    }
    return out;
}

void usageLines(std::ostream& out, const CLI::App& command, std::string_view lead) {
    std::vector<const CLI::App*> leaves = subcommandsOf(command);
    if (leaves.empty()) leaves.push_back(&command);
    std::string prefix(lead);
    for (const CLI::App* leaf : leaves) {
        const std::string line = std::string(kToolName) + " " + usageLine(*leaf);
        out << prefix << wrapUsage(line, prefix.size(), prefix.size() + 4) << '\n';
        prefix = std::string(lead.size(), ' ');
    }
}

void leafCommands(const CLI::App& command, std::vector<const CLI::App*>& out) {
    for (const CLI::App* sub : subcommandsOf(command)) {
        if (subcommandsOf(*sub).empty()) {
            out.push_back(sub);
        } else {
            leafCommands(*sub, out);
        }
    }
}

}  // namespace

std::string commandPath(const CLI::App& command) {
    std::string path;
    for (const CLI::App* a = &command; a != nullptr && a->get_parent() != nullptr;
         a = a->get_parent()) {
        path = path.empty() ? a->get_name() : a->get_name() + " " + path;
    }
    return path;
}

std::string usageLine(const CLI::App& command) {
    const std::vector<const CLI::App*> subs = subcommandsOf(command);
    std::string line;
    if (!subs.empty()) {
        for (const CLI::App* sub : subs)
            line += (line.empty() ? "" : " | ") + usageLine(*sub);
        return line;
    }
    line = commandPath(command);
    // Positionals first; the optional ones nest: KEY [P1 [P2]].
    size_t open = 0;
    for (const CLI::Option* o : optionsOf(command, true)) {
        std::string name = o->get_name(true);
        if (o->get_items_expected_max() > 1) name += "...";
        if (o->get_required()) {
            line += " " + name;
        } else {
            line += " [" + name;
            ++open;
        }
    }
    line += std::string(open, ']');
    for (const CLI::Option* o : optionsOf(command, false)) {
        if (isHelpSwitch(*o)) continue;
        const std::string text =
            isFlag(*o) ? shortestName(*o) : shortestName(*o) + " " + o->get_type_name();
        line += o->get_required() ? " " + text : " [" + text + "]";
    }
    return line;
}

int printUsage(std::ostream& out, std::string_view line) {
    out << "usage: " << kToolName << ' ' << line << '\n';
    return kExitUsage;
}

void printHelp(std::ostream& out, const CLI::App& command) {
    if (command.get_parent() == nullptr) {
        out << "Usage: " << kToolName << " [OPTIONS] COMMAND [ARGS]\n\n";
        paragraph(out, command.get_description(), 0);
        const std::vector<const CLI::Option*> options = optionsOf(command, false);
        table(out, "Options", options, 0);
        out << "\nCommands:\n";
        std::vector<const CLI::App*> leaves;
        leafCommands(command, leaves);
        for (const CLI::App* leaf : leaves)
            row(out, commandPath(*leaf), leaf->get_description(), 2);
        out << '\n';
        paragraph(out, command.get_footer(), 0);
        return;
    }
    usageLines(out, command, "Usage: ");
    out << '\n';
    if (subcommandsOf(command).empty()) {
        commandBody(out, command, 0);
        out << "\nThe options of '" << kToolName << " --help' work with every command.\n";
        return;
    }
    paragraph(out, sentence(command.get_description()), 0);
    if (!command.get_footer().empty()) {
        out << '\n';
        paragraph(out, command.get_footer(), 0);
    }
    out << "\nCommands:\n";
    for (const CLI::App* sub : subcommandsOf(command))
        row(out, sub->get_name(), sub->get_description(), 2);
    out << "\n'" << kToolName << ' ' << commandPath(command)
        << " COMMAND --help' explains one of them.\n";
}

void printAllHelp(std::ostream& out, const CLI::App& root) {
    printHelp(out, root);
    std::vector<const CLI::App*> leaves;
    leafCommands(root, leaves);
    for (const CLI::App* leaf : leaves) {
        out << '\n' << commandPath(*leaf) << ":\n";
        usageLines(out, *leaf, "  ");
        commandBody(out, *leaf, 2);
    }
}

}  // namespace tv::cli
