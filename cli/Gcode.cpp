// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli gcode: machine files. `gcode laser` cuts a rib, a rib design
// or a wing design's nested sheets on a GRBL laser; `gcode hotwire` cuts the
// foam core of each panel of a wing design on a four-axis hot-wire machine.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "document/RibDesignFile.h"
#include "document/RibPropertyFields.h"
#include "machine/HotwireGcode.h"
#include "machine/LaserGcode.h"
#include "machine/MachineJobs.h"
#include "machine/ToolPathSvg.h"
#include "wing/RibSet.h"
#include "wing/WingDesign.h"

namespace parvelin::cli {
namespace {

using namespace parvelin::machine;

const char* const kGcodeUsage =
    "Usage:\n"
    "  parvelin-cli gcode laser [options] INPUT OUTPUT.nc\n"
    "  parvelin-cli gcode hotwire [options] DESIGN.parvelin OUTPUT.nc\n"
    "\n"
    "laser    G-code for a GRBL laser: G21, G90, M4 (power follows speed), the beam\n"
    "         off (M5) before every travel move, holes before their outline, parts in\n"
    "         nearest-neighbour order, M5 and a return to X0 Y0 at the end. INPUT is a\n"
    "         coordinate file, a rib design, or a design with a wing, whose ribs are\n"
    "         nested on sheets: one file per sheet beside OUTPUT (OUTPUT-sheet-1.nc ...).\n"
    "hotwire  G-code for a four-axis hot-wire foam cutter: one core per panel of the\n"
    "         design's wing (both sides: OUTPUT-left.nc and OUTPUT-right.nc).\n"
    "\n"
    "Options for both:\n"
    "  --feed F             mm/min; needed (hotwire: the speed of the faster end)\n"
    "  --svg PREVIEW.svg    also write the tool path as a picture (one per file)\n"
    "  --s-max S            the S of full power or heat ($30; default 1000)\n"
    "  --set FIELD=VALUE, --chord L, --inches, --mm   rib properties, as for cut\n"
    "Laser:\n"
    "  --power P            percent of --s-max (default 100)\n"
    "  --passes N           times round each contour (default 1)\n"
    "  --constant-power     M3 instead of M4\n"
    "  --kerf L             grow the outline by half this width, in the chord's unit\n"
    "  --sheet WxH          a wing's cutting sheet (default 600x100 mm)\n"
    "  --import             read INPUT as File > Import does\n"
    "Hot wire (lengths in mm):\n"
    "  --tower-distance L   between the towers along the wire; needed\n"
    "  --panel-offset L     the panel's nearer end this far from the left tower\n"
    "                       (default: the panel in the middle)\n"
    "  --kerf L             the width the wire melts at both ends (default 0), or\n"
    "  --kerf-root L, --kerf-tip L   at each end; the path keeps half of it off the core\n"
    "  --axes ABCD          left tower's chordwise and vertical axes, then the right\n"
    "                       tower's (default XYUV)\n"
    "  --travel WxH         the carriages' travel (default 1000x300)\n"
    "  --margin L           the path's foremost and lowest points from the origin (10)\n"
    "  --lead L             enter and leave this far behind the trailing edge (10)\n"
    "  --safe-height H      the height the wire travels at (default 10 above the core)\n"
    "  --heat P             switch the wire on with M3 at P % of --s-max (default: off)\n"
    "  --side left|right|both   which panels (default: the design's sides)\n";

int gcodeUsageError(const std::string& message) {
    std::fprintf(stderr, "parvelin-cli: %s\n(see parvelin-cli gcode --help)\n", message.c_str());
    return 2;
}

int settingError(const SettingProblem& problem) {
    std::fprintf(stderr, "parvelin-cli: --%s: %s\n", problem.setting.c_str(), problem.message.c_str());
    return 2;
}

bool readNumber(std::string_view text, double& value) {
    const std::string s(text);
    std::size_t used = 0;
    value = parseDouble(s.c_str(), &used);
    return !s.empty() && used == s.size() && std::isfinite(value);
}

bool readPair(std::string_view text, double& a, double& b) {
    const std::size_t x = text.find_first_of("xX");
    return x != std::string_view::npos && readNumber(text.substr(0, x), a) && readNumber(text.substr(x + 1), b);
}

struct GcodeOptions {
    JobOptions job;
    LaserSettings laser;
    HotwireSettings hotwire;
    std::string svg;
    bool kerfGiven = false;
    bool sideGiven = false;
    wing::WingSide side = wing::WingSide::Both;
    std::vector<std::string> positional;
};

// Laser files of the input: one for a rib, one per sheet for a wing.
int runLaser(const GcodeOptions& o) {
    const JobOptions& job = o.job;
    if (const SettingProblem problem = laserSettingsProblem(o.laser)) return settingError(problem);
    std::vector<std::vector<Polygon>> jobs;
    std::vector<std::string> names;
    std::vector<PreviewArea> areas;
    std::string title;

    const bool design = isRibDesignPath(job.input) && !job.import;
    std::optional<wing::WingDesign> wingOf;
    RibDesignRead rib;
    if (design) {
        const wing::WingDesignRead read = wing::readDesignWithWing(job.input);
        if (!read.rib.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
            return 1;
        }
        wingOf = read.wing;
        rib = read.rib;
    }
    if (wingOf) {
        // The ribs nested on sheets, as `cut` and Export for Cutting nest them.
        RibProperties properties = rib.design.properties;
        if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
        wing::WingPanel panel = wingOf->panel;
        panel.washout = properties.washout;
        auto pointsOf = [](const std::vector<CoordinatePair>& pairs) {
            std::vector<AirfoilPoint> points;
            for (const CoordinatePair& p : pairs) {
                AirfoilPoint q;
                q.modelX = p.x;
                q.modelY = p.y;
                points.push_back(q);
            }
            return points;
        };
        const wing::RibSet set = wing::buildRibSet(panel, properties, pointsOf(rib.design.points), pointsOf(wingOf->tipPoints));
        if (!set.error.empty() || !set.tabProblem.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(),
                         (set.error.empty() ? set.tabProblem : set.error).c_str());
            return 1;
        }
        const bool metric = properties.metric == 1;
        wing::SheetSize sheet{job.sheetWidth, job.sheetHeight};
        if (!(sheet.width > 0.0) || !(sheet.height > 0.0))
            sheet = metric ? wing::SheetSize{600.0, 100.0} : wing::SheetSize{600.0 / 25.4, 100.0 / 25.4};
        const SheetContours sheets = wingSheetContours(set, panel.side, sheet, job.kerf, metric);
        if (!sheets.error.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), sheets.error.c_str());
            return 1;
        }
        const double unit = metric ? 1.0 : kMmPerInch;
        for (std::size_t s = 0; s < sheets.sheets.size(); ++s) {
            jobs.push_back(sheets.sheets[s]);
            names.push_back("sheet-" + std::to_string(s + 1));
            areas.push_back(PreviewArea{sheet.width * unit, sheet.height * unit});
        }
        title = rib.design.name + " wing";
    } else {
        // A machine or model file is made from the airfoil as File > Import
        // reads it, never from the part Open takes of a file.
        JobOptions importing = job;
        if (!isRibDesignPath(job.input)) importing.import = true;
        AirfoilDocument document;
        if (const int status = loadJobDocument(importing, document); status != 0) return status;
        const CutDrawing drawing = cutDrawing(document, job.kerf);
        const float chord = document.properties().chord;
        if (drawing.pieces == 0 && std::isfinite(chord) && chord > 0.0f) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), kMessageCutNothingLeft);
            return 1;
        }
        if (drawing.pieces > 1)
            std::fprintf(stderr, "parvelin-cli: %s: the components cut the rib into %d pieces; the largest is written\n",
                         job.output.c_str(), drawing.pieces);
        jobs.push_back(ribContours(drawing));
        names.emplace_back();
        areas.push_back(PreviewArea{});
        title = drawing.label;
    }

    std::vector<NewFile> files;
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        const LaserProgram program = laserProgram(jobs[k], o.laser, title + (names[k].empty() ? "" : ", " + names[k]));
        if (!program.error.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), program.error.c_str());
            return 1;
        }
        const bool one = jobs.size() == 1 && names[k].empty();
        files.push_back({one ? job.output : besideName(job.output, names[k]), program.text});
        if (!o.svg.empty())
            files.push_back({one ? o.svg : besideName(o.svg, names[k]), laserPreviewSvg(program.path, areas[k], title)});
    }
    if (const std::string error = writeNewFiles(files); !error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", error.c_str());
        return 1;
    }
    if (files.size() > 1 || !o.svg.empty())
        for (const NewFile& file : files) std::printf("%s\n", file.path.c_str());
    return 0;
}

