// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli gcode: machine files. `gcode laser` cuts a rib, a rib design
// or a wing design's nested sheets on a GRBL laser; `gcode hotwire` cuts the
// foam core of each panel of a wing design on a four-axis hot-wire machine.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cut/CutFile.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "machine/HotwireGcode.h"
#include "machine/LaserGcode.h"
#include "machine/MachineJobs.h"
#include "machine/ToolPathSvg.h"
#include "wing/RibSet.h"
#include "wing/WingDesign.h"
#include "geom/Units.h"

namespace parvelin::cli {
namespace {

using namespace parvelin::machine;

int settingError(const SettingProblem& problem) {
    std::fprintf(stderr, "parvelin-cli: --%s: %s\n", problem.setting.c_str(), problem.message.c_str());
    return 2;
}

struct GcodeOptions {
    JobOptions job;
    LaserSettings laser;
    HotwireSettings hotwire;
    std::string svg;
    bool sideGiven = false;
    wing::WingSide side = wing::WingSide::Both;
};

GcodeOptions laserOptions(const ParsedLine& line) {
    GcodeOptions o;
    o.job = jobOptions(line);
    o.svg = line.text(Opt::Svg, "");
    LaserSettings& laser = o.laser;
    laser.feed = line.number(Opt::Feed, laser.feed);
    laser.sMax = line.number(Opt::SMax, laser.sMax);
    laser.power = line.number(Opt::Power, laser.power);
    laser.passes = static_cast<int>(line.number(Opt::Passes, laser.passes));
    laser.constantPower = line.has(Opt::ConstantPower);
    return o;
}

GcodeOptions hotwireOptions(const ParsedLine& line) {
    GcodeOptions o;
    o.job = jobOptions(line);
    o.svg = line.text(Opt::Svg, "");
    HotwireSettings& wire = o.hotwire;
    wire.feed = line.number(Opt::Feed, wire.feed);
    wire.sMax = line.number(Opt::SMax, wire.sMax);
    wire.towerDistance = line.number(Opt::TowerDistance, wire.towerDistance);
    wire.panelOffset = line.number(Opt::PanelOffset, wire.panelOffset);
    wire.kerfRoot = line.number(Opt::KerfRoot, line.number(Opt::Kerf, wire.kerfRoot));
    wire.kerfTip = line.number(Opt::KerfTip, line.number(Opt::Kerf, wire.kerfTip));
    wire.axes = line.text(Opt::Axes, wire.axes);
    for (char& ch : wire.axes) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (const Given* travel = line.last(Opt::Travel)) {
        wire.travelX = travel->number;
        wire.travelY = travel->second;
    }
    wire.margin = line.number(Opt::PathMargin, wire.margin);
    wire.lead = line.number(Opt::Lead, wire.lead);
    wire.safeHeight = line.number(Opt::SafeHeight, wire.safeHeight);
    wire.heat = line.number(Opt::Heat, wire.heat);
    o.sideGiven = line.has(Opt::Side);
    if (o.sideGiven) wing::wingSideNamed(line.text(Opt::Side, ""), o.side);
    return o;
}

// What a laser file is made of: the contours of each file, its name beside
// OUTPUT (empty: OUTPUT itself), the area its preview shows, and the title.
struct LaserJobs {
    std::vector<std::vector<Polygon>> contours;
    std::vector<std::string> names;
    std::vector<PreviewArea> areas;
    std::string title;
};

// A wing's ribs nested on sheets, as `cut` and Export for Cutting nest them.
int wingLaserJobs(const JobOptions& job, const DesignWing& design, LaserJobs& jobs) {
    const wing::RibSet set = wing::buildRibSet(design.panel, design.properties, design.root, design.tip);
    if (!set.error.empty() || !set.tabProblem.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(),
                     (set.error.empty() ? set.tabProblem : set.error).c_str());
        return 1;
    }
    const bool metric = inMillimetres(design.properties);
    wing::SheetSize sheet{job.sheetWidth, job.sheetHeight};
    if (!(sheet.width > 0.0) || !(sheet.height > 0.0))
        sheet = wing::defaultSheet(metric);
    const SheetContours sheets = wingSheetContours(set, design.panel.side, sheet, job.kerf, metric);
    if (!sheets.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), sheets.error.c_str());
        return 1;
    }
    const double unit = geom::millimetresPer(metric);
    for (std::size_t s = 0; s < sheets.sheets.size(); ++s) {
        jobs.contours.push_back(sheets.sheets[s]);
        jobs.names.push_back("sheet-" + std::to_string(s + 1));
        jobs.areas.push_back(PreviewArea{sheet.width * unit, sheet.height * unit});
    }
    jobs.title = design.name + " wing";
    return 0;
}

