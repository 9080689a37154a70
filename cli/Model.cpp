// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli model: a rib, or a wing design's whole structure in place, as
// closed solids in an STL or OBJ file (millimetres).
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "document/RibDesignFile.h"
#include "document/RibPropertyFields.h"
#include "mesh/ModelFiles.h"
#include "mesh/WingModel.h"
#include "wing/WingDesign.h"

namespace parvelin::cli {
namespace {

const char* const kModelUsage =
    "Usage:\n"
    "  parvelin-cli model [options] INPUT OUTPUT.{stl,obj}\n"
    "\n"
    "Writes the rib of INPUT (a coordinate file or a rib design), extruded by the\n"
    "sheet's thickness and lying flat, ready to print; or, for a rib design that\n"
    "holds a wing, every rib standing at its station, turned by its washout and\n"
    "moved aft by the sweep, with the spar, the leading- and trailing-edge stock\n"
    "and the sheeting as bars from root to tip. One closed solid per part (OBJ\n"
    "groups and STL solids named \"R3 L\", \"spar\" ...), in millimetres; x runs aft,\n"
    "y along the span (the left panel at -y), z up.\n"
    "\n"
    "Options:\n"
    "  --thickness L       the ribs' sheet thickness, in the chord's unit\n"
    "                      (default 2 mm, or 0.0787 in with --inches)\n"
    "  --side S            a wing: left, right or both panels (default: the design's)\n"
    "  --no-bars           a wing: the ribs only\n"
    "  --no-sheeting       a wing: leave out the sheeting\n"
    "  --set FIELD=VALUE, --chord L, --inches, --mm, --import  as for export\n"
    "\n"
    "An existing OUTPUT is never overwritten.\n";

int modelUsageError(const std::string& message) {
    std::fprintf(stderr, "parvelin-cli: %s; see parvelin-cli model --help\n", message.c_str());
    return 2;
}

std::vector<AirfoilPoint> pointsOf(const std::vector<CoordinatePair>& pairs) {
    std::vector<AirfoilPoint> points;
    points.reserve(pairs.size());
    for (const CoordinatePair& p : pairs) {
        AirfoilPoint point;
        point.modelX = p.x;
        point.modelY = p.y;
        points.push_back(point);
    }
    return points;
}

} // namespace

int runModel(int argc, char** argv) {
    JobOptions job;
    std::vector<std::string> positional;
    double thickness = -1.0;  // below 0: the default for the unit
    bool sideGiven = false;
    wing::WingSide side = wing::WingSide::Right;
    mesh::ModelOptions options;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        std::string error;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kModelUsage, stdout);
            return 0;
        } else if (arg == "--set" || arg == "--chord") {
            if (!next) return modelUsageError(std::string(arg) + " needs a value");
            ++i;
            std::string field = "chord", value = next;
            if (arg == "--set") {
                const std::string assignment = next;
                const auto eq = assignment.find('=');
                if (eq == std::string::npos) return modelUsageError("--set needs FIELD=VALUE, got '" + assignment + "'");
                field = assignment.substr(0, eq);
                value = assignment.substr(eq + 1);
            }
            if (!setRibPropertyField(job.properties, field, value, error)) return modelUsageError(error);
            job.settings.emplace_back(field, value);
        } else if (arg == "--inches" || arg == "--mm") {
            job.properties.metric = arg == "--mm" ? 1 : 0;
            job.settings.emplace_back("metric", arg == "--mm" ? "1" : "0");
        } else if (arg == "--import") {
            job.import = true;
        } else if (arg == "--thickness") {
            std::size_t used = 0;
            thickness = next ? parseDouble(next, &used) : 0.0;
            if (!next || used == 0 || next[used] != '\0' || !std::isfinite(thickness) || thickness <= 0.0)
                return modelUsageError("--thickness needs a length above 0");
            ++i;
        } else if (arg == "--side") {
            if (!next || !wing::wingSideNamed(next, side)) return modelUsageError("--side needs left, right or both");
            sideGiven = true;
            ++i;
        } else if (arg == "--no-bars") {
            options.bars = false;
        } else if (arg == "--no-sheeting") {
            options.sheeting = false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return modelUsageError("unknown option '" + std::string(arg) + "'");
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.size() != 2) return modelUsageError("model takes INPUT and OUTPUT.stl or OUTPUT.obj");
    job.input = positional[0];
    job.output = positional[1];
    if (!mesh::modelFormatFor(job.output)) return modelUsageError("OUTPUT must end in .stl or .obj");

    mesh::Model model;
    bool done = false;
    if (!job.import && isRibDesignPath(job.input)) {
        const wing::WingDesignRead read = wing::readDesignWithWing(job.input);
        if (!read.rib.loaded) {
            std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), read.rib.error.c_str());
            return 1;
        }
        if (read.wing) {
            RibProperties properties = read.rib.design.properties;
            if (const int status = applyJobSettings(job.settings, properties); status != 0) return status;
            wing::WingPanel panel = read.wing->panel;
            panel.washout = properties.washout;  // the tip's washout is the design's field, as in the program
            const wing::RibSet set = wing::buildRibSet(panel, properties, pointsOf(read.rib.design.points),
                                                       pointsOf(read.wing->tipPoints));
            options.thickness = thickness > 0.0 ? thickness : mesh::defaultThickness(properties.metric == 1);
            options.side = sideGiven ? side : panel.side;
            model = mesh::wingModel(set, panel, options);
            done = true;
        }
    }
    if (!done) {
        // A machine or model file is made from the airfoil as File > Import
        // reads it, never from the part Open takes of a file.
        JobOptions importing = job;
        if (!isRibDesignPath(job.input)) importing.import = true;
        AirfoilDocument document;
        if (const int status = loadJobDocument(importing, document); status != 0) return status;
        const bool metric = document.properties().metric == 1;
        model = mesh::ribModel(document, thickness > 0.0 ? thickness : mesh::defaultThickness(metric));
    }
    if (!model.error.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.input.c_str(), model.error.c_str());
        return 1;
    }
    if (const std::string problem = mesh::modelProblem(model); !problem.empty()) {
        std::fprintf(stderr, "parvelin-cli: %s\n", problem.c_str());
        return 1;
    }
    const FileWriteResult result = mesh::writeModelFile(job.output, model);
    if (result != FileWriteResult::Written) {
        std::fprintf(stderr, "parvelin-cli: %s: %s\n", job.output.c_str(), fileWriteMessage(result));
        return 1;
    }
    std::size_t triangles = 0;
    for (const mesh::Part& part : model.parts) triangles += part.mesh.triangles.size();
    std::printf("%zu solids, %zu triangles in %s\n", model.parts.size(), triangles, job.output.c_str());
    return 0;
}

} // namespace parvelin::cli