int runHotwire(const GcodeOptions& o) {
    const JobOptions& job = o.job;
    if (!isRibDesignPath(job.input))
        return gcodeUsageError("gcode hotwire takes a rib design that holds a wing (DESIGN.parvelin)");
    const wing::WingDesignRead read = wing::readDesignWithWing(job.input);
    if (!read.rib.loaded) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
        return 1;
    }
    if (!read.wing) {
        std::fprintf(stderr, "parvelin-cli: %s: the design holds no wing (set one in Properties > Wing Properties)\n",
                     job.input.c_str());
        return 1;
    }
    RibProperties properties = read.rib.design.properties;
    if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
    wing::WingPanel panel = read.wing->panel;
    panel.washout = properties.washout;
    if (const std::string problem = wing::validatePanel(panel); !problem.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), problem.c_str());
        return 1;
    }
    auto pointsOf = [](const std::vector<CoordinatePair>& pairs) {
        std::vector<AirfoilPoint> points;
        for (const CoordinatePair& p : pairs) {
            AirfoilPoint q;
            q.modelX = p.x;
            q.modelY = p.y;
            points.push_back(q);
        }
        return points;
    };
    const double unit = properties.metric == 1 ? 1.0 : kMmPerInch;
    const CoreSections core =
        coreSections(pointsOf(read.rib.design.points), pointsOf(read.wing->tipPoints), panel, unit);
    if (const SettingProblem problem = hotwireSettingsProblem(o.hotwire, core.span)) return settingError(problem);

    const wing::WingSide side = o.sideGiven ? o.side : panel.side;
    // A right-hand panel has its root at the left tower; a left-hand one is its mirror image.
    std::vector<std::pair<bool, std::string>> cores;
    if (side != wing::WingSide::Left) cores.emplace_back(true, "right");
    if (side != wing::WingSide::Right) cores.emplace_back(false, "left");
    std::vector<NewFile> files;
    for (const auto& [rootAtLeft, name] : cores) {
        const std::string title = read.rib.design.name + ", " + name + " panel";
        const HotwireProgram program = hotwireProgram(core, o.hotwire, rootAtLeft, title);
        if (!program.error.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), program.error.c_str());
            return 2;
        }
        const bool one = cores.size() == 1;
        files.push_back({one ? job.output : besideName(job.output, name), program.text});
        if (!o.svg.empty())
            files.push_back({one ? o.svg : besideName(o.svg, name),
                             hotwirePreviewSvg(program.path, PreviewArea{o.hotwire.travelX, o.hotwire.travelY}, title)});
    }
    if (const std::string error = writeNewFiles(files); !error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", error.c_str());
        return 1;
    }
    if (files.size() > 1) for (const NewFile& file : files) std::printf("%s\n", file.path.c_str());
    return 0;
}

} // namespace

