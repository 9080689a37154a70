// SPDX-License-Identifier: GPL-3.0-or-later
// The command line every parvelin-cli command shares: each option is taken by
// the commands it applies to and refused, naming the command, by the others;
// a value that is not of the option's kind is refused naming what it needs;
// and every command answers --help in lines that fit a terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "cli/CommandLine.h"

namespace {

using namespace parvelin::cli;

// A value each kind takes, and one it refuses (none for a switch or text).
std::string goodValue(const OptionRule& rule) {
    switch (rule.kind) {
    case ValueKind::Switch: return {};
    case ValueKind::Text: return "a.dat";
    case ValueKind::Choice: return std::string(rule.choices.substr(0, rule.choices.find(' ')));
    case ValueKind::Number: return "-1.5";
    case ValueKind::Length: return "0";
    case ValueKind::Positive: return "2.5";
    case ValueKind::Whole: return "12";
    case ValueKind::Size: return "300x50";
    case ValueKind::Spar: return "25%";
    case ValueKind::Assignment: return rule.sets.empty() ? "chord=150" : "150";
    }
    return {};
}

std::vector<std::string> badValues(const OptionRule& rule) {
    switch (rule.kind) {
    case ValueKind::Switch:
    case ValueKind::Text:
    case ValueKind::Assignment: return {};
    case ValueKind::Choice: return {"bogus", ""};
    case ValueKind::Number: return {"x", "1.5mm", "", "nan", "inf"};
    case ValueKind::Length: return {"x", "-0.5", "inf"};
    case ValueKind::Positive: return {"x", "0", "-2"};
    case ValueKind::Whole: return {"1.5", "x", "1e9"};
    case ValueKind::Size: return {"300", "300x", "x50", "0x50", "300x-1", "axb"};
    case ValueKind::Spar: return {"%", "x%", "25%%"};
    }
    return {};
}

bool applies(const OptionRule& rule, Command command) { return (rule.scope & scopeOf(command)) != 0; }

bool anyRowApplies(std::string_view name, Command command) {
    for (const OptionRule& rule : optionTable())
        if (rule.name == name && applies(rule, command)) return true;
    return false;
}

std::vector<std::string> operandsOf(const CommandRule& command) {
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < command.operands; ++i) operands.push_back(i == 0 ? "in.dat" : "out.x");
    return operands;
}

std::string parse(const CommandRule& command, std::vector<std::string> args, ParsedLine& line) {
    for (std::string& operand : operandsOf(command)) args.push_back(operand);
    return parseCommandLine(command, args, line);
}

TEST(CommandLine, EveryOptionIsTakenWhereItAppliesAndRefusedElsewhere) {
    for (const CommandRule& command : commandTable())
        for (const OptionRule& rule : optionTable()) {
            SCOPED_TRACE(std::string(command.name) + " " + std::string(rule.name));
            std::vector<std::string> args{std::string(rule.name)};
            if (rule.kind != ValueKind::Switch) args.push_back(goodValue(rule));
            ParsedLine line;
            const std::string error = parse(command, args, line);
            bool needsValue = false;
            if (command.nests && isNestOption(rule.name, needsValue)) continue;  // the nesting's own option
            if (!anyRowApplies(rule.name, command.id)) {
                EXPECT_EQ(error, std::string(rule.name) + " does not apply to " + std::string(command.name));
                continue;
            }
            if (!applies(rule, command.id)) continue;  // another row of the same name is this command's
            ASSERT_EQ(error, "");
            if (rule.id == Opt::Help) {
                EXPECT_TRUE(line.help);
                continue;
            }
            ASSERT_TRUE(line.has(rule.id));
            EXPECT_EQ(line.operands, operandsOf(command));
        }
}

TEST(CommandLine, AValueOfTheWrongKindOrNoneIsRefusedNamingWhatItNeeds) {
    for (const CommandRule& command : commandTable())
        for (const OptionRule& rule : optionTable()) {
            if (!applies(rule, command.id) || rule.kind == ValueKind::Switch) continue;
            SCOPED_TRACE(std::string(command.name) + " " + std::string(rule.name));
            const std::string needs = std::string(rule.name) + " needs " + std::string(rule.needs);
            for (const std::string& bad : badValues(rule)) {
                ParsedLine line;
                EXPECT_EQ(parse(command, {std::string(rule.name), bad}, line), needs) << bad;
                EXPECT_EQ(parse(command, {std::string(rule.name) + "=" + bad}, line), needs) << bad;
            }
            // Given last, with nothing after it.
            ParsedLine line;
            std::vector<std::string> args = operandsOf(command);
            args.emplace_back(rule.name);
            EXPECT_EQ(parseCommandLine(command, args, line), needs);
        }
}

