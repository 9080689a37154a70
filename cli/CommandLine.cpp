// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "cli/Commands.h"
#include "model/RibPropertyFields.h"
#include "text/NumberText.h"

namespace parvelin::cli {
namespace {

// The width of the help's option column, and of its lines.
constexpr std::size_t kHelpColumn = 24;
constexpr std::size_t kHelpWidth = 80;

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A whole text that is one finite number.
bool readNumber(std::string_view text, double& value) {
    if (text.empty()) return false;
    const std::string s(text);
    std::size_t used = 0;
    value = parseDouble(s.c_str(), &used);
    return used == s.size() && std::isfinite(value);
}

// The table's spelling of a Choice's word, or empty.
std::string_view choiceNamed(std::string_view choices, std::string_view word) {
    while (!choices.empty()) {
        const std::size_t blank = choices.find(' ');
        const std::string_view choice = choices.substr(0, blank);
        if (sameWord(choice, word)) return choice;
        choices = blank == std::string_view::npos ? std::string_view() : choices.substr(blank + 1);
    }
    return {};
}

// A rib property setting: checked over the settings given so far, then kept.
std::string readAssignment(const OptionRule& rule, std::string_view value, ParsedLine& line) {
    std::string field(rule.sets);
    std::string text(value);
    if (field.empty()) {
        const std::size_t eq = text.find('=');
        if (eq == std::string::npos) return std::string(rule.name) + " needs FIELD=VALUE, got '" + text + "'";
        field = text.substr(0, eq);
        text = text.substr(eq + 1);
    }
    std::string error;
    if (!setRibPropertyField(line.properties, field, text, error)) return error;
    line.settings.emplace_back(field, text);
    return {};
}

// Reads `value` as `rule` says into `given`; false when it is not one.
bool readValue(const OptionRule& rule, std::string_view value, Given& given) {
    given.text = std::string(value);
    switch (rule.kind) {
    case ValueKind::Switch:
    case ValueKind::Assignment:
    case ValueKind::Text: return true;
    case ValueKind::Choice: {
        const std::string_view choice = choiceNamed(rule.choices, value);
        given.text = std::string(choice);
        return !choice.empty();
    }
    case ValueKind::Number: return readNumber(value, given.number);
    case ValueKind::Length: return readNumber(value, given.number) && given.number >= 0.0;
    case ValueKind::Positive: return readNumber(value, given.number) && given.number > 0.0;
    case ValueKind::Whole:
        return readNumber(value, given.number) && given.number == std::floor(given.number) &&
               given.number >= rule.least && given.number <= rule.most;
    case ValueKind::Size: {
        const std::size_t x = value.find_first_of("xX");
        return x != std::string_view::npos && readNumber(value.substr(0, x), given.number) &&
               readNumber(value.substr(x + 1), given.second) && given.number > 0.0 && given.second > 0.0;
    }
    case ValueKind::Spar:
        given.percent = !value.empty() && value.back() == '%';
        return readNumber(given.percent ? value.substr(0, value.size() - 1) : value, given.number);
    }
    return false;
}

const OptionRule* optionFor(std::string_view name, Command command) {
    for (const OptionRule& rule : optionTable())
        if (rule.name == name && (rule.scope & scopeOf(command)) != 0) return &rule;
    return nullptr;
}

bool knownOption(std::string_view name) {
    bool needsValue = false;
    for (const OptionRule& rule : optionTable())
        if (rule.name == name) return true;
    return isNestOption(name, needsValue);
}

struct Reader {
    const CommandRule& command;
    std::span<const std::string> args;
    std::size_t next = 0;
    ParsedLine& line;

    // The option's value: written after '=' in the same argument, or the next argument.
    bool takeValue(std::optional<std::string_view> attached, std::string_view& value) {
        if (attached) {
            value = *attached;
            return true;
        }
        if (next >= args.size()) return false;
        value = args[next++];
        return true;
    }