int runGcode(int argc, char** argv) {
    if (argc >= 3 && (std::string_view(argv[2]) == "--help" || std::string_view(argv[2]) == "-h")) {
        std::fputs(kGcodeUsage, stdout);
        return 0;
    }
    if (argc < 3) return gcodeUsageError("gcode needs laser or hotwire");
    const std::string machine = argv[2];
    if (machine != "laser" && machine != "hotwire") return gcodeUsageError("gcode needs laser or hotwire, got '" + machine + "'");
    const bool laser = machine == "laser";
    GcodeOptions o;
    bool kerfRootGiven = false, kerfTipGiven = false;
    for (int i = 3; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kGcodeUsage, stdout);
            return 0;
        }
        if (arg == "--constant-power" && laser) {
            o.laser.constantPower = true;
            continue;
        }
        if (arg == "--import" && laser) {
            o.job.import = true;
            continue;
        }
        if (arg == "--inches" || arg == "--mm") {
            o.job.properties.metric = arg == "--mm" ? 1 : 0;
            o.job.settings.emplace_back("metric", arg == "--mm" ? "1" : "0");
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            if (i + 1 >= argc) return gcodeUsageError(std::string(arg) + " needs a value");
            const std::string_view v = argv[++i];
            const std::string option(arg);
            bool ok = true;
            double passes = 0.0;
            if (option == "--feed") ok = readNumber(v, laser ? o.laser.feed : o.hotwire.feed);
            else if (option == "--s-max") ok = readNumber(v, laser ? o.laser.sMax : o.hotwire.sMax);
            else if (option == "--svg") o.svg = v;
            else if (option == "--set" || option == "--chord") {
                std::string assignment = option == "--chord" ? "chord=" + std::string(v) : std::string(v);
                const auto eq = assignment.find('=');
                if (eq == std::string::npos) return gcodeUsageError("--set needs FIELD=VALUE, got '" + assignment + "'");
                std::string error;
                if (!setRibPropertyField(o.job.properties, assignment.substr(0, eq), assignment.substr(eq + 1), error))
                    return gcodeUsageError(error);
                o.job.settings.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
            } else if (option == "--kerf") {
                ok = readNumber(v, o.job.kerf);
                o.hotwire.kerfRoot = o.hotwire.kerfTip = o.job.kerf;
                if (ok && o.job.kerf < 0.0) return settingError({"kerf", "The kerf must be a length of 0 or more."});
                o.kerfGiven = true;
            } else if (laser && option == "--power") ok = readNumber(v, o.laser.power);
            else if (laser && option == "--passes") {
                ok = readNumber(v, passes) && passes == std::floor(passes) && passes >= -1e6 && passes <= 1e6;
                o.laser.passes = ok ? static_cast<int>(passes) : 0;
            } else if (laser && option == "--sheet") {
                ok = readPair(v, o.job.sheetWidth, o.job.sheetHeight) && o.job.sheetWidth > 0.0 && o.job.sheetHeight > 0.0;
            } else if (!laser && option == "--tower-distance") ok = readNumber(v, o.hotwire.towerDistance);
            else if (!laser && option == "--panel-offset") ok = readNumber(v, o.hotwire.panelOffset);
            else if (!laser && option == "--kerf-root") ok = kerfRootGiven = readNumber(v, o.hotwire.kerfRoot);
            else if (!laser && option == "--kerf-tip") ok = kerfTipGiven = readNumber(v, o.hotwire.kerfTip);
            else if (!laser && option == "--axes") {
                o.hotwire.axes = v;
                for (char& ch : o.hotwire.axes) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            } else if (!laser && option == "--travel") ok = readPair(v, o.hotwire.travelX, o.hotwire.travelY);
            else if (!laser && option == "--margin") ok = readNumber(v, o.hotwire.margin);
            else if (!laser && option == "--lead") ok = readNumber(v, o.hotwire.lead);
            else if (!laser && option == "--safe-height") ok = readNumber(v, o.hotwire.safeHeight);
            else if (!laser && option == "--heat") ok = readNumber(v, o.hotwire.heat);
            else if (!laser && option == "--side") ok = o.sideGiven = wing::wingSideNamed(std::string(v), o.side);
            else
                return gcodeUsageError("unknown option '" + option + "' for gcode " + machine);
            if (!ok) return gcodeUsageError("'" + std::string(v) + "' is not a value for " + option);
            continue;
        }
        o.positional.emplace_back(arg);
    }
    if (o.kerfGiven && (kerfRootGiven || kerfTipGiven))
        return gcodeUsageError("give either --kerf or --kerf-root and --kerf-tip");
    if (o.positional.size() != 2)
        return gcodeUsageError("gcode " + machine + " takes " + (laser ? "INPUT" : "DESIGN.parvelin") + " and OUTPUT.nc");
    o.job.input = o.positional[0];
    o.job.output = o.positional[1];
    if (!o.svg.empty() && o.svg == o.job.output) return gcodeUsageError("--svg must name another file than OUTPUT");
    return laser ? runLaser(o) : runHotwire(o);
}

} // namespace parvelin::cli