TEST(CommandLine, ValuesAreReadAsTheirKindSays) {
    const CommandRule& wing = commandRule(Command::Wing);
    ParsedLine line;
    ASSERT_EQ(parse(wing,
                    {"--sheet", "300X50", "--spar-root", "25%", "--spar-tip=30", "--page", "letter", "--kerf=0.2",
                     "--ribs", "5", "--ribs", "7", "--side", "LEFT", "--dxf-version", "r12"},
                    line),
              "");
    EXPECT_EQ(line.last(Opt::Sheet)->number, 300.0);
    EXPECT_EQ(line.last(Opt::Sheet)->second, 50.0);
    EXPECT_TRUE(line.last(Opt::SparRoot)->percent);
    EXPECT_EQ(line.last(Opt::SparRoot)->number, 25.0);
    EXPECT_FALSE(line.last(Opt::SparTip)->percent);
    EXPECT_EQ(line.last(Opt::SparTip)->number, 30.0);
    EXPECT_EQ(line.text(Opt::Page, ""), "Letter");  // the table's spelling
    EXPECT_EQ(line.text(Opt::Side, ""), "left");
    EXPECT_EQ(line.text(Opt::DxfVersion, ""), "R12");
    EXPECT_EQ(line.number(Opt::Kerf, -1.0), 0.2);
    EXPECT_EQ(line.number(Opt::Ribs, 0.0), 7.0);  // the last one given counts
    EXPECT_EQ(line.number(Opt::Sweep, -3.0), -3.0);
    EXPECT_FALSE(line.has(Opt::Sweep));

    // Whole numbers keep to their range: naca's points from 10 to 2500.
    const CommandRule& naca = commandRule(Command::Naca);
    for (const char* points : {"10", "2500"}) EXPECT_EQ(parse(naca, {"--points", points}, line), "") << points;
    for (const char* points : {"9", "2501"})
        EXPECT_EQ(parse(naca, {"--points", points}, line), "--points needs a whole number from 10 to 2500");
}

TEST(CommandLine, SettingsAreKeptInOrderOverTheDefaults) {
    const CommandRule& cut = commandRule(Command::Cut);
    ParsedLine line;
    ASSERT_EQ(parse(cut, {"--inches", "--set", "sparStyle=1", "--chord", "7", "--set=chord=8", "--mm"}, line), "");
    const std::vector<std::pair<std::string, std::string>> expected{
        {"metric", "0"}, {"sparStyle", "1"}, {"chord", "7"}, {"chord", "8"}, {"metric", "1"}};
    EXPECT_EQ(line.settings, expected);
    EXPECT_EQ(line.properties.metric, 1);
    EXPECT_EQ(line.properties.sparStyle, 1);
    EXPECT_EQ(line.properties.chord, 8.0f);

    // A setting no field takes is refused with the field's own words.
    EXPECT_EQ(parse(cut, {"--set", "chord"}, line), "--set needs FIELD=VALUE, got 'chord'");
    EXPECT_NE(parse(cut, {"--set", "nosuchfield=1"}, line).find("nosuchfield"), std::string::npos);
    EXPECT_NE(parse(cut, {"--chord", "wide"}, line), "");
}

TEST(CommandLine, OperandsSwitchesHelpAndTheNestingOptions) {
    const CommandRule& exportCommand = commandRule(Command::Export);
    ParsedLine line;
    EXPECT_EQ(parseCommandLine(exportCommand, std::vector<std::string>{"in.dat"}, line),
              "export takes INPUT and OUTPUT");
    EXPECT_EQ(parse(exportCommand, {"--force=yes"}, line), "--force takes no value");
    EXPECT_EQ(parse(exportCommand, {"--frobnicate"}, line), "unknown option '--frobnicate'");
    // --help stops the reading: what follows it is not looked at.
    EXPECT_EQ(parseCommandLine(exportCommand, std::vector<std::string>{"-h", "--frobnicate"}, line), "");
    EXPECT_TRUE(line.help);

    // The nesting's options go to the commands that nest a wing's ribs.
    const CommandRule& wing = commandRule(Command::Wing);
    ASSERT_EQ(parse(wing, {"--gap", "3", "--mirror", "--grain", "any", "--seed", "9"}, line), "");
    ASSERT_TRUE(line.nest.gap.has_value());
    EXPECT_EQ(*line.nest.gap, 3.0);
    EXPECT_TRUE(line.nest.mirror);
    EXPECT_EQ(line.nest.seed, 9u);
    EXPECT_EQ(parse(wing, {"--gap", "1", "--common-line"}, line),
              "--gap does not apply with --common-line (the parts touch)");
    EXPECT_EQ(parse(wing, {"--mirror=1"}, line), "--mirror takes no value");
    EXPECT_EQ(parse(exportCommand, {"--gap", "3"}, line), "--gap does not apply to export");
    // The hot wire's --margin is its own, not the nesting's.
    ASSERT_EQ(parse(commandRule(Command::Hotwire), {"--margin", "-4"}, line), "");
    EXPECT_EQ(line.number(Opt::PathMargin, 0.0), -4.0);
}