    std::string readNestOption(std::string_view name, std::optional<std::string_view> attached) {
        bool needsValue = false;
        isNestOption(name, needsValue);
        std::string_view value;
        const bool present = needsValue ? takeValue(attached, value) : !attached;
        if (!present && !needsValue) return std::string(name) + " takes no value";
        const std::string text(value);
        std::string error;
        if (!readNestChoice(name, present && needsValue ? text.c_str() : nullptr, line.nest, error)) return error;
        return {};
    }

    std::string readOption(const OptionRule& rule, std::optional<std::string_view> attached) {
        Given given{rule.id, {}};
        if (rule.kind == ValueKind::Switch) {
            if (attached) return std::string(rule.name) + " takes no value";
            if (!rule.sets.empty()) {
                const std::size_t eq = rule.sets.find('=');
                line.settings.emplace_back(rule.sets.substr(0, eq), rule.sets.substr(eq + 1));
                std::string error;
                setRibPropertyField(line.properties, rule.sets.substr(0, eq), rule.sets.substr(eq + 1), error);
            }
        } else {
            std::string_view value;
            if (!takeValue(attached, value)) return std::string(rule.name) + " needs " + std::string(rule.needs);
            if (rule.kind == ValueKind::Assignment)
                if (std::string error = readAssignment(rule, value, line); !error.empty()) return error;
            if (!readValue(rule, value, given)) return std::string(rule.name) + " needs " + std::string(rule.needs);
        }
        line.given.push_back(std::move(given));
        return {};
    }

