// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of parvelin-cli and every option they take.
#include "airfoil/NacaSection.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"

namespace parvelin::cli {
namespace {

using enum Command;
using enum ValueKind;

constexpr Scope operator|(Command a, Command b) { return static_cast<Scope>(scopeOf(a) | scopeOf(b)); }
constexpr Scope operator|(Scope a, Command b) { return static_cast<Scope>(a | scopeOf(b)); }

constexpr Scope kEveryCommand = 0xffff;
// The commands that build one rib from INPUT and write it.
constexpr Scope kRibJobs = Export | Print | Cut | Project;
// The commands that take rib property settings.
constexpr Scope kSettings = kRibJobs | Wing | Laser | Hotwire | Model;
// The commands that always read a coordinate file as File > Import does.
constexpr Scope kMachineInputs = Cut | Wing | Laser | Model;
constexpr Scope kPages = Print | Wing;
constexpr Scope kGcode = Laser | Hotwire;

// The --points text below names the range the section generator takes.
static_assert(kNacaMinPoints == 10 && kNacaMaxPoints == 2500);

constexpr OptionRule kOptions[] = {
    {Opt::Help, "--help", Switch, kEveryCommand, "", "", "this help (also -h)"},
    // Reading INPUT.
    {Opt::Import, "--import", Switch, Export | Print | Project | Info, "", "",
     "read INPUT as File > Import does: any separator, decimal\n"
     "commas, percent, Lednicer or clockwise order, any scale\n"
     "(without it, a warning names --import when Open takes\n"
     "INPUT only in part)"},
    {Opt::Import, "--import", Switch, kMachineInputs, "", "",
     "read INPUT.parvelin as a coordinate file (a coordinate file is\n"
     "always read as File > Import reads it)"},
    // The rib's properties.
    {Opt::Set, "--set", Assignment, kSettings, "FIELD=VALUE", "FIELD=VALUE",
     "set a rib property field (see 'parvelin-cli fields'),\n"
     "e.g. --set chord=150 --set leadingEdgeStyle=1"},
    {Opt::Chord, "--chord", Assignment, kRibJobs | Laser | Hotwire | Model, "LENGTH", "a length",
     "the same as --set chord=LENGTH", {}, "chord"},
    {Opt::Inches, "--inches", Switch, kSettings, "", "", "lengths are in inches (--set metric=0)", {}, "metric=0"},
    {Opt::Mm, "--mm", Switch, kSettings, "", "", "lengths are in millimetres (--set metric=1, the default)", {},
     "metric=1"},
    {Opt::Force, "--force", Switch, scopeOf(Export), "", "", "replace an existing OUTPUT instead of refusing"},
    // Pages.
    {Opt::Page, "--page", Choice, kPages, "SIZE", "a size: A4, A3, A5, Letter or Legal",
     "the page: A4 (the default), A3, A5, Letter or Legal", "A4 A3 A5 Letter Legal"},
    {Opt::Landscape, "--landscape", Switch, kPages, "", "", "a landscape page (portrait is the default)"},
    {Opt::Portrait, "--portrait", Switch, kPages, "", "", "a portrait page"},
    {Opt::NoGuides, "--no-guides", Switch, scopeOf(Print), "", "", "leave out the chord line and the LE and TE lines"},
    {Opt::NoChordLine, "--no-chord-line", Switch, scopeOf(Print), "", "", "leave out the chord line"},
    {Opt::NoEdgeLines, "--no-edge-lines", Switch, scopeOf(Print), "", "", "leave out the LE and TE lines"},
    // Cutting.
    {Opt::Kerf, "--kerf", Length, Cut | Wing | Laser, "LENGTH", "a length of 0 or more",
     "the cutter's kerf, in the chord's unit (default 0): every\n"
     "cut path lies half of it outside the part, which keeps its size"},
    {Opt::Kerf, "--kerf", Length, scopeOf(Hotwire), "L", "a length of 0 or more",
     "the width the wire melts at both ends (default 0), or"},
    {Opt::KerfRoot, "--kerf-root", Length, scopeOf(Hotwire), "L", "a length of 0 or more", "at the root end and"},
    {Opt::KerfTip, "--kerf-tip", Length, scopeOf(Hotwire), "L", "a length of 0 or more",
     "at the tip end; the path keeps half of it off the core"},
    {Opt::DxfVersion, "--dxf-version", Choice, Cut | Wing, "V", "R12 or R2000",
     "R2000 (the default: LWPOLYLINE and $INSUNITS) or R12", "R12 R2000"},
    {Opt::Sheet, "--sheet", Size, Cut | Laser, "WxH", "WIDTHxHEIGHT, both above 0",
     "a design with a wing: the cutting sheet its ribs are\n"
     "nested on (default 600x100 mm)"},
    {Opt::Sheet, "--sheet", Size, scopeOf(Wing), "WxH", "WIDTHxHEIGHT, both above 0",
     "the cutting sheet (default 600x100 mm)"},
    // NACA sections.
    {Opt::Points, "--points", Whole, scopeOf(Naca), "N", "a whole number from 10 to 2500",
     "points on each surface, cosine-spaced (default 81, 10 to 2500)", {}, {}, kNacaMinPoints, kNacaMaxPoints},
    {Opt::ClosedTe, "--closed-te", Switch, scopeOf(Naca), "", "", "a closed trailing edge (the standard one is open)"},
    // Wing panels.
    {Opt::Span, "--span", Number, scopeOf(Wing), "L", "a length", "root rib to tip rib"},
    {Opt::RootChord, "--root-chord", Number, scopeOf(Wing), "L", "a length", "chord of the root rib"},
    {Opt::TipChord, "--tip-chord", Number, scopeOf(Wing), "L", "a length", "chord of the tip rib"},
    {Opt::Ribs, "--ribs", Whole, scopeOf(Wing), "N", "a whole number", "number of ribs, root and tip included (2 to 500)"},
    {Opt::Spacing, "--spacing", Positive, scopeOf(Wing), "L", "a length above 0",
     "a rib every L from the root instead of --ribs"},
    {Opt::Sweep, "--sweep", Number, scopeOf(Wing), "L", "a length", "the tip's leading edge this far aft of the root's"},
    {Opt::SparRoot, "--spar-root", Spar, scopeOf(Wing), "P", "a length or a percentage (25%)",
     "spar's front edge at the root: a length from the leading\n"
     "edge, or a percentage of the chord written with % (25%)"},
    {Opt::SparTip, "--spar-tip", Spar, scopeOf(Wing), "P", "a length or a percentage (25%)",
     "the same at the tip (both lengths or both percentages);\n"
     "by default both come from the sparDistance field"},
    {Opt::Washout, "--washout", Number, scopeOf(Wing), "DEG", "an angle in degrees",
     "nose-down twist of the tip rib, 0 at the root (default:\n"
     "the washout field)"},
    {Opt::Side, "--side", Choice, scopeOf(Wing), "left|right|both", "left, right or both",
     "which panels (default both: every rib twice)", "left right both"},
    {Opt::Side, "--side", Choice, Hotwire | Model, "S", "left, right or both",
     "a wing's left, right or both panels (default: the design's)", "left right both"},
    {Opt::TipAirfoil, "--tip-airfoil", Text, scopeOf(Wing), "FILE", "a file",
     "blend the section from INPUT at the root to FILE at the tip\n"
     "(any file Open or Import reads, or naca:DESIGNATION)"},
    // Machine files.
    {Opt::Feed, "--feed", Number, kGcode, "F", "a speed in mm/min",
     "mm/min; needed (hotwire: the speed of the faster end)"},
    {Opt::Svg, "--svg", Text, kGcode, "PREVIEW.svg", "a file name",
     "also write the tool path as a picture (one per file)"},
    {Opt::SMax, "--s-max", Number, kGcode, "S", "a number", "the S of full power or heat ($30; default 1000)"},
    {Opt::Power, "--power", Number, scopeOf(Laser), "P", "a percentage", "percent of --s-max (default 100)"},
    {Opt::Passes, "--passes", Whole, scopeOf(Laser), "N", "a whole number", "times round each contour (default 1)"},
    {Opt::ConstantPower, "--constant-power", Switch, scopeOf(Laser), "", "", "M3 instead of M4"},
    {Opt::TowerDistance, "--tower-distance", Number, scopeOf(Hotwire), "L", "a length",
     "between the towers along the wire, in mm; needed"},
    {Opt::PanelOffset, "--panel-offset", Number, scopeOf(Hotwire), "L", "a length",
     "the panel's nearer end this far from the left tower\n"
     "(default: the panel in the middle)"},
    {Opt::Axes, "--axes", Text, scopeOf(Hotwire), "ABCD", "four axis letters",
     "left tower's chordwise and vertical axes, then the right\n"
     "tower's (default XYUV)"},
    {Opt::Travel, "--travel", Size, scopeOf(Hotwire), "WxH", "WIDTHxHEIGHT, both above 0",
     "the carriages' travel (default 1000x300)"},
    {Opt::PathMargin, "--margin", Number, scopeOf(Hotwire), "L", "a length",
     "the path's foremost and lowest points from the origin (10)"},
    {Opt::Lead, "--lead", Number, scopeOf(Hotwire), "L", "a length",
     "enter and leave this far behind the trailing edge (10)"},
    {Opt::SafeHeight, "--safe-height", Number, scopeOf(Hotwire), "H", "a length",
     "the height the wire travels at (default 10 above the core)"},
    {Opt::Heat, "--heat", Number, scopeOf(Hotwire), "P", "a percentage",
     "switch the wire on with M3 at P % of --s-max (default: off)"},
    // Models.
    {Opt::Thickness, "--thickness", Positive, scopeOf(Model), "L", "a length above 0",
     "the ribs' sheet thickness, in the chord's unit\n"
     "(default 2 mm, or 0.0787 in with --inches)"},
    {Opt::NoBars, "--no-bars", Switch, scopeOf(Model), "", "", "a wing: the ribs only"},
    {Opt::NoSheeting, "--no-sheeting", Switch, scopeOf(Model), "", "", "a wing: leave out the sheeting"},
};

constexpr const char* kCutAbout =
    "Writes the rib as it is cut, for a laser or CNC cutter: the airfoil less what\n"
    "the components remove, as one closed polyline on layer CUT, with the chord\n"
    "line's ends, spar ticks and a label on layer MARK; DXF (R2000 with its unit,\n"
    "or R12) or SVG in mm or inches, by OUTPUT's extension. A coordinate file is\n"
    "read as File > Import reads it. A rib design that holds a wing nests every\n"
    "rib on sheets written beside OUTPUT (OUTPUT-sheet-1.dxf ...).\n";

constexpr const char* kWingAbout =
    "Writes every rib of a wing panel into OUTDIR (a new or empty folder): one DXF\n"
    "drawing per rib (NAME-R01.dxf ...), the ribs nested on cutting sheets\n"
    "(sheet-1.dxf and sheet-1.svg ...) and every rib printed at true scale\n"
    "(ribs.pdf). A rib design that holds a wing gives its panel, tip airfoil and\n"
    "properties; options given here change them. Any other INPUT needs --span,\n"
    "--root-chord, --tip-chord and --ribs (or --spacing). The fields height and\n"
    "heightInPercent (--set height=12) give the building tabs.\n";

constexpr const char* kLaserAbout =
    "G-code for a GRBL laser: G21, G90, M4 (power follows speed), the beam off (M5)\n"
    "before every travel move, holes before their outline, parts in\n"
    "nearest-neighbour order, M5 and a return to X0 Y0 at the end. INPUT is a\n"
    "coordinate file, a rib design, or a design with a wing, whose ribs are nested\n"
    "on sheets: one file per sheet beside OUTPUT (OUTPUT-sheet-1.nc ...).\n";

constexpr const char* kHotwireAbout =
    "G-code for a four-axis hot-wire foam cutter: one core per panel of the design's\n"
    "wing (both sides: OUTPUT-left.nc and OUTPUT-right.nc). Lengths are in mm.\n";

constexpr const char* kModelAbout =
    "Writes the rib of INPUT (a coordinate file or a rib design), extruded by the\n"
    "sheet's thickness and lying flat, ready to print; or, for a rib design that\n"
    "holds a wing, every rib standing at its station, turned by its washout and\n"
    "moved aft by the sweep, with the spar, the leading- and trailing-edge stock\n"
    "and the sheeting as bars from root to tip. One closed solid per part (OBJ\n"
    "groups and STL solids named \"R3 L\", \"spar\" ...), in millimetres; x runs aft,\n"
    "y along the span (the left panel at -y), z up. An existing OUTPUT is never\n"
    "overwritten.\n";

constexpr CommandRule kCommands[] = {
    {Export, "export", "export [options] INPUT.dat OUTPUT.dxf",
     "the rib and its components as a DXF drawing (LINE entities)",
     "Loads the airfoil as the program does, applies the rib properties and writes\n"
     "the airfoil and every built component as DXF LINE entities, in the chord's\n"
     "unit. A rib design that holds a wing draws every rib into OUTPUT.\n",
     "", 2, "INPUT and OUTPUT", false, false, runRibJob},
    {Print, "print", "print [options] INPUT.dat OUTPUT.pdf",
     "the rib at true scale in a PDF, on as many pages as it needs",
     "Prints the rib at true scale into a PDF, inside a 6.35 mm border, as File >\n"
     "Print does on a printer: on as many pages as it needs, overlapping by 10 mm,\n"
     "with registration crosses and a scale bar on every page. A rib design that\n"
     "holds a wing prints every rib.\n",
     "", 2, "INPUT and OUTPUT", false, true, runRibJob},
    {Cut, "cut", "cut [options] INPUT.dat OUTPUT.{dxf,svg}",
     "the rib's cut outline for a laser or CNC cutter (DXF or SVG)", kCutAbout, "", 2, "INPUT and OUTPUT",
     true, false, runRibJob},
    {Info, "info", "info [--import] INPUT.dat",
     "the airfoil's points, thickness and camber, and the rib's weight",
     "Shows the airfoil's name, its point count, its largest thickness and camber\n"
     "with their stations (fractions of the chord), the points in drawing order\n"
     "and the rib's area, its holes' share and its weight (a rib design's own rib;\n"
     "the defaults for a coordinate file); with --import also the changes the\n"
     "import made. A rib design that holds a wing ends with a line on the wing.\n",
     "", 1, "one INPUT.dat", false, false, runInfo},
    {Naca, "naca", "naca [options] DESIGNATION OUTPUT.dat",
     "a NACA four- or five-digit section as a coordinate file",
     "Writes a NACA four- or five-digit section (2412, 23012, reflexed 23112) as a\n"
     "Selig coordinate file named \"NACA 23012\": N cosine-spaced points on each\n"
     "surface, six decimals whatever the locale.\n",
     "", 2, "DESIGNATION and OUTPUT.dat", false, false, runNaca},
    {Project, "project", "project [options] INPUT.dat OUTPUT.parvelin",
     "the airfoil and its rib properties as a rib design",
     "Saves the airfoil and its rib properties as a rib design, as File > Save does;\n"
     "a design's wing goes along.\n",
     "", 2, "INPUT and OUTPUT.parvelin", false, false, runProjectJob},
    {Fields, "fields", "fields", "the rib property fields, their defaults and style codes",
     "Lists the rib property fields and their defaults, and for each style field its\n"
     "codes with the labels of the property pages.\n",
     "", 0, "no arguments", false, false, runFields},
    {Wing, "wing", "wing [options] INPUT.dat OUTDIR\nwing [options] DESIGN.parvelin OUTDIR",
     "every rib of a wing panel: drawings, cutting sheets and a PDF", kWingAbout, "wing", 2, "INPUT and OUTDIR",
     true, true, runWing},
    {Laser, "gcode laser", "gcode laser [options] INPUT OUTPUT.nc", "G-code for a GRBL laser cutter", kLaserAbout,
     "gcode", 2, "INPUT and OUTPUT.nc", false, false, runLaserCommand},
    {Hotwire, "gcode hotwire", "gcode hotwire [options] DESIGN.parvelin OUTPUT.nc",
     "G-code for a four-axis hot-wire foam cutter", kHotwireAbout, "gcode", 2, "DESIGN.parvelin and OUTPUT.nc", false,
     false, runHotwireCommand},
    {Model, "model", "model [options] INPUT OUTPUT.{stl,obj}",
     "the rib, or a wing design's structure, as solids (STL or OBJ)", kModelAbout, "model", 2,
     "INPUT and OUTPUT.stl or OUTPUT.obj", false, false, runModel},
};

} // namespace

std::span<const OptionRule> optionTable() { return kOptions; }
std::span<const CommandRule> commandTable() { return kCommands; }

const CommandRule& commandRule(Command command) {
    for (const CommandRule& rule : kCommands)
        if (rule.id == command) return rule;
    return kCommands[0];
}

} // namespace parvelin::cli
