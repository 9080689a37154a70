// SPDX-License-Identifier: GPL-3.0-or-later
// parvelin-cli model: a rib, or a wing design's whole structure in place, as
// closed solids in an STL or OBJ file (millimetres).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "document/AirfoilDocument.h"
#include "text/NumberText.h"
#include "document/RibDesignFile.h"
#include "model/RibPropertyFields.h"
#include "mesh/ModelFiles.h"
#include "mesh/WingModel.h"
#include "wing/WingDesign.h"

namespace parvelin::cli {
namespace {

// The model of a design's wing: every rib at its station with the bars.
mesh::Model wingModel(const DesignWing& design, const ParsedLine& line, mesh::ModelOptions options) {
    const wing::RibSet set = wing::buildRibSet(design.panel, design.properties, design.root, design.tip);
    const double thickness = line.number(Opt::Thickness, 0.0);
    options.thickness = thickness > 0.0 ? thickness : mesh::defaultThickness(inMillimetres(design.properties));
    options.side = design.panel.side;
    if (line.has(Opt::Side)) wing::wingSideNamed(line.text(Opt::Side, ""), options.side);
    return mesh::wingModel(set, design.panel, options);
}

// The model of a single rib, lying flat; false after saying why when the
// input cannot be loaded (`status` then holds the exit status).
bool ribModel(const JobOptions& job, const ParsedLine& line, mesh::Model& model, int& status) {
    // A machine or model file is made from the airfoil as File > Import
    // reads it, never from the part Open takes of a file.
    JobOptions importing = job;
    if (!isRibDesignPath(job.input)) importing.import = true;
    AirfoilDocument document;
    status = loadJobDocument(importing, document);
    if (status != 0) return false;
    const double thickness = line.number(Opt::Thickness, 0.0);
    const bool metric = inMillimetres(document.properties());
    model = mesh::ribModel(document, thickness > 0.0 ? thickness : mesh::defaultThickness(metric));
    return true;
}

int writeModel(const JobOptions& job, const mesh::Model& model) {
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

} // namespace

int runModel(const ParsedLine& line) {
    const JobOptions job = jobOptions(line);
    if (!mesh::modelFormatFor(job.output)) return usageError("model", "OUTPUT must end in .stl or .obj");
    mesh::ModelOptions options;
    options.bars = !line.has(Opt::NoBars);
    options.sheeting = !line.has(Opt::NoSheeting);
    DesignWing design;
    int status = readDesignWing(job, design);
    if (status > 0) return status;
    mesh::Model model;
    if (status == 0)
        model = wingModel(design, line, options);
    else if (!ribModel(job, line, model, status))
        return status;
    return writeModel(job, model);
}

} // namespace parvelin::cli