    std::string readArgument(const std::string& arg) {
        if (arg.size() < 2 || arg[0] != '-') {
            line.operands.push_back(arg);
            return {};
        }
        std::string_view name = arg == "-h" ? std::string_view("--help") : std::string_view(arg);
        std::optional<std::string_view> attached;
        if (const std::size_t eq = name.find('='); eq != std::string_view::npos && name.starts_with("--")) {
            attached = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (const OptionRule* rule = optionFor(name, command.id)) return readOption(*rule, attached);
        bool needsValue = false;
        if (command.nests && isNestOption(name, needsValue)) return readNestOption(name, attached);
        if (knownOption(name)) return std::string(name) + " does not apply to " + std::string(command.name);
        return "unknown option '" + arg + "'";
    }
};

// An option's help: its name and value, then its text filled into lines that
// end before the terminal's 80 columns, each further line indented to the
// help column.
void appendOptionHelp(std::string& help, const OptionRule& rule) {
    std::string line = "  " + std::string(rule.name);
    if (!rule.value.empty()) line += " " + std::string(rule.value);
    line += line.size() + 2 > kHelpColumn ? "  " : std::string(kHelpColumn - line.size(), ' ');
    const std::size_t textStart = line.size();
    std::string_view text = rule.help;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(" \n");
        const std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (word.empty()) continue;
        if (line.size() > textStart && line.size() + 1 + word.size() > kHelpWidth) {
            help += line + "\n";
            line = std::string(kHelpColumn, ' ');
        } else if (line.size() > textStart) {
            line += ' ';
        }
        line += word;
    }
    help += line + "\n";
}

// Each line of `lines` after `prefix`.
std::string prefixed(std::string_view prefix, std::string_view lines) {
    std::string text;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        text += std::string(prefix) + std::string(lines.substr(0, end)) + "\n";
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
    return text;
}

} // namespace

bool ParsedLine::has(Opt id) const { return last(id) != nullptr; }

const Given* ParsedLine::last(Opt id) const {
    for (auto it = given.rbegin(); it != given.rend(); ++it)
        if (it->id == id) return &*it;
    return nullptr;
}

double ParsedLine::number(Opt id, double otherwise) const {
    const Given* found = last(id);
    return found != nullptr ? found->number : otherwise;
}

std::string ParsedLine::text(Opt id, const std::string& otherwise) const {
    const Given* found = last(id);
    return found != nullptr ? found->text : otherwise;
}

std::string parseCommandLine(const CommandRule& command, std::span<const std::string> args, ParsedLine& line) {
    line = ParsedLine{};
    line.command = &command;
    Reader reader{command, args, 0, line};
    while (reader.next < args.size()) {
        if (std::string error = reader.readArgument(args[reader.next++]); !error.empty()) return error;
        if (line.has(Opt::Help)) {
            line.help = true;
            return {};
        }
    }
    if (line.operands.size() != command.operands)
        return std::string(command.name) + " takes " + std::string(command.operandText);
    return {};
}

std::string commandHelp(const CommandRule& command) {
    std::string help = "Usage:\n" + prefixed("  parvelin-cli ", command.usage) + "\n" + std::string(command.about);
    help += "\nOptions:\n";
    for (const OptionRule& rule : optionTable())
        if ((rule.scope & scopeOf(command.id)) != 0) appendOptionHelp(help, rule);
    if (command.nests) help += kNestOptionsHelp;
    return help;
}

std::string generalHelp() {
    std::string help = "Usage:\n";
    for (const CommandRule& command : commandTable()) help += prefixed("  parvelin-cli ", command.usage);
    help += "  parvelin-cli --version\n  parvelin-cli COMMAND --help\n\n";
    for (const CommandRule& command : commandTable()) {
        const std::string name(command.name);
        help += "  " + name + std::string(name.size() < 14 ? 14 - name.size() : 1, ' ') + std::string(command.summary) +
                "\n";
    }
    help +=
        "\n"
        "Wherever INPUT.dat stands, a rib design (INPUT.parvelin) may stand instead; the\n"
        "options then change its own rib properties. naca:DESIGNATION (naca:2412) stands\n"
        "for the section itself, made with the defaults of the naca command.\n"
        "'parvelin-cli COMMAND --help' lists the options a command takes.\n"
        "\n"
        "An existing OUTPUT is never overwritten (except by export --force). Errors go\n"
        "to standard error and the exit status is 1 (2 for a usage error or rib\n"
        "properties that cannot be built: a length that is negative or not a finite\n"
        "number, a chord or a chosen shape's size that is not above 0, a style code\n"
        "outside its table).\n";
    return help;
}

int runCommandLine(std::span<const std::string> args) {
    if (args.empty()) return usageError("", "no command given");
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(generalHelp().c_str(), stdout);
        return 0;
    }
    if (name == "--version") {
        std::fputs("parvelin-cli " PARVELIN_VERSION "\n", stdout);
        return 0;
    }
    // gcode names its machine next: "gcode laser" and "gcode hotwire" are commands of their own.
    std::size_t words = 1;
    std::string commandName = name;
    if (name == "gcode") {
        if (args.size() < 2) return usageError("gcode", "gcode needs laser or hotwire");
        if (args[1] == "--help" || args[1] == "-h") {
            std::fputs((commandHelp(commandRule(Command::Laser)) + "\n" + commandHelp(commandRule(Command::Hotwire))).c_str(),
                       stdout);
            return 0;
        }
        commandName += " " + args[1];
        words = 2;
    }
    const CommandRule* command = nullptr;
    for (const CommandRule& rule : commandTable())
        if (rule.name == commandName) command = &rule;
    if (command == nullptr && words == 2) return usageError("gcode", "gcode needs laser or hotwire, got '" + args[1] + "'");
    if (command == nullptr) return usageError("", "unknown command '" + name + "'");
    ParsedLine line;
    if (const std::string error = parseCommandLine(*command, args.subspan(words), line); !error.empty())
        return usageError(command->helpName, error);
    if (line.help) {
        std::fputs(commandHelp(*command).c_str(), stdout);
        return 0;
    }
    // Returns only when there is no printing tool; the command then says so.
    if (command->writesPdf && !kCanPrint) handOverToPdfTool(args);
    return command->run(line);
}

int usageError(std::string_view helpName, const std::string& message) {
    const std::string help = helpName.empty() ? std::string() : std::string(helpName) + " ";
    std::fprintf(stderr, "parvelin-cli: %s; see parvelin-cli %s--help\n", message.c_str(), help.c_str());
    return 2;
}

} // namespace parvelin::cli
