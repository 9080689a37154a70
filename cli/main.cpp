// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli: the rib work without a window, for scripts and batch jobs.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "airfoil/NacaSection.h"
#include "airfoil/SectionMeasure.h"
#include "cli/Commands.h"
#include "components/LighteningHoles.h"
#include "document/AirfoilDocument.h"
#include "document/PropertyChecks.h"
#include "document/RibDesignFile.h"
#include "text/NumberText.h"
#include "document/RibPropertyFields.h"
#include "dxf/DxfWriter.h"

namespace {

using namespace parvelin;

const char* const kUsage =
    "Usage:\n"
    "  parvelin-cli export [options] INPUT.dat OUTPUT.dxf\n"
    "  parvelin-cli print [options] [--page SIZE] [--landscape] INPUT.dat OUTPUT.pdf\n"
    "  parvelin-cli cut [options] [--kerf LENGTH] [--dxf-version R12|R2000] INPUT.dat OUTPUT.{dxf,svg}\n"
    "  parvelin-cli info [--import] INPUT.dat\n"
    "  parvelin-cli naca DESIGNATION [--points N] [--closed-te] OUTPUT.dat\n"
    "  parvelin-cli project [options] INPUT.dat OUTPUT.parvelin\n"
    "  parvelin-cli wing [options] --span L --root-chord L --tip-chord L --ribs N INPUT.dat OUTDIR\n"
    "  parvelin-cli wing [options] DESIGN.parvelin OUTDIR\n"
    "  parvelin-cli gcode laser [options] INPUT OUTPUT.nc\n"
    "  parvelin-cli gcode hotwire [options] DESIGN.parvelin OUTPUT.nc\n"
    "  parvelin-cli model [options] INPUT OUTPUT.{stl,obj}\n"
    "  parvelin-cli fields\n"
    "  parvelin-cli --version\n"
    "\n"
    "export  loads the airfoil as the program does, applies the rib properties and\n"
    "        writes the airfoil and every built component as DXF LINE entities.\n"
    "print   prints the rib at true scale into a PDF (A4 unless --page says), inside\n"
    "        a 6.35 mm border, as File > Print does on a printer: on as many pages\n"
    "        as it needs, overlapping by 10 mm, with a scale bar on every page.\n"
    "cut     writes the rib's cut outline (the airfoil less what the components\n"
    "        remove) as one closed polyline on layer CUT, with spar and chord-line\n"
    "        ticks and a label on layer MARK, for a laser or CNC cutter: DXF (R2000\n"
    "        with its unit, or R12) or SVG in mm or inches, by OUTPUT's extension.\n"
    "info    shows the airfoil's name, its point count, its largest thickness and\n"
    "        camber with their stations (fractions of the chord), the points in\n"
    "        drawing order and the rib's area, its holes' share and its weight (a\n"
    "        rib design's own rib; the defaults for a coordinate file); with --import\n"
    "        also the changes the import made.\n"
    "naca    writes a NACA four- or five-digit section (2412, 23012, reflexed 23112)\n"
    "        as a Selig coordinate file: N cosine-spaced points on each surface\n"
    "        (default 81, 10 to 2500), the standard open trailing edge unless\n"
    "        --closed-te.\n"
    "project saves the airfoil and its rib properties as a rib design, as File > Save does.\n"
    "fields  lists the rib property fields with their defaults.\n"
    "wing    every rib of a wing panel: drawings, cutting sheets, a PDF (wing --help).\n"
    "gcode   G-code for a laser cutter or a four-axis hot wire (gcode --help).\n"
    "model   the rib, or a wing design's whole structure, as solids in STL or OBJ\n"
    "        (model --help).\n"
    "\n"
    "Wherever INPUT.dat stands, a rib design (INPUT.parvelin) may stand instead; the\n"
    "options then change its own rib properties. naca:DESIGNATION (naca:2412) stands\n"
    "for the section itself, made with the defaults of the naca command.\n"
    "\n"
    "Options for export, print, cut and project:\n"
    "  --import            read INPUT as File > Import does: any separator, decimal\n"
    "                      commas, percent, Lednicer or clockwise order, any scale\n"
    "                      (also for info; cut always reads so, and the others\n"
    "                      warn, naming --import, when Open takes INPUT only in part)\n"
    "  --set FIELD=VALUE   set a rib property field (see 'fields'), e.g. --set chord=150\n"
    "  --chord LENGTH      the same as --set chord=LENGTH\n"
    "  --inches            lengths are in inches (--set metric=0)\n"
    "  --mm                lengths are in millimetres (--set metric=1, the default)\n"
    "  --page SIZE         print only: A4, A3, A5, Letter or Legal\n"
    "  --landscape         print only: landscape page (portrait is the default)\n"
    "  --no-guides         print only: leave out the chord line and the LE and TE lines\n"
    "  --no-chord-line     print only: leave out the chord line\n"
    "  --no-edge-lines     print only: leave out the LE and TE lines\n"
    "  --force             export only: replace an existing OUTPUT instead of refusing\n"
    "  --kerf LENGTH       cut only: grow the outline by half this width (default 0)\n"
    "  --dxf-version V     cut only: R2000 (default, LWPOLYLINE and $INSUNITS) or R12\n"
    "  --sheet WxH         cut only, a design with a wing: the cutting sheet\n"
    "                      (default 600x100 mm), and the nesting's options\n"
    "                      (see parvelin-cli wing --help)\n"
    "\n"
    "A rib design (.parvelin) that holds a wing exports, prints and cuts every rib:\n"
    "export draws them side by side in OUTPUT, print puts them into one PDF, cut\n"
    "nests them on sheets written beside OUTPUT (OUTPUT-sheet-1.dxf ...).\n"
    "\n"
    "An existing OUTPUT is never overwritten. Errors go to standard error and the\n"
    "exit status is 1 (2 for a usage error or rib properties that cannot be built:\n"
    "a length that is negative or not a finite number, a chord or a chosen shape's\n"
    "size that is not above 0, a style code outside its table).\n";

// One line naming the problem; the full usage only on --help.
int usageError(const std::string& message) {
    std::fprintf(stderr, "parvelin-cli: %s; see parvelin-cli --help\n", message.c_str());
    return 2;
}

// The commands each option applies to; an option given to any other command
// is refused rather than ignored without a word.
struct OptionScope {
    std::string_view option;
    std::string_view commands;  // blank-separated
};
constexpr OptionScope kOptionScopes[] = {
    {"--set", "export print cut project"},     {"--chord", "export print cut project"},
    {"--inches", "export print cut project"},  {"--mm", "export print cut project"},
    {"--import", "export print cut project info"},
    {"--page", "print"},                        {"--landscape", "print"},
    {"--portrait", "print"},                    {"--no-guides", "print"},
    {"--no-chord-line", "print"},               {"--no-edge-lines", "print"},
    {"--kerf", "cut"},                          {"--dxf-version", "cut"},
    {"--sheet", "cut"},                         {"--force", "export"},
};

// Empty when every option given applies to `command`; otherwise the message.
std::string misplacedOption(const std::string& command, const std::vector<std::string>& given) {
    for (const std::string& option : given)
        for (const OptionScope& scope : kOptionScopes) {
            if (scope.option != option) continue;
            bool applies = false;
            std::string_view rest = scope.commands;
            while (!rest.empty()) {
                const std::size_t blank = rest.find(' ');
                applies = applies || rest.substr(0, blank) == command;
                rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
            }
            if (!applies) return option + " does not apply to " + command;
        }
    return {};
}

bool endsWithSvg(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".svg";
}

std::string formatFloat(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatFixed(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

// info's lines for the section's largest thickness and camber, each with the
// station where it lies, as fractions of the chord.
void printSectionMeasure(const std::vector<CoordinatePair>& drawingOrder) {
    const std::optional<SectionMeasure> measure = measureSection(drawingOrder);
    if (!measure) {
        std::printf("thickness: unknown\ncamber: unknown\n");
        return;
    }
    std::printf("thickness: %s at %s\ncamber: %s at %s\n", formatFixed(measure->thickness, 5).c_str(),
                formatFixed(measure->thicknessAt, 5).c_str(), formatFixed(measure->camber, 5).c_str(),
                formatFixed(measure->camberAt, 5).c_str());
}

int runNaca(int argc, char** argv) {
    NacaOptions options;
    std::vector<std::string> positional;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--points") {
            const char* v = i + 1 < argc ? argv[++i] : nullptr;
            int points = 0;
            const char* end = v ? v + std::strlen(v) : nullptr;
            if (!v || std::from_chars(v, end, points).ptr != end || points < kNacaMinPoints ||
                points > kNacaMaxPoints)
                return usageError("--points needs a whole number from " + std::to_string(kNacaMinPoints) + " to " +
                                  std::to_string(kNacaMaxPoints));
            options.points = points;
        } else if (arg == "--closed-te") {
            options.closedTrailingEdge = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + std::string(arg) + "' for naca");
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() != 2) return usageError("naca takes DESIGNATION and OUTPUT.dat");
    std::string error;
    const std::optional<NacaDesignation> section = parseNacaDesignation(positional[0], error);
    if (!section) {
        if (!error.empty() && error.back() == '.') error.pop_back();
        return usageError(positional[0] + ": " + error);
    }
    const std::string& output = positional[1];
    const FileWriteResult result = writeNewFile(output, nacaSeligText(*section, options));
    if (result == FileWriteResult::AlreadyExists) {
        std::fprintf(stderr, "parvelin-cli: %s: the file already exists; nothing was written\n", output.c_str());
        return 1;
    }
    if (result != FileWriteResult::Written) {
        std::string message = fileWriteMessage(result);
        for (char& c : message)
            if (c == '\n') c = ' ';
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", output.c_str(), message.c_str());
        return 1;
    }
    return 0;
}

// info's weight line: "weight: rib 1,234 mm², holes 41 %, 0.39 g", for the
// rib as the properties build it; none when they cannot build one.
void printWeight(AirfoilDocument& document, const RibProperties& properties) {
    if (!checkRibProperties(properties).empty()) return;
    document.applyProperties(properties);
    const CutOutline cut = document.cutOutline();
    if (cut.outline.size() < 3) return;
    std::printf("weight: %s\n", ribWeightText(ribWeight(cut.outline, document.lighteningHoles(), properties)).c_str());
}

int runInfo(cli::JobOptions job, const std::vector<std::string>& args) {
    if (args.size() != 1) return usageError("info takes one INPUT.dat");
    if (isRibDesignPath(args[0]) && !job.import) {
        const RibDesignRead read = readRibDesignFile(args[0]);
        if (!read.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", args[0].c_str(), read.error.c_str());
            return 1;
        }
        std::printf("name: %s\npoints: %zu\n", read.design.name.c_str(), read.design.points.size());
        printSectionMeasure(read.design.points);
        for (const CoordinatePair& p : read.design.points)
            std::printf("%s %s\n", formatFloat(p.x).c_str(), formatFloat(p.y).c_str());
        {
            AirfoilDocument document;
            loadDesign(document, read.design, nullptr);
            printWeight(document, read.design.properties);
        }
        job.input = args[0];
        const int wing = cli::printDesignWing(job);
        return wing > 0 ? wing : 0;
    }
    job.input = args[0];
    CoordinateFileContents contents;
    std::vector<std::string> changes;
    if (!cli::readJobInput(job, contents, &changes)) return 1;
    std::printf("name: %s\npoints: %zu\n", contents.name.c_str(), contents.drawingOrder.size());
    printSectionMeasure(contents.drawingOrder);
    if (job.import) {
        std::printf("changes: %zu\n", changes.size());
        for (const std::string& change : changes) std::printf("  %s\n", change.c_str());
    }
    for (const CoordinatePair& p : contents.drawingOrder)
        std::printf("%s %s\n", formatFloat(p.x).c_str(), formatFloat(p.y).c_str());
    AirfoilDocument document;
    document.takeContents(contents, nullptr);
    printWeight(document, job.properties);
    return 0;
}

int runFields() {
    for (const RibPropertyField& field : ribPropertyFields()) {
        if (field.isInteger) {
            std::printf("%-22s int    %d", field.name, kDefaultRibProperties.*field.integer);
            // A style field lists its codes with the property pages' labels.
            const char* separator = "      ";
            for (const StyleChoice& choice : styleChoices(field.name)) {
                std::printf("%s%d \"%s\"", separator, choice.code, choice.label);
                separator = ", ";
            }
            std::printf("\n");
        } else
            std::printf("%-22s float  %s\n", field.name, formatFloat(kDefaultRibProperties.*field.real).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with an error to report, rather
    // than ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc < 2) return usageError("no command given");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version") {
        std::fputs("parvelin-cli " PARVELIN_VERSION "\n", stdout);
        return 0;
    }

    if (command == "wing") return cli::runWing(argc, argv);
    if (command == "gcode") return cli::runGcode(argc, argv);
    if (command == "model") return cli::runModel(argc, argv);
    if (command == "naca") return runNaca(argc, argv);

    cli::JobOptions job;
    std::vector<std::string> positional;
    std::vector<std::string> given;  // the options, for the check of where they apply
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.size() > 1 && arg[0] == '-') given.emplace_back(arg.starts_with("--set=") ? "--set" : arg);
        auto value = [&](std::string_view option) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)option;
            return argv[++i];
        };
        std::string error;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--set" || arg.starts_with("--set=")) {
            std::string assignment;
            if (arg == "--set") {
                const char* v = value(arg);
                if (!v) return usageError("--set needs FIELD=VALUE");
                assignment = v;
            } else {
                assignment = std::string(arg.substr(6));
            }
            const auto eq = assignment.find('=');
            if (eq == std::string::npos) return usageError("--set needs FIELD=VALUE, got '" + assignment + "'");
            if (!setRibPropertyField(job.properties, assignment.substr(0, eq), assignment.substr(eq + 1), error))
                return usageError(error);
            job.settings.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
        } else if (arg == "--chord") {
            const char* v = value(arg);
            if (!v || !setRibPropertyField(job.properties, "chord", v, error))
                return usageError(v ? error : "--chord needs a length");
            job.settings.emplace_back("chord", v);
        } else if (arg == "--import") {
            job.import = true;
        } else if (arg == "--force") {
            job.force = true;
        } else if (arg == "--inches") {
            job.properties.metric = 0;
            job.settings.emplace_back("metric", "0");
        } else if (arg == "--mm") {
            job.properties.metric = 1;
            job.settings.emplace_back("metric", "1");
        } else if (arg == "--page") {
            const char* v = value(arg);
            if (!v) return usageError("--page needs a size");
            job.pageSize = v;
        } else if (arg == "--landscape") {
            job.landscape = true;
        } else if (arg == "--portrait") {
            job.landscape = false;
        } else if (arg == "--no-guides") {
            job.edgeLines = false;
            job.chordLine = false;
        } else if (arg == "--no-chord-line") {
            job.chordLine = false;
        } else if (arg == "--no-edge-lines") {
            job.edgeLines = false;
        } else if (arg == "--kerf") {
            const char* v = value(arg);
            std::size_t used = 0;
            const double kerf = v ? parseDouble(v, &used) : 0.0;
            if (!v || used == 0 || v[used] != '\0' || !std::isfinite(kerf) || kerf < 0.0)
                return usageError("--kerf needs a length of 0 or more");
            job.kerf = kerf;
        } else if (arg == "--sheet") {
            const char* v = value(arg);
            const std::string text = v ? v : "";
            const std::size_t x = text.find_first_of("xX");
            std::size_t usedW = 0, usedH = 0;
            const std::string w = x == std::string::npos ? "" : text.substr(0, x);
            const std::string h = x == std::string::npos ? "" : text.substr(x + 1);
            job.sheetWidth = w.empty() ? 0.0 : parseDouble(w.c_str(), &usedW);
            job.sheetHeight = h.empty() ? 0.0 : parseDouble(h.c_str(), &usedH);
            if (usedW == 0 || usedW != w.size() || usedH == 0 || usedH != h.size() ||
                !std::isfinite(job.sheetWidth) || !std::isfinite(job.sheetHeight) || job.sheetWidth <= 0.0 ||
                job.sheetHeight <= 0.0)
                return usageError("--sheet needs WIDTHxHEIGHT, both above 0");
        } else if (arg == "--dxf-version") {
            const char* v = value(arg);
            const std::string version = v ? v : "";
            if (version == "R12" || version == "r12")
                job.dxfR12 = true;
            else if (version == "R2000" || version == "r2000")
                job.dxfR12 = false;
            else
                return usageError("--dxf-version needs R12 or R2000");
        } else if (bool needsValue = false; cli::isNestOption(arg, needsValue)) {
            const char* v = needsValue ? value(arg) : nullptr;
            if (!cli::readNestChoice(arg, v, job.nest, error)) return usageError(error);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + std::string(arg) + "'");
        } else {
            positional.emplace_back(arg);
        }
    }

    if (command == "info" || command == "fields" || command == "export" || command == "print" || command == "cut" ||
        command == "project") {
        if (const std::string misplaced = misplacedOption(command, given); !misplaced.empty())
            return usageError(misplaced);
        const bool dxfVersionGiven = std::find(given.begin(), given.end(), "--dxf-version") != given.end();
        if (dxfVersionGiven && positional.size() == 2 && endsWithSvg(positional[1]))
            return usageError("--dxf-version applies to a .dxf output only");
    }
    if (command == "info") return runInfo(job, positional);
    if (command == "fields") return runFields();
    if (command == "export" || command == "print" || command == "cut") {
        if (positional.size() != 2) return usageError(command + " takes INPUT and OUTPUT");
        job.input = positional[0];
        job.output = positional[1];
        if (const int status = cli::runDesignWing(command, job); status >= 0) return status;
        if (command == "cut") return cli::runCut(job);
        return command == "export" ? cli::runExport(job) : cli::runPrint(job);
    }
    if (command == "project") {
        if (positional.size() != 2) return usageError("project takes INPUT and OUTPUT.parvelin");
        job.input = positional[0];
        job.output = positional[1];
        return cli::runProject(job);
    }
    return usageError("unknown command '" + command + "'");
}