TEST(CommandLine, RowsOfOneNameServeSeparateCommandsAndEveryHelpFits) {
    const auto options = optionTable();
    for (std::size_t i = 0; i < options.size(); ++i)
        for (std::size_t j = i + 1; j < options.size(); ++j)
            if (options[i].name == options[j].name) {
                EXPECT_EQ(options[i].scope & options[j].scope, 0) << options[i].name << " has two rows for one command";
            }

    std::vector<std::string> helps{generalHelp()};
    for (const CommandRule& command : commandTable()) helps.push_back(commandHelp(command));
    for (const std::string& help : helps) {
        std::size_t start = 0;
        while (start < help.size()) {
            const std::size_t end = help.find('\n', start);
            ASSERT_NE(end, std::string::npos) << "help does not end its last line";
            EXPECT_LE(end - start, 80u) << help.substr(start, end - start);
            start = end + 1;
        }
    }
}

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(CommandLine, TheToolAnswersVersionAndEveryCommandsHelp) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "parvelin-cli-help.txt";
    auto run = [&](const std::string& arguments) {
        const int status = std::system(("'" + std::string(PARVELIN_CLI) + "' " + arguments + " >'" + out.string() +
                                        "' 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(run("--version"), 0);
    EXPECT_TRUE(std::regex_match(readAll(out), std::regex("parvelin-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << readAll(out);
    for (const CommandRule& command : commandTable()) {
        SCOPED_TRACE(command.name);
        ASSERT_EQ(run(std::string(command.name) + " --help"), 0);
        const std::string help = readAll(out);
        EXPECT_EQ(help.rfind("Usage:\n  parvelin-cli " + std::string(command.name), 0), 0u) << help;
        // Every option the command takes is listed.
        for (const OptionRule& rule : optionTable())
            if (applies(rule, command.id)) {
                EXPECT_NE(help.find("\n  " + std::string(rule.name) + " "), std::string::npos) << rule.name;
            }
    }
    ASSERT_EQ(run("gcode --help"), 0);
    EXPECT_NE(readAll(out).find("--tower-distance"), std::string::npos);
    EXPECT_NE(readAll(out).find("--constant-power"), std::string::npos);
    std::filesystem::remove(out);
}

// parvelin-cli loads no Qt library: the commands that write a PDF run in the
// printing tool, which it starts in its own place. Printing still works
// through it, from a process without a display.
TEST(CommandLine, TheToolLoadsNoQtAndHandsPrintingOver) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "parvelin-cli-no-qt";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path out = folder / "out.txt";
    auto run = [&](const std::string& command) {
        const int status = std::system((command + " >'" + out.string() + "' 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string tool = "'" + std::string(PARVELIN_CLI) + "'";
    ASSERT_EQ(run("ldd " + tool), 0);
    const std::string libraries = readAll(out);
    EXPECT_NE(libraries.find("libstdc++"), std::string::npos) << libraries;
    EXPECT_EQ(libraries.find("libQt"), std::string::npos) << libraries;

    const std::string clarkY = "'" + std::string(PARVELIN_AIRFOIL_DIR) + "/asb__clarky.dat'";
    const std::string rib = "'" + (folder / "rib.pdf").string() + "'";
    const int printed = run("env -u DISPLAY -u QT_QPA_PLATFORM " + tool + " print --chord 150 " + clarkY + " " + rib);
    if (readAll(out).find("without Qt") == std::string::npos) {
        EXPECT_EQ(printed, 0) << readAll(out);
        EXPECT_EQ(readAll(folder / "rib.pdf").rfind("%PDF-", 0), 0u);
        // The printing tool speaks as parvelin-cli does.
        EXPECT_EQ(run(tool + " print " + clarkY + " " + rib), 1);
        EXPECT_EQ(readAll(out).rfind("parvelin-cli: ", 0), 0u) << readAll(out);
        EXPECT_NE(readAll(out).find("already exists"), std::string::npos) << readAll(out);

        // Without its printing tool beside it the tool says so, and prints nothing.
        const std::filesystem::path alone = folder / "parvelin-cli";
        std::filesystem::copy_file(PARVELIN_CLI, alone);
        EXPECT_EQ(run("'" + alone.string() + "' print " + clarkY + " '" + (folder / "alone.pdf").string() + "'"), 1);
        EXPECT_EQ(readAll(out),
                  "parvelin-cli: printing needs parvelin-cli-pdf, which is not installed beside parvelin-cli\n");
        EXPECT_FALSE(std::filesystem::exists(folder / "alone.pdf"));
    }
    std::filesystem::remove_all(folder);
}

} // namespace
