// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of parvelin-cli, read the same way for every command: one
// table of commands and one of options (name, the kind of value it takes, the
// commands it applies to, its help line). The reader checks each value as its
// kind asks before any command sees it, refuses an option that belongs to
// another command, and writes every command's --help from the same tables.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/NestChoices.h"
#include "model/RibProperties.h"

namespace parvelin::cli {

enum class Command : std::uint8_t { Export, Print, Cut, Project, Info, Fields, Naca, Wing, Laser, Hotwire, Model };

// A set of commands: one bit per Command.
using Scope = std::uint16_t;
constexpr Scope scopeOf(Command command) { return static_cast<Scope>(1u << static_cast<unsigned>(command)); }

// What follows an option, and how it is checked.
enum class ValueKind : std::uint8_t {
    Switch,      // nothing
    Text,        // any text (a file name)
    Choice,      // one of the words in OptionRule::choices, in any case
    Number,      // a finite number
    Length,      // a finite number of 0 or more
    Positive,    // a finite number above 0
    Whole,       // a whole number from OptionRule::least to OptionRule::most
    Size,        // WIDTHxHEIGHT, both finite and above 0
    Spar,        // a number, or a percentage written with % (25%)
    Assignment,  // FIELD=VALUE for a rib property field, or the VALUE of OptionRule::sets
};

// Every option the tool knows; several table rows may share one (the same
// option with another help line for other commands).
enum class Opt : std::uint8_t {
    Help, Set, Chord, Inches, Mm, Import, Force,
    Page, Landscape, Portrait, NoGuides, NoChordLine, NoEdgeLines,
    Kerf, DxfVersion, Sheet, Points, ClosedTe,
    Span, RootChord, TipChord, Ribs, Spacing, Sweep, SparRoot, SparTip, Washout, Side, TipAirfoil,
    Feed, SMax, Svg, Power, Passes, ConstantPower,
    TowerDistance, PanelOffset, KerfRoot, KerfTip, Axes, Travel, PathMargin, Lead, SafeHeight, Heat,
    Thickness, NoBars, NoSheeting,
};

struct OptionRule {
    Opt id;
    std::string_view name;   // "--kerf"
    ValueKind kind;
    Scope scope;             // the commands it applies to
    std::string_view value;  // the value's name in the help ("L", "WxH"); empty for a switch
    std::string_view needs;  // what the value must be, for the refusal: "--kerf needs a length of 0 or more"
    std::string_view help;   // the help text; '\n' starts a continued line
    std::string_view choices = {};  // Choice: the words taken, blank-separated
    // Assignment: the field the value is for (empty: FIELD=VALUE); a switch:
    // the setting FIELD=VALUE it stands for (--inches is metric=0).
    std::string_view sets = {};
    double least = -1e6;  // Whole: the range taken
    double most = 1e6;
};

struct ParsedLine;

struct CommandRule {
    Command id;
    std::string_view name;      // "export", "gcode laser"
    std::string_view usage;     // the usage lines after "parvelin-cli ", one a line
    std::string_view summary;   // the general help's line on the command
    std::string_view about;     // the command's --help text above its options
    std::string_view helpName;  // the help a usage error points at: "" (the general help), "wing" ...
    std::size_t operands;       // how many arguments that are not options it takes
    std::string_view operandText;  // "INPUT and OUTPUT", for "export takes INPUT and OUTPUT"
    bool nests;                 // takes the nesting options of a wing's sheets
    bool writesPdf;             // runs in the printing tool (see cli/PrintHandOver.cpp)
    int (*run)(const ParsedLine& line);
};

std::span<const OptionRule> optionTable();
std::span<const CommandRule> commandTable();
const CommandRule& commandRule(Command command);

// One option as given, its value read as its kind says (the last one given
// counts where an option is given twice).
struct Given {
    Opt id;
    std::string text;      // the value as given (a Choice: the table's spelling)
    double number = 0.0;   // Number, Length, Positive, Whole, Spar; a Size's width
    double second = 0.0;   // a Size's height
    bool percent = false;  // a Spar written with %
};

struct ParsedLine {
    const CommandRule* command = nullptr;
    std::vector<Given> given;  // in the order given
    std::vector<std::string> operands;
    bool help = false;  // --help was given: nothing else was read after it
    // Every --set, --chord, --inches and --mm as FIELD and VALUE, in order,
    // and the defaults with them applied.
    std::vector<std::pair<std::string, std::string>> settings;
    RibProperties properties = kDefaultRibProperties;
    NestChoices nest;

    bool has(Opt id) const;
    const Given* last(Opt id) const;
    double number(Opt id, double otherwise) const;
    std::string text(Opt id, const std::string& otherwise) const;
};

// Reads `args` (what follows the command's name) for `command`. Returns an
// empty string, or the one-line reason the line is refused.
std::string parseCommandLine(const CommandRule& command, std::span<const std::string> args, ParsedLine& line);

// The command's --help: its usage, what it does and every option it takes.
std::string commandHelp(const CommandRule& command);
// parvelin-cli --help: every command's usage and what it does.
std::string generalHelp();

// Reports a wrong command line on stderr in one line, pointing at the help
// of `helpName` ("" for the general help); returns 2.
int usageError(std::string_view helpName, const std::string& message);

// Reads the command line and runs the command: the whole of parvelin-cli
// after its name. Returns the exit status.
int runCommandLine(std::span<const std::string> args);

} // namespace parvelin::cli