// A single rib's cut outline.
int ribLaserJobs(const JobOptions& job, LaserJobs& jobs) {
    CutDrawing drawing;
    if (const int status = machineRibDrawing(job, drawing); status != 0) return status;
    jobs.contours.push_back(ribContours(drawing));
    jobs.names.emplace_back();
    jobs.areas.push_back(PreviewArea{});
    jobs.title = drawing.label;
    return 0;
}

// Writes every file (with its preview) or none; names them when there are several.
int writeLaserFiles(const GcodeOptions& o, const LaserJobs& jobs) {
    const std::string& output = o.job.output;
    std::vector<NewFile> files;
    for (std::size_t k = 0; k < jobs.contours.size(); ++k) {
        const std::string& name = jobs.names[k];
        const LaserProgram program =
            laserProgram(jobs.contours[k], o.laser, jobs.title + (name.empty() ? "" : ", " + name));
        if (!program.error.empty()) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", output.c_str(), program.error.c_str());
            return 1;
        }
        const bool one = jobs.contours.size() == 1 && name.empty();
        files.push_back({one ? output : besideName(output, name), program.text});
        if (!o.svg.empty())
            files.push_back({one ? o.svg : besideName(o.svg, name),
                             laserPreviewSvg(program.path, jobs.areas[k], jobs.title)});
    }
    if (const std::string error = writeNewFiles(files); !error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", error.c_str());
        return 1;
    }
    if (files.size() > 1 || !o.svg.empty())
        for (const NewFile& file : files) std::printf("%s\n", file.path.c_str());
    return 0;
}

// Laser files of the input: one for a rib, one per sheet for a wing.
int runLaser(const GcodeOptions& o) {
    if (const SettingProblem problem = laserSettingsProblem(o.laser)) return settingError(problem);
    DesignWing design;
    int status = readDesignWing(o.job, design);
    if (status > 0) return status;
    LaserJobs jobs;
    status = status == 0 ? wingLaserJobs(o.job, design, jobs) : ribLaserJobs(o.job, jobs);
    return status != 0 ? status : writeLaserFiles(o, jobs);
}

// The design's wing for the hot wire: 0, or the exit status after saying why.
int hotwireWing(const JobOptions& job, DesignWing& design) {
    if (!isRibDesignPath(job.input))
        return usageError("gcode", "gcode hotwire takes a rib design that holds a wing (DESIGN.parvelin)");
    const int status = readDesignWing(job, design);
    if (status < 0)
        std::fprintf(stderr, "parvelin-cli: %s: the design holds no wing (set one in Properties > Wing Properties)\n",
                     job.input.c_str());
    if (status != 0) return status < 0 ? 1 : status;
    if (const std::string problem = wing::validatePanel(design.panel); !problem.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), problem.c_str());
        return 1;
    }
    return 0;
}

int runHotwire(const GcodeOptions& o) {
    const JobOptions& job = o.job;
    DesignWing design;
    if (const int status = hotwireWing(job, design); status != 0) return status;
    const double unit = geom::millimetresPer(inMillimetres(design.properties));
    const CoreSections core = coreSections(design.root, design.tip, design.panel, unit);
    if (const SettingProblem problem = hotwireSettingsProblem(o.hotwire, core.span)) return settingError(problem);

    const wing::WingSide side = o.sideGiven ? o.side : design.panel.side;
    // A right-hand panel has its root at the left tower; a left-hand one is its mirror image.
    std::vector<std::pair<bool, std::string>> cores;
    if (side != wing::WingSide::Left) cores.emplace_back(true, "right");
    if (side != wing::WingSide::Right) cores.emplace_back(false, "left");
    std::vector<NewFile> files;
    for (const auto& [rootAtLeft, name] : cores) {
        const std::string title = design.name + ", " + name + " panel";
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

int runLaserCommand(const ParsedLine& line) {
    const GcodeOptions o = laserOptions(line);
    if (!o.svg.empty() && o.svg == o.job.output) return usageError("gcode", "--svg must name another file than OUTPUT");
    return runLaser(o);
}

int runHotwireCommand(const ParsedLine& line) {
    if (line.has(Opt::Kerf) && (line.has(Opt::KerfRoot) || line.has(Opt::KerfTip)))
        return usageError("gcode", "give either --kerf or --kerf-root and --kerf-tip");
    const GcodeOptions o = hotwireOptions(line);
    if (!o.svg.empty() && o.svg == o.job.output) return usageError("gcode", "--svg must name another file than OUTPUT");
    return runHotwire(o);
}

} // namespace parvelin::cli
